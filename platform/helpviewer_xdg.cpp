#include "platform/helpviewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>

namespace {

const char* const helpFileName = "Orrin.chm";
const char* const helpDirFromProgram = ORRIN_HELP_DIR_FROM_PROGRAM;
constexpr int mimeQueryTimeoutMs = 5000;

void prepareViewer(QProcess& viewer, const QString& program, const QString& file)
{
    viewer.setProgram(program);
    viewer.setArguments({file});
    viewer.setStandardOutputFile(QProcess::nullDevice());
    viewer.setStandardErrorFile(QProcess::nullDevice());
}

void showWithXchm(const QString& path, const HelpFailureReport& report)
{
    QProcess viewer;
    prepareViewer(viewer, QStringLiteral("xchm"), path);
    if (!viewer.startDetached() && report)
        report(HelpFailure::NoViewer, QDir::toNativeSeparators(path));
}

// Whether the desktop names an application for the file's type. Without one,
// xdg-open falls back on whatever it finds, a web browser as often as not.
bool desktopHasHandler(const QString& path)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    QStringList names = type.aliases();
    names.prepend(type.name());
    for (const QString& name : names) {
        QProcess query;
        query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), name});
        if (!query.waitForFinished(mimeQueryTimeoutMs)) {
            query.kill();
            query.waitForFinished();
            return false;
        }
        if (query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0
            && !query.readAllStandardOutput().trimmed().isEmpty())
            return true;
    }
    return false;
}

// xdg-open may wait for the viewer it starts, so its outcome is taken when it
// ends, without holding up the program.
void showWithDesktop(const QString& path, const HelpFailureReport& report)
{
    auto* opener = new QProcess(QCoreApplication::instance());
    prepareViewer(*opener, QStringLiteral("xdg-open"), path);
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, path, report](int exitCode, QProcess::ExitStatus status) {
                         opener->deleteLater();
                         if (status != QProcess::NormalExit || exitCode != 0)
                             showWithXchm(path, report);
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, path, report](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        opener->deleteLater();
        showWithXchm(path, report);
    });
    opener->start();
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

void showHelpTopics(const HelpFailureReport& report)
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString path = findHelpFile(programDir);
    if (path.isEmpty()) {
        const QString searched = QDir::toNativeSeparators(helpFilePath(programDir)) + QStringLiteral("、")
            + QDir::toNativeSeparators(installedHelpFilePath(programDir));
        if (report)
            report(HelpFailure::FileMissing, searched);
        return;
    }
    // xdg-open hands the file to the viewer the desktop associates with CHM
    // files. A bare X session has no such handler; xCHM is the viewer that the
    // program's installation recommends. (Qt's QDesktopServices would call
    // the same xdg-open, but without it guesses a web browser and prints a
    // warning.)
    if (desktopHasHandler(path))
        showWithDesktop(path, report);
    else
        showWithXchm(path, report);
}
