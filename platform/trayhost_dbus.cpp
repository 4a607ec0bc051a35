#include "platform/trayhost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QString>

namespace {

const char* const watcherService = "org.kde.StatusNotifierWatcher";
const char* const watcherPath = "/StatusNotifierWatcher";
// A watcher that does not answer counts as none.
constexpr int replyTimeoutMs = 1000;

bool hostRegistered(QDBusConnection& bus)
{
    QDBusConnectionInterface* busInterface = bus.isConnected() ? bus.interface() : nullptr;
    if (!busInterface || !busInterface->isServiceRegistered(QString::fromLatin1(watcherService)))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(watcherService), QString::fromLatin1(watcherPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(watcherService) << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusReply<QDBusVariant> reply = bus.call(get, QDBus::Block, replyTimeoutMs);
    return reply.isValid() && reply.value().variant().toBool();
}

// A panel starts its watcher first and registers its host a moment later
// (or a host alone leaves): both the name and the host's signals count.
class StatusNotifierHostPresence : public TrayPresence {
    Q_OBJECT
public:
    StatusNotifierHostPresence()
        : m_bus(QDBusConnection::sessionBus()),
          m_watcher(QString::fromLatin1(watcherService), m_bus, QDBusServiceWatcher::WatchForOwnerChange)
    {
        connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &StatusNotifierHostPresence::refresh);
        for (const char* hostSignal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
            m_bus.connect(QString::fromLatin1(watcherService), QString::fromLatin1(watcherPath),
                          QString::fromLatin1(watcherService), QString::fromLatin1(hostSignal), this, SLOT(refresh()));
        }
        m_present = hostRegistered(m_bus);
    }

    bool present() const override { return m_present; }

private slots:
    void refresh()
    {
        const bool present = hostRegistered(m_bus);
        if (present == m_present)
            return;
        m_present = present;
        emit changed();
    }

private:
    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    bool m_present = false;
};

}  // namespace

std::unique_ptr<TrayPresence> watchStatusNotifierHost()
{
    return std::make_unique<StatusNotifierHostPresence>();
}

#include "trayhost_dbus.moc"
