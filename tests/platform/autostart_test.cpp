#include "platform/autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

enum class Entry { None, Starts, Hidden };

void writeEntry(const QString& configDir, Entry entry)
{
    if (entry == Entry::None)
        return;
    QVERIFY(QDir().mkpath(configDir + QStringLiteral("/autostart")));
    QFile file(configDir + QStringLiteral("/autostart/com.velnor.Orrin.desktop"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\nName=Orrin\nExec=orrin\n");
    if (entry == Entry::Hidden)
        file.write("Hidden=true\n");
}

}  // namespace

Q_DECLARE_METATYPE(Entry)

class AutostartTest : public QObject {
    Q_OBJECT

private slots:
    void switchesEntry_data();
    void switchesEntry();
    void execQuotesPath_data();
    void execQuotesPath();
};

void AutostartTest::switchesEntry_data()
{
    QTest::addColumn<Entry>("systemEntry");
    QTest::addColumn<Entry>("userEntry");
    QTest::addColumn<bool>("enabledBefore");
    QTest::addColumn<bool>("enable");
    QTest::addColumn<Entry>("userEntryAfter");

    QTest::newRow("turn_on") << Entry::None << Entry::None << false << true << Entry::Starts;
    QTest::newRow("turn_off_removes") << Entry::None << Entry::Starts << true << false << Entry::None;
    QTest::newRow("hidden_reads_off_turn_on") << Entry::None << Entry::Hidden << false << true << Entry::Starts;
    QTest::newRow("system_entry_turn_off_hides") << Entry::Starts << Entry::None << true << false << Entry::Hidden;
    QTest::newRow("user_hides_system_turn_off") << Entry::Starts << Entry::Hidden << false << false << Entry::Hidden;
    QTest::newRow("hidden_system_turn_off") << Entry::Hidden << Entry::Starts << true << false << Entry::None;
}

void AutostartTest::switchesEntry()
{
    QFETCH(Entry, systemEntry);
    QFETCH(Entry, userEntry);
    QFETCH(bool, enabledBefore);
    QFETCH(bool, enable);
    QFETCH(Entry, userEntryAfter);

    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString user = work.filePath(QStringLiteral("user config"));
    const QString system = work.filePath(QStringLiteral("xdg"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(user));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(system));
    writeEntry(system, systemEntry);
    writeEntry(user, userEntry);

    QCOMPARE(isAutostartEnabled(), enabledBefore);
    QVERIFY(setAutostartEnabled(enable));
    QCOMPARE(isAutostartEnabled(), enable);

    QFile file(user + QStringLiteral("/autostart/com.velnor.Orrin.desktop"));
    QCOMPARE(file.open(QIODevice::ReadOnly), userEntryAfter != Entry::None);
    const QString text = QString::fromUtf8(file.readAll());
    QCOMPARE(text.contains(QStringLiteral("\nHidden=true\n")), userEntryAfter == Entry::Hidden);
    if (userEntryAfter == Entry::Starts)
        QVERIFY(text.contains(QStringLiteral("\nExec=") + QCoreApplication::applicationFilePath() + '\n'));
}

void AutostartTest::execQuotesPath_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("exec");
    QTest::newRow("plain") << "/usr/bin/orrin"
                           << "/usr/bin/orrin";
    QTest::newRow("blank") << "/home/a b/orrin"
                           << "\"/home/a b/orrin\"";
    QTest::newRow("percent") << "/opt/100%/orrin"
                             << "/opt/100%%/orrin";
    QTest::newRow("dollar_quote_backquote") << "/opt/$x\"`/orrin"
                                            << "\"/opt/\\\\$x\\\\\"\\\\`/orrin\"";
    QTest::newRow("backslash") << "/opt/a\\b/orrin"
                               << "\"/opt/a\\\\\\\\b/orrin\"";
}

void AutostartTest::execQuotesPath()
{
    QFETCH(QString, program);
    QFETCH(QString, exec);
    QCOMPARE(desktopEntryExec(program), exec);
}

QTEST_MAIN(AutostartTest)
#include "autostart_test.moc"
