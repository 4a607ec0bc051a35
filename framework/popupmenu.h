#pragma once
#include "platform/scopedhook.h"

#include <QPoint>
#include <functional>

class QMenu;

// Shows menu modally at the screen position pos with the item of command
// defaultId in bold (0: none), items for which isEnabled is false greyed out,
// and returns the command chosen, or 0 when the menu was dismissed. Items carry
// their command ids as data(). Only the left mouse button chooses an item.
int trackPopupMenu(QMenu& menu, const QPoint& pos, int defaultId, const std::function<bool(int command)>& isEnabled);

// Tests choose from the menu through this hook instead of a user: while a hook
// is set, the menu is prepared (default item, enabled states, buttons) but not
// shown, and the hook's answer is the chosen command.
using PopupMenuHook = std::function<int(QMenu& menu, const QPoint& pos)>;
using ScopedPopupMenuHook = ScopedHook<PopupMenuHook>;
