#include "platform/globalhotkey.h"

#include <QGuiApplication>
#include <QProcess>
#include <QtGui/qguiapplication_platform.h>
#include <QSignalSpy>
#include <QTest>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

namespace {

constexpr int waitMs = 5000;
const char* const holdArgument = "--hold-hot-key";

QKeySequence ctrlShiftC()
{
    return QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_C);
}

std::unique_ptr<GlobalHotKey> bound(const QKeySequence& key)
{
    auto hotKey = GlobalHotKey::create();
    hotKey->setKey(key);
    return hotKey;
}

// Another X client that takes the hot key first, to see what a second taker gets.
int holdHotKey(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const auto key = bound(ctrlShiftC());
    std::cout << (key->state() == GlobalHotKey::State::Bound ? "held" : "refused") << std::endl;
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

// Moves the symbols of the key that types `symbol` to a keycode without any,
// as a layout change does; the destructor puts them back.
class MovedKey {
public:
    explicit MovedKey(xcb_keysym_t symbol)
        : m_connection(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection()),
          m_first(xcb_get_setup(m_connection)->min_keycode)
    {
        const int codes = xcb_get_setup(m_connection)->max_keycode - m_first + 1;
        auto* reply = xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, m_first, uint8_t(codes)), nullptr);
        m_perCode = reply->keysyms_per_keycode;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
        m_syms.assign(syms, syms + codes * m_perCode);
        std::free(reply);
        for (auto code = m_syms.begin(); code != m_syms.end(); code += m_perCode) {
            if (code[0] == symbol && !m_from)
                m_from = &code[0];
            if (std::count(code, code + m_perCode, 0) == m_perCode && !m_to)
                m_to = &code[0];
        }
        swap();
    }
    ~MovedKey() { swap(); }
    bool moved() const { return m_from && m_to; }

private:
    void swap()
    {
        if (!moved())
            return;
        std::swap_ranges(m_from, m_from + m_perCode, m_to);
        xcb_change_keyboard_mapping(m_connection, uint8_t(m_syms.size() / m_perCode), m_first, uint8_t(m_perCode),
                                    m_syms.data());
        xcb_flush(m_connection);
    }

    xcb_connection_t* m_connection;
    xcb_keycode_t m_first;
    int m_perCode = 1;
    std::vector<xcb_keysym_t> m_syms;
    xcb_keysym_t* m_from = nullptr;
    xcb_keysym_t* m_to = nullptr;
};

}  // namespace

class TestGlobalHotKey : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

    void refusedWhileAnotherClientHoldsIt()
    {
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {holdArgument});
        QVERIFY(holder.waitForReadyRead(waitMs));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

        const auto refused = bound(ctrlShiftC());
        QCOMPARE(refused->state(), GlobalHotKey::State::Taken);

        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(waitMs));
        QCoreApplication::processEvents();
        QVERIFY2(refused->state() == GlobalHotKey::State::Taken, "the key is asked for once, not retried");
        const auto later = bound(ctrlShiftC());
        QVERIFY2(later->state() == GlobalHotKey::State::Bound, "the holder's grabs die with it");
    }

    void firesWhateverLockIsOn_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<QString>("locks");
        const QString ctrlShiftCPressed = QStringLiteral("ctrl+shift+c");
        QTest::newRow("no lock") << ctrlShiftC() << ctrlShiftCPressed << QString();
        QTest::newRow("NumLock") << ctrlShiftC() << ctrlShiftCPressed << QStringLiteral("Num_Lock");
        QTest::newRow("CapsLock") << ctrlShiftC() << ctrlShiftCPressed << QStringLiteral("Caps_Lock");
        QTest::newRow("NumLock and CapsLock")
            << ctrlShiftC() << ctrlShiftCPressed << QStringLiteral("Num_Lock Caps_Lock");
        QTest::newRow("Alt+F5") << QKeySequence(Qt::AltModifier | Qt::Key_F5) << QStringLiteral("alt+F5") << QString();
        QTest::newRow("Ctrl+Alt+digit") << QKeySequence(Qt::ControlModifier | Qt::AltModifier | Qt::Key_7)
                                        << QStringLiteral("ctrl+alt+7") << QStringLiteral("Num_Lock");
    }

    void firesWhateverLockIsOn()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, pressed);
        QFETCH(QString, locks);
        const auto hotKey = bound(key);
        QCOMPARE(hotKey->state(), GlobalHotKey::State::Bound);
        QSignalSpy spy(hotKey.get(), &GlobalHotKey::activated);

        pressKeys(locks);  // the lock keys toggle: pressed again below to turn them off
        pressKeys(pressed);
        const bool fired = spy.wait(waitMs);
        pressKeys(locks);

        QVERIFY2(fired, qPrintable(QStringLiteral("no activation for ") + pressed));
        QCOMPARE(spy.count(), 1);
    }

    void releasedWhenAnotherKeyIsAsked()
    {
        const auto hotKey = bound(ctrlShiftC());
        hotKey->setKey(QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_X));
        QCOMPARE(hotKey->state(), GlobalHotKey::State::Bound);
        QSignalSpy spy(hotKey.get(), &GlobalHotKey::activated);
        pressKeys(QStringLiteral("ctrl+shift+c"));
        QVERIFY2(!spy.wait(500), "the key asked for before still fires");
        pressKeys(QStringLiteral("ctrl+shift+x"));
        QVERIFY(spy.wait(waitMs));
    }

    void followsAKeyboardMappingChange()
    {
        const auto hotKey = bound(ctrlShiftC());
        QSignalSpy spy(hotKey.get(), &GlobalHotKey::activated);
        const MovedKey moved('c');
        QVERIFY(moved.moved());
        QTest::qWait(300);  // the mapping notice reaches the key, which grabs again
        pressKeys(QStringLiteral("ctrl+shift+c"));
        QVERIFY2(spy.wait(waitMs), "no activation after the key moved to another keycode");
    }

    void freeForOthersOnceDestroyed()
    {
        {
            const auto first = bound(ctrlShiftC());
            QCOMPARE(first->state(), GlobalHotKey::State::Bound);
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
