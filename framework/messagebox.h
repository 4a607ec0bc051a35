#pragma once
#include "framework/scopedhook.h"

#include <QString>
#include <functional>

class QWidget;

// The program's message box: the text under the application's name, with the given
// buttons. Returns the button pressed as res::IDOK or res::IDCANCEL (a box with
// only OK returns res::IDOK; closing a box with Escape or its close button
// counts as Cancel when there is one).
enum class MessageButtons { Ok, OkCancel };
enum class MessageIcon { None, Information, Warning };

int showMessageBox(QWidget* parent, const QString& text,
                   MessageButtons buttons = MessageButtons::Ok,
                   MessageIcon icon = MessageIcon::None);

// Tests answer the modal box through this hook instead of a user: while a hook
// is set, showMessageBox shows nothing and returns what the hook returns.
using MessageBoxHook = std::function<int(const QString& text, MessageButtons buttons)>;
using ScopedMessageBoxHook = ScopedHook<MessageBoxHook>;

// The title every box carries: the application's name.
QString messageBoxTitle();
