#pragma once
#include <string>
#include <windows.h>

// The program's message box: the text under the application's name ("Orrin"),
// with OK alone (something was refused or could not be done: the warning
// icon) or OK and Cancel (a question: the question icon). Returns IDOK or
// IDCANCEL.
enum class MessageButtons { Ok, OkCancel };
int showMessageBox(HWND owner, const std::wstring& text, MessageButtons buttons = MessageButtons::Ok);
