#include "helpviewer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

const char* const helpFileName = "Orrin.chm";

// Qt hands documents to xdg-open, the desktop's own choice of viewer. Without
// it Qt finds no launcher and prints a warning, so it is asked only when
// xdg-open is there.
bool openWithDesktop(const QString& path)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// A bare X session has no desktop handler; xCHM is the CHM viewer that the
// program's installation brings along.
void openWithXchm(const QString& path)
{
    QProcess viewer;
    viewer.setProgram(QStringLiteral("xchm"));
    viewer.setArguments({path});
    viewer.setStandardOutputFile(QProcess::nullDevice());
    viewer.setStandardErrorFile(QProcess::nullDevice());
    viewer.startDetached();
}

}  // namespace

QString helpFilePath(const QString& programDir)
{
    if (programDir.isEmpty())
        return QString();
    return QDir::cleanPath(programDir + QLatin1Char('/') + QLatin1String(helpFileName));
}

QString helpFilePath()
{
    return helpFilePath(QCoreApplication::applicationDirPath());
}

void showHelpTopics()
{
    const QString path = helpFilePath();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    if (!openWithDesktop(path))
        openWithXchm(path);
}
