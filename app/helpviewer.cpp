#include "app/helpviewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

const char* const helpFileName = "Orrin.chm";
const char* const helpDirFromProgram = ORRIN_HELP_DIR_FROM_PROGRAM;

// Starts the viewer on its own, its output discarded, since the help command
// reports nothing. False when the program cannot be started.
bool startViewer(const QString& program, const QString& file)
{
    QProcess viewer;
    viewer.setProgram(program);
    viewer.setArguments({file});
    viewer.setStandardOutputFile(QProcess::nullDevice());
    viewer.setStandardErrorFile(QProcess::nullDevice());
    return viewer.startDetached();
}

}  // namespace

QString helpFilePath(const QString& programDir)
{
    if (programDir.isEmpty())
        return QString();
    return QDir::cleanPath(programDir + QLatin1Char('/') + QLatin1String(helpFileName));
}

QString installedHelpFilePath(const QString& programDir)
{
    if (programDir.isEmpty())
        return QString();
    return QDir::cleanPath(programDir + QLatin1Char('/') + QLatin1String(helpDirFromProgram) + QLatin1Char('/')
                           + QLatin1String(helpFileName));
}

QString findHelpFile(const QString& programDir)
{
    for (const QString& path : {helpFilePath(programDir), installedHelpFilePath(programDir)}) {
        if (!path.isEmpty() && QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

QString helpFilePath()
{
    return findHelpFile(QCoreApplication::applicationDirPath());
}

void showHelpTopics()
{
    const QString path = helpFilePath();
    if (path.isEmpty())
        return;
    // xdg-open hands the file to the viewer the desktop associates with CHM
    // files. A bare X session has no such handler; xCHM is the viewer that the
    // program's installation brings along. (Qt's QDesktopServices would call
    // the same xdg-open, but without it guesses a web browser and prints a
    // warning.)
    if (!startViewer(QStringLiteral("xdg-open"), path))
        startViewer(QStringLiteral("xchm"), path);
}
