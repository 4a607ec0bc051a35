#include "framework/globalhotkey.h"

#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <cstring>
#include <iostream>

namespace {

constexpr int waitMs = 5000;
const char* const holdArgument = "--hold-hot-key";

bool bound(GlobalHotKey& key)
{
    key.setKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    return key.state() == GlobalHotKey::State::Bound;
}

// Another X client that takes the hot key first, to see what a second taker gets.
int holdHotKey(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const auto key = GlobalHotKey::create();
    std::cout << (bound(*key) ? "held" : "refused") << std::endl;
    std::string line;
    std::getline(std::cin, line);  // held until the test closes our input
    return 0;
}

void pressKeys(const QString& keys)
{
    if (keys.isEmpty())
        return;
    QProcess xdotool;
    xdotool.start("xdotool", QStringList{"key"} + keys.split(' '));
    QVERIFY2(xdotool.waitForFinished(waitMs), "xdotool did not finish");
    QCOMPARE(xdotool.exitCode(), 0);
}

} // namespace

class TestGlobalHotKey : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    }

    void refusedWhileAnotherClientHoldsIt()
    {
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {holdArgument});
        QVERIFY(holder.waitForReadyRead(waitMs));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

        const auto refused = GlobalHotKey::create();
        QVERIFY(!bound(*refused));
        QCOMPARE(refused->state(), GlobalHotKey::State::Taken);

        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(waitMs));
        const auto later = GlobalHotKey::create();
        QVERIFY2(bound(*later), "the holder's grabs die with it");
    }

    void firesWhateverLockIsOn_data()
    {
        QTest::addColumn<QString>("locks");
        QTest::newRow("no lock") << QString();
        QTest::newRow("NumLock") << QStringLiteral("Num_Lock");
        QTest::newRow("CapsLock") << QStringLiteral("Caps_Lock");
        QTest::newRow("NumLock and CapsLock") << QStringLiteral("Num_Lock Caps_Lock");
    }

    void firesWhateverLockIsOn()
    {
        QFETCH(QString, locks);
        const auto key = GlobalHotKey::create();
        QVERIFY(bound(*key));
        QSignalSpy spy(key.get(), &GlobalHotKey::activated);

        pressKeys(locks);  // the lock keys toggle: pressed again below to turn them off
        pressKeys(QStringLiteral("ctrl+shift+c"));
        const bool fired = spy.wait(waitMs);
        pressKeys(locks);

        QVERIFY2(fired, "no activation for Ctrl+Shift+C");
        QCOMPARE(spy.count(), 1);
    }

    void freeForOthersOnceDestroyed()
    {
        {
            const auto first = GlobalHotKey::create();
            QVERIFY(bound(*first));
        }
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), {holdArgument});
        QVERIFY(other.waitForReadyRead(waitMs));
        const QByteArray answer = other.readLine().trimmed();
        other.closeWriteChannel();
        QVERIFY(other.waitForFinished(waitMs));
        QCOMPARE(answer, QByteArray("held"));
    }
};

int main(int argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], holdArgument) == 0)
        return holdHotKey(argc, argv);
    QGuiApplication app(argc, argv);
    TestGlobalHotKey test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_globalhotkey.moc"
