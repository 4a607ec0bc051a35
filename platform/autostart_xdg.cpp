#include "platform/autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace {

const char* const appId = ORRIN_APP_ID;

QString entryPath(const QString& configDir)
{
    return configDir + QStringLiteral("/autostart/") + QLatin1String(appId) + QStringLiteral(".desktop");
}

QString userEntryPath()
{
    return entryPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

// The entry that the desktop reads: the user's, else the first of the system's.
QString effectiveEntryPath(bool includeUser)
{
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    if (!includeUser && !dirs.isEmpty())
        dirs.removeFirst();
    for (const QString& dir : dirs) {
        const QString path = entryPath(dir);
        if (QFile::exists(path))
            return path;
    }
    return QString();
}

// Hidden=true in the [Desktop Entry] group makes the desktop act as if the
// entry did not exist.
bool startsProgram(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
        else if (inMainGroup && line.section(QLatin1Char('='), 0, 0).trimmed() == QStringLiteral("Hidden"))
            return line.section(QLatin1Char('='), 1).trimmed() != QStringLiteral("true");
    }
    return true;
}

bool writeEntry(const QString& path, const QByteArray& body)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("[Desktop Entry]\nType=Application\n");
    file.write(body);
    return file.commit();
}

}  // namespace

bool isAutostartEnabled()
{
    const QString path = effectiveEntryPath(true);
    return !path.isEmpty() && startsProgram(path);
}

bool setAutostartEnabled(bool enabled)
{
    const QString path = userEntryPath();
    if (enabled) {
        const QString body = QStringLiteral(
                                 "Name=Orrin\n"
                                 "Comment=Resident calculator\n"
                                 "Exec=%1\n"
                                 "Icon=%2\n"
                                 "Terminal=false\n"
                                 "X-GNOME-Autostart-enabled=true\n")
                                 .arg(desktopEntryExec(QCoreApplication::applicationFilePath()), QLatin1String(appId));
        return writeEntry(path, body.toUtf8());
    }
    const QString systemEntry = effectiveEntryPath(false);
    if (!systemEntry.isEmpty() && startsProgram(systemEntry))
        return writeEntry(path, "Name=Orrin\nHidden=true\n");
    return !QFile::exists(path) || QFile::remove(path);
}

QString desktopEntryExec(const QString& program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    static const QString escapedInQuotes = QStringLiteral("\"`$\\");
    QString argument = program;
    if (std::any_of(program.begin(), program.end(), [](QChar c) { return reserved.contains(c); })) {
        argument.clear();
        for (QChar c : program) {
            if (escapedInQuotes.contains(c))
                argument += QLatin1Char('\\');
            argument += c;
        }
        argument = QLatin1Char('"') + argument + QLatin1Char('"');
    }
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    // The value itself is a desktop entry string, with its own escapes.
    argument.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    argument.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    argument.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    argument.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return argument;
}
