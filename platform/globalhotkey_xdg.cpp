#include "platform/globalhotkey_xdg.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QMetaObject>
#include <QTimer>

#include <utility>

// One entry of BindShortcuts' a(sa{sv}) argument.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};
Q_DECLARE_METATYPE(PortalShortcut)

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString sessionInterface = QStringLiteral("org.freedesktop.portal.Session");
const QString registryInterface = QStringLiteral("org.freedesktop.host.portal.Registry");
const QString shortcutId = QStringLiteral("evaluate-clipboard");

QDBusConnection bus()
{
    return QDBusConnection::sessionBus();
}

QDBusMessage portalCall(const QString& interface, const QString& method)
{
    return QDBusMessage::createMethodCall(portalService, portalPath, interface, method);
}

// The key's name among the keysyms, for the keys a hot key reasonably uses.
QString keysymName(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar(key - Qt::Key_A + 'a'));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QString(QChar(key));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    static const std::pair<int, const char*> named[] = {
        {Qt::Key_Space, "space"},
        {Qt::Key_Tab, "Tab"},
        {Qt::Key_Return, "Return"},
        {Qt::Key_Enter, "KP_Enter"},
        {Qt::Key_Escape, "Escape"},
        {Qt::Key_Backspace, "BackSpace"},
        {Qt::Key_Insert, "Insert"},
        {Qt::Key_Delete, "Delete"},
        {Qt::Key_Home, "Home"},
        {Qt::Key_End, "End"},
        {Qt::Key_PageUp, "Page_Up"},
        {Qt::Key_PageDown, "Page_Down"},
        {Qt::Key_Left, "Left"},
        {Qt::Key_Up, "Up"},
        {Qt::Key_Right, "Right"},
        {Qt::Key_Down, "Down"},
        {Qt::Key_Print, "Print"},
        {Qt::Key_Pause, "Pause"},
        {Qt::Key_Minus, "minus"},
        {Qt::Key_Plus, "plus"},
        {Qt::Key_Equal, "equal"},
        {Qt::Key_Comma, "comma"},
        {Qt::Key_Period, "period"},
        {Qt::Key_Slash, "slash"},
        {Qt::Key_Backslash, "backslash"},
        {Qt::Key_Semicolon, "semicolon"},
        {Qt::Key_Apostrophe, "apostrophe"},
        {Qt::Key_QuoteLeft, "grave"},
        {Qt::Key_BracketLeft, "bracketleft"},
        {Qt::Key_BracketRight, "bracketright"},
        {Qt::Key_Asterisk, "asterisk"},
    };
    for (const auto& [qtKey, name] : named) {
        if (qtKey == key)
            return QString::fromLatin1(name);
    }
    return {};
}

QString objectPathText(const QVariant& value)
{
    if (value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

}  // namespace

PortalHotKey::PortalHotKey(QObject* parent, int timeoutMs, QString description)
    : GlobalHotKey(parent),
      m_timeoutMs(timeoutMs),
      m_description(std::move(description)),
      m_timer(new QTimer(this))
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &PortalHotKey::fail);
}

PortalHotKey::~PortalHotKey()
{
    closeSession();
}

QString PortalHotKey::preferredTrigger(const QKeySequence& key)
{
    if (key.isEmpty())
        return {};
    const QKeyCombination combination = key[0];
    const QString name = keysymName(combination.key());
    if (name.isEmpty())
        return {};
    QStringList parts;
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    if (modifiers & Qt::ControlModifier)
        parts << QStringLiteral("CTRL");
    if (modifiers & Qt::AltModifier)
        parts << QStringLiteral("ALT");
    if (modifiers & Qt::ShiftModifier)
        parts << QStringLiteral("SHIFT");
    if (modifiers & Qt::MetaModifier)
        parts << QStringLiteral("LOGO");
    parts << name;
    return parts.join(QLatin1Char('+'));
}

QString PortalHotKey::triggerText() const
{
    return m_trigger.isEmpty() ? GlobalHotKey::triggerText() : m_trigger;
}

