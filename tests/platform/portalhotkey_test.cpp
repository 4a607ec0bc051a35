#include "platform/fallbackhotkey.h"
#include "platform/globalhotkey_xdg.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
constexpr int timeoutMs = 300;
using State = GlobalHotKey::State;

bool portalRunning()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(portalService);
}

// The mock portal on the test's private session bus, for one test.
class MockPortal {
public:
    explicit MockPortal(const QJsonObject& parameters = {})
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                         QStringLiteral(ORRIN_PORTAL_TEMPLATE), QStringLiteral("--parameters"),
                         QString::fromUtf8(QJsonDocument(parameters).toJson(QJsonDocument::Compact))});
    }
    ~MockPortal()
    {
        m_process.terminate();
        m_process.waitForFinished();
        QTRY_VERIFY(!portalRunning());
    }
    MockPortal(const MockPortal&) = delete;
    MockPortal& operator=(const MockPortal&) = delete;

    // Returns how many sessions had bound id.
    static uint activate(const QString& id) { return callMock(QStringLiteral("Activate"), {id}); }
    static uint assign(const QString& id, const QString& trigger)
    {
        return callMock(QStringLiteral("Assign"), {id, trigger});
    }
    static uint callMock(const QString& method, const QVariantList& arguments)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(portalService,
                                                           QStringLiteral("/org/freedesktop/portal/desktop"),
                                                           QStringLiteral("org.freedesktop.DBus.Mock"), method);
        call.setArguments(arguments);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
        return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toUInt() : 0;
    }

private:
    QProcess m_process;
};

// A second route that only records what it is asked.
class RecordingHotKey : public GlobalHotKey {
public:
    RecordingHotKey() : GlobalHotKey(nullptr) {}
    void setKey(const QKeySequence& key) override
    {
        rememberKey(key);
        setState(key.isEmpty() ? State::Unbound : State::Bound);
    }
};

const QKeySequence ctrlShiftC(Qt::CTRL | Qt::SHIFT | Qt::Key_C);

}  // namespace

