#pragma once
#include <QString>
#include <QStringList>

// The per-user profile: QSettings in the native format for the user, under
// the application's organization and name (on Linux
// <organization>/<name>.conf under $XDG_CONFIG_HOME). Values live in sections; integers are stored as
// integers. Write results report whether the store accepted the value.
int getProfileInt(const QString& section, const QString& entry, int defaultValue);
QString getProfileString(const QString& section, const QString& entry, const QString& defaultValue);
bool writeProfileInt(const QString& section, const QString& entry, int value);
bool writeProfileString(const QString& section, const QString& entry, const QString& value);

// Removes the given sections, in order, and then the profile file itself when
// nothing else is left in it.
void deleteProfileSections(const QStringList& sections);

// The file that holds the profile (for tests and the help text).
QString profileFileName();