void PortalHotKey::setKey(const QKeySequence& key)
{
    rememberKey(key);
    ++m_attempt;
    stopAwaiting();
    closeSession();
    m_trigger.clear();
    m_step = Step::Idle;
    if (key.isEmpty()) {
        setState(State::Unbound);
        return;
    }
    setState(State::Pending);
    start();
}

void PortalHotKey::start()
{
    if (!bus().isConnected()) {
        fail();
        return;
    }
    // The interface's version property tells both that a portal runs and that
    // it has GlobalShortcuts.
    m_step = Step::Probing;
    QDBusMessage probe = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    probe << shortcutsInterface << QStringLiteral("version");
    call(probe, &PortalHotKey::onVersion);
}

void PortalHotKey::call(QDBusMessage message, void (PortalHotKey::*onReply)(const QDBusMessage&))
{
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(message, m_timeoutMs), this);
    const unsigned attempt = m_attempt;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, attempt, onReply] {
        watcher->deleteLater();
        if (attempt == m_attempt)
            (this->*onReply)(watcher->reply());
    });
}

void PortalHotKey::onVersion(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage) {
        fail();
        return;
    }
    registerAppId();
}

void PortalHotKey::registerAppId()
{
    // A program outside a sandbox is known to the portal only by the app id it
    // registers, the name of its desktop entry; portals before the registry
    // know it by other means.
    m_step = Step::Registering;
    QDBusMessage message = portalCall(registryInterface, QStringLiteral("Register"));
    message << QGuiApplication::desktopFileName() << QVariantMap();
    call(message, &PortalHotKey::onRegistered);
}

void PortalHotKey::onRegistered(const QDBusMessage& /*reply*/)
{
    createSession();
}

void PortalHotKey::createSession()
{
    m_step = Step::CreatingSession;
    const QString token = QStringLiteral("orrin%1").arg(m_attempt);
    awaitResponse(token, true);
    QDBusMessage message = portalCall(shortcutsInterface, QStringLiteral("CreateSession"));
    // Plasma 5.27 registers the shortcuts it finds here, and only those.
    message << QVariantMap{{QStringLiteral("handle_token"), token},
                           {QStringLiteral("session_handle_token"), token},
                           {QStringLiteral("shortcuts"), QVariant::fromValue(requestedShortcuts())}};
    call(message, &PortalHotKey::onRequestReply);
}

QList<PortalShortcut> PortalHotKey::requestedShortcuts() const
{
    QVariantMap properties{{QStringLiteral("description"), m_description}};
    const QString trigger = preferredTrigger(key());
    if (!trigger.isEmpty())
        properties.insert(QStringLiteral("preferred_trigger"), trigger);
    return {{shortcutId, properties}};
}

void PortalHotKey::bindShortcut()
{
    m_step = Step::Binding;
    const QString token = QStringLiteral("orrin%1bind").arg(m_attempt);
    // The portal may ask the user to confirm or choose the key: no time limit
    // on the answer, only on the call.
    awaitResponse(token, false);
    QDBusMessage message = portalCall(shortcutsInterface, QStringLiteral("BindShortcuts"));
    message << QVariant::fromValue(QDBusObjectPath(m_sessionPath)) << QVariant::fromValue(requestedShortcuts())
            << QString() << QVariantMap{{QStringLiteral("handle_token"), token}};
    call(message, &PortalHotKey::onRequestReply);
}

void PortalHotKey::awaitResponse(const QString& token, bool timed)
{
    QString sender = bus().baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    // Subscribed before the call, so that no answer can come first.
    awaitResponseAt(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token), timed);
}

void PortalHotKey::awaitResponseAt(const QString& requestPath, bool timed)
{
    stopAwaiting();
    m_requestPath = requestPath;
    bus().connect(QString(), m_requestPath, requestInterface, QStringLiteral("Response"), this,
                  SLOT(onResponse(uint, QVariantMap)));
    if (timed)
        m_timer->start(m_timeoutMs);
}