class TestPortalHotKey : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setDesktopFileName(QStringLiteral("com.velnor.Orrin")); }

    void bindsAndActivates()
    {
        MockPortal portal;
        QTRY_VERIFY(portalRunning());
        PortalHotKey key(nullptr, timeoutMs * 10);
        key.setKey(ctrlShiftC);
        QCOMPARE(key.state(), State::Pending);
        QTRY_COMPARE(key.state(), State::Bound);
        // The mock reports back the preferred trigger it was sent.
        QCOMPARE(key.triggerText(), QStringLiteral("CTRL+SHIFT+c"));

        QSignalSpy activated(&key, &GlobalHotKey::activated);
        MockPortal::activate(QStringLiteral("some-other-shortcut"));
        MockPortal::activate(QStringLiteral("evaluate-clipboard"));
        QVERIFY(activated.wait());
        QTest::qWait(50);
        QCOMPARE(activated.count(), 1);

        key.setKey(QKeySequence());
        QCOMPARE(key.state(), State::Unbound);
        MockPortal::activate(QStringLiteral("evaluate-clipboard"));
        QVERIFY(!activated.wait(200));
    }

    void bindsAgainWhenPortalIsReplaced()
    {
        MockPortal first;
        QTRY_VERIFY(portalRunning());
        PortalHotKey key(nullptr, timeoutMs * 10);
        key.setKey(ctrlShiftC);
        QTRY_COMPARE(key.state(), State::Bound);
        const QString firstOwner = QDBusConnection::sessionBus().interface()->serviceOwner(portalService);

        MockPortal second;  // takes the name over and knows no session
        QTRY_VERIFY(QDBusConnection::sessionBus().interface()->serviceOwner(portalService).value() != firstOwner);
        QSignalSpy activated(&key, &GlobalHotKey::activated);
        QTRY_COMPARE(MockPortal::activate(QStringLiteral("evaluate-clipboard")), 1u);
        QVERIFY(activated.wait());
        QCOMPARE(key.state(), State::Bound);
    }

    void emptyAnswerKeepsSession()
    {
        MockPortal portal({{"unassigned", true}});
        QTRY_VERIFY(portalRunning());
        QPointer<GlobalHotKey> standIn;
        const auto makeStandIn = [&standIn](QObject*) {
            return std::unique_ptr<GlobalHotKey>(standIn = new RecordingHotKey);
        };
        FallbackHotKey key(std::make_unique<PortalHotKey>(nullptr, timeoutMs * 10), makeStandIn);
        key.setKey(ctrlShiftC);
        QTRY_COMPARE(key.state(), State::Unassigned);
        QVERIFY(standIn && standIn->key() == ctrlShiftC);
        QSignalSpy activated(&key, &GlobalHotKey::activated);
        QCOMPARE(MockPortal::activate(QStringLiteral("evaluate-clipboard")), 1u);
        QVERIFY(activated.wait());
        QVERIFY(key.worksEverywhere());  // the press came through the portal
        QCOMPARE(MockPortal::assign(QStringLiteral("evaluate-clipboard"), QStringLiteral("Ctrl+Alt+K")), 1u);
        QTRY_COMPARE(key.state(), State::Bound);
        QTRY_VERIFY(!standIn);
    }

    void triggerSyntax_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("trigger");
        QTest::newRow("letter_lower_case") << ctrlShiftC << "CTRL+SHIFT+c";
        QTest::newRow("digit") << QKeySequence(Qt::CTRL | Qt::Key_7) << "CTRL+7";
        QTest::newRow("named_key") << QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Space) << "CTRL+ALT+space";
        QTest::newRow("meta_is_logo") << QKeySequence(Qt::ALT | Qt::META | Qt::Key_F5) << "ALT+LOGO+F5";
        QTest::newRow("no_keysym_known") << QKeySequence(Qt::CTRL | Qt::Key_LaunchMail) << "";
        QTest::newRow("empty") << QKeySequence() << "";
    }

    void triggerSyntax()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, trigger);
        QCOMPARE(PortalHotKey::preferredTrigger(key), trigger);
    }

    void unavailable_data()
    {
        QTest::addColumn<bool>("portal");
        QTest::addColumn<QJsonObject>("parameters");
        QTest::newRow("no_portal") << false << QJsonObject();
        QTest::newRow("no_shortcuts_interface") << true << QJsonObject{{"shortcuts", false}};
        QTest::newRow("bind_refused") << true << QJsonObject{{"refuse", true}};
        QTest::newRow("never_answers") << true << QJsonObject{{"silent", true}};
    }

    void unavailable()
    {
        QFETCH(bool, portal);
        QFETCH(QJsonObject, parameters);
        std::unique_ptr<MockPortal> mock;
        if (portal) {
            mock = std::make_unique<MockPortal>(parameters);
            QTRY_VERIFY(portalRunning());
        }
        PortalHotKey key(nullptr, timeoutMs);
        key.setKey(ctrlShiftC);
        QTRY_COMPARE(key.state(), State::Unavailable);
    }

    void fallsBackOnceUnavailable()
    {
        FallbackHotKey key(std::make_unique<PortalHotKey>(nullptr, timeoutMs),
                           [](QObject*) { return std::make_unique<RecordingHotKey>(); });
        QSignalSpy changed(&key, &GlobalHotKey::stateChanged);
        key.setKey(ctrlShiftC);  // no portal on the bus
        QTRY_COMPARE(key.state(), State::Bound);
        QVERIFY(!key.worksEverywhere());
        QCOMPARE(key.key(), ctrlShiftC);
        QCOMPARE(key.triggerText(), ctrlShiftC.toString(QKeySequence::NativeText));
    }
};

QTEST_GUILESS_MAIN(TestPortalHotKey)
#include "portalhotkey_test.moc"
