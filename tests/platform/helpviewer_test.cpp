#include "platform/helpviewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

namespace {

// A stand-in viewer: records its name and arguments, one a line, in log.
// The record is renamed into place so that it is never read half written;
// mv is named with its directory because PATH holds only the stand-ins.
// "NAME=COMMAND" runs COMMAND instead.
bool writeFakeViewer(const QString& binDir, const QString& spec, const QString& log)
{
    const QString name = spec.section(QLatin1Char('='), 0, 0);
    QString body = spec.section(QLatin1Char('='), 1);
    if (body.isEmpty())
        body = QStringLiteral("printf '%s\\n' '%1' \"$@\" > '%2.part'\n/bin/mv '%2.part' '%2'").arg(name, log);
    QFile script(binDir + QLatin1Char('/') + name);
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write(QStringLiteral("#!/bin/sh\n%1\n").arg(body).toUtf8());
    script.close();
    return script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pathInProgramDir_data();
    void pathInProgramDir();
    void pathFollowsProgramNotCurrentDirectory();
    void findsBesideProgramBeforeInstalledTree_data();
    void findsBesideProgramBeforeInstalledTree();
    void opensHelpBesideProgram_data();
    void opensHelpBesideProgram();

private:
    QByteArray m_path;
    QString m_currentDir;
    bool m_createdHelpFile = false;
};

void HelpViewerTest::initTestCase()
{
    m_path = qgetenv("PATH");
    m_currentDir = QDir::currentPath();
    // The help command shows only a file that is there.
    const QString help = helpFilePath(QCoreApplication::applicationDirPath());
    if (!QFile::exists(help)) {
        QFile file(help);
        QVERIFY(file.open(QIODevice::WriteOnly));
        m_createdHelpFile = true;
    }
}

void HelpViewerTest::cleanupTestCase()
{
    qputenv("PATH", m_path);
    QDir::setCurrent(m_currentDir);
    if (m_createdHelpFile)
        QFile::remove(helpFilePath(QCoreApplication::applicationDirPath()));
}

void HelpViewerTest::pathInProgramDir_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "/opt/orrin/bin"
                           << "/opt/orrin/bin/Orrin.chm";
    QTest::newRow("trailing_slash") << "/opt/orrin/bin/"
                                    << "/opt/orrin/bin/Orrin.chm";
    QTest::newRow("root") << "/"
                          << "/Orrin.chm";
    QTest::newRow("dot_dot") << "/opt/orrin/bin/.."
                             << "/opt/orrin/Orrin.chm";
    QTest::newRow("blanks_and_japanese") << "/home/ユーザー/電卓 Orrin"
                                         << "/home/ユーザー/電卓 Orrin/Orrin.chm";
    QTest::newRow("unknown_dir") << ""
                                 << "";
}

void HelpViewerTest::pathInProgramDir()
{
    QFETCH(QString, programDir);
    QFETCH(QString, expected);
    QCOMPARE(helpFilePath(programDir), expected);
}

void HelpViewerTest::pathFollowsProgramNotCurrentDirectory()
{
    const QString expected = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Orrin.chm"));
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    QCOMPARE(helpFilePath(), expected);
    QVERIFY(QDir::setCurrent(m_currentDir));
    QCOMPARE(helpFilePath(), expected);
}

void HelpViewerTest::findsBesideProgramBeforeInstalledTree_data()
{
    QTest::addColumn<bool>("besideProgram");
    QTest::addColumn<bool>("inInstalledTree");
    QTest::addColumn<QString>("found");
    QTest::newRow("both") << true << true << "beside";
    QTest::newRow("installed_only") << false << true << "installed";
    QTest::newRow("neither") << false << false << "";
}

// An installed tree keeps the help apart from the program: bin/orrin finds
// share/<package>/Orrin.chm, while a build folder's copy beside the program
// comes first.
void HelpViewerTest::findsBesideProgramBeforeInstalledTree()
{
    QFETCH(bool, besideProgram);
    QFETCH(bool, inInstalledTree);
    QFETCH(QString, found);

    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QString beside = helpFilePath(bin);
    const QString installed = installedHelpFilePath(bin);
    QVERIFY(installed != beside);
    for (const auto& [wanted, path] : {std::pair{besideProgram, beside}, std::pair{inInstalledTree, installed}}) {
        if (!wanted)
            continue;
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString expected = found == "beside" ? beside : found == "installed" ? installed : QString();
    QCOMPARE(findHelpFile(bin), expected);
}

void HelpViewerTest::opensHelpBesideProgram_data()
{
    QTest::addColumn<QStringList>("viewersInPath");
    QTest::addColumn<QString>("expectedViewer");
    QTest::addColumn<QString>("expectedArgument");
    const QString help = helpFilePath();
    const QString handler = QStringLiteral("xdg-mime=echo xchm.desktop");
    QTest::newRow("desktop_handler") << QStringList{handler, "xdg-open", "xchm"} << "xdg-open" << help;
    QTest::newRow("no_desktop_handler") << QStringList{"xdg-mime=true", "xdg-open", "xchm"} << "xchm" << help;
    QTest::newRow("desktop_fails") << QStringList{handler, "xdg-open=exit 1", "xchm"} << "xchm" << help;
    QTest::newRow("xchm_without_xdg_utils") << QStringList{"xchm"} << "xchm" << help;
}

// The viewer gets the file beside the program, even from a current directory
// that holds another Orrin.chm.
void HelpViewerTest::opensHelpBesideProgram()
{
    QFETCH(QStringList, viewersInPath);
    QFETCH(QString, expectedViewer);
    QFETCH(QString, expectedArgument);

    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString bin = work.filePath(QStringLiteral("bin"));
    const QString log = work.filePath(QStringLiteral("viewer.log"));
    QVERIFY(QDir().mkpath(bin));
    for (const QString& viewer : viewersInPath)
        QVERIFY(writeFakeViewer(bin, viewer, log));
    const QString decoyDir = work.filePath(QStringLiteral("current"));
    QVERIFY(QDir().mkpath(decoyDir));
    QFile decoy(decoyDir + QStringLiteral("/Orrin.chm"));
    QVERIFY(decoy.open(QIODevice::WriteOnly));
    decoy.close();

    qputenv("PATH", QFile::encodeName(bin));
    QVERIFY(QDir::setCurrent(decoyDir));
    showHelpTopics();
    QDir::setCurrent(m_currentDir);
    // A failing xdg-open is answered later, with the stand-ins still in PATH.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(log), 60000);
    qputenv("PATH", m_path);
    QCOMPARE(readLines(log), (QStringList{expectedViewer, expectedArgument}));
}

QTEST_MAIN(HelpViewerTest)
#include "helpviewer_test.moc"