void PortalHotKey::stopAwaiting()
{
    m_timer->stop();
    if (m_requestPath.isEmpty())
        return;
    bus().disconnect(QString(), m_requestPath, requestInterface, QStringLiteral("Response"), this,
                     SLOT(onResponse(uint, QVariantMap)));
    m_requestPath.clear();
}

void PortalHotKey::onRequestReply(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        fail();
        return;
    }
    // Portals before version 0.9 choose their own request path.
    const QString handle = objectPathText(reply.arguments().constFirst());
    if (handle != m_requestPath && !handle.isEmpty())
        awaitResponseAt(handle, m_timer->isActive());
}

void PortalHotKey::onResponse(uint code, const QVariantMap& results)
{
    const Step step = m_step;
    stopAwaiting();
    if (code != 0) {
        fail();
        return;
    }
    if (step == Step::CreatingSession) {
        m_sessionPath = objectPathText(results.value(QStringLiteral("session_handle")));
        if (m_sessionPath.isEmpty()) {
            fail();
            return;
        }
        if (!m_listening) {
            bus().connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                          SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
            bus().connect(portalService, portalPath, shortcutsInterface, QStringLiteral("ShortcutsChanged"), this,
                          SLOT(onShortcutsChanged(QDBusObjectPath, QDBusMessage)));
            auto* watcher = new QDBusServiceWatcher(portalService, bus(), QDBusServiceWatcher::WatchForOwnerChange,
                                                    this);
            connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &PortalHotKey::onPortalReplaced);
            m_listening = true;
        }
        bindShortcut();
    } else if (step == Step::Binding) {
        m_step = Step::Idle;
        takeShortcuts(results.value(QStringLiteral("shortcuts")));
    }
}

void PortalHotKey::takeShortcuts(const QVariant& shortcuts)
{
    QList<PortalShortcut> list;
    if (shortcuts.userType() == qMetaTypeId<QDBusArgument>())
        shortcuts.value<QDBusArgument>() >> list;
    m_trigger.clear();
    for (const PortalShortcut& shortcut : list) {
        if (shortcut.id == shortcutId)
            m_trigger = shortcut.properties.value(QStringLiteral("trigger_description")).toString();
    }
    // No trigger is no refusal: the desktop keeps the shortcut for a key the
    // user assigns in its settings, and says so with ShortcutsChanged.
    const State next = m_trigger.isEmpty() ? State::Unassigned : State::Bound;
    if (state() == next)
        emit stateChanged();  // the trigger text may have changed
    setState(next);
}

void PortalHotKey::onActivated(const QDBusObjectPath& session, const QString& id, qulonglong /*timestamp*/,
                               const QVariantMap& /*options*/)
{
    // A key assigned without ShortcutsChanged still counts.
    const bool held = state() == State::Bound || state() == State::Unassigned;
    if (held && session.path() == m_sessionPath && id == shortcutId)
        QMetaObject::invokeMethod(this, &GlobalHotKey::activated, Qt::QueuedConnection);
}

void PortalHotKey::onShortcutsChanged(const QDBusObjectPath& session, const QDBusMessage& message)
{
    if (session.path() != m_sessionPath || message.arguments().size() < 2)
        return;
    takeShortcuts(message.arguments().at(1));
}

void PortalHotKey::onPortalReplaced()
{
    if (state() == State::Unbound || state() == State::Unavailable)
        return;
    // The session went with the portal that made it. Binding again makes the
    // bus start a portal that has quit; one that cannot come back fails, and
    // the key falls back.
    m_sessionPath.clear();
    setKey(key());
}

void PortalHotKey::closeSession()
{
    if (m_sessionPath.isEmpty())
        return;
    QDBusMessage close = QDBusMessage::createMethodCall(portalService, m_sessionPath, sessionInterface,
                                                        QStringLiteral("Close"));
    close.setAutoStartService(false);  // a portal that has quit keeps no session to close
    bus().send(close);
    m_sessionPath.clear();
}

void PortalHotKey::fail()
{
    ++m_attempt;
    stopAwaiting();
    closeSession();
    m_step = Step::Idle;
    setState(State::Unavailable);
}
