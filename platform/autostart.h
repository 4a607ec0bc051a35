#pragma once
#include <QString>

// Start at login through an XDG autostart entry: <app id>.desktop in
// $XDG_CONFIG_HOME/autostart (~/.config/autostart by default), starting the
// running program. The entries are the state; nothing is stored elsewhere.

// True when the desktop will start the program at login: the user's entry,
// or where there is none, one in $XDG_CONFIG_DIRS/autostart, exists and is
// not hidden (Hidden=true).
bool isAutostartEnabled();

// Writes the user's entry, or removes it. Where an entry of the system would
// still start the program, turning off writes a hidden entry over it instead.
// False when the entry could not be written or removed.
bool setAutostartEnabled(bool enabled);

// The Exec value of a desktop entry that starts program without arguments:
// quoted when the path holds a reserved character, escaped as the value of a
// desktop entry key.
QString desktopEntryExec(const QString& program);
