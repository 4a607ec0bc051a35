#pragma once
#include "framework/dialogresult.h"
#include "platform/scopedhook.h"

#include <QString>
#include <functional>

class QWidget;

// The program's message box: the text under the application's name, with the given
// buttons. Returns the button pressed as IDOK or IDCANCEL (a box with
// only OK returns IDOK; closing a box with Escape or its close button
// counts as Cancel when there is one).
//
// The icon follows from the box's purpose, the same for every box of the
// program, and is chosen here only: a box with OK alone tells of input that
// was refused or of something that could not be done, and shows the warning
// icon; a box with OK and Cancel asks, and shows the question icon.
enum class MessageButtons { Ok, OkCancel };

int showMessageBox(QWidget* parent, const QString& text, MessageButtons buttons = MessageButtons::Ok);

// Tests answer the modal box through this hook instead of a user: while a hook
// is set, showMessageBox shows nothing and returns what the hook returns.
using MessageBoxHook = std::function<int(const QString& text, MessageButtons buttons)>;
using ScopedMessageBoxHook = ScopedHook<MessageBoxHook>;

// The title every box carries: the application's name.
QString messageBoxTitle();
