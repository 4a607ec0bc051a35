#pragma once

// Start at login through the value "Orrin" under
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run, which
// holds the quoted path of the running program and autostartArgument. The
// value is the state; nothing is stored elsewhere.

// True when Windows will start the program at login: the value exists and
// the user has not turned it off in the system's list of start-up programs.
bool isAutostartEnabled();

// Writes the value, or removes it (a missing value is removed already).
// False when the registry refused.
bool setAutostartEnabled(bool enabled);

// What the Run value passes: a program started at login gets no working
// folder of its own, and Orrin.dat lies in the working folder.
inline constexpr wchar_t autostartArgument[] = L"/autostart";

// Started with autostartArgument: makes the user's profile folder the
// working folder, where the Start-menu shortcut starts Orrin too.
void enterLoginFolder(const wchar_t* commandLine);
