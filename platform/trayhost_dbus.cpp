#include "platform/trayhost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QString>

namespace {

const char* const watcherService = "org.kde.StatusNotifierWatcher";
const char* const watcherPath = "/StatusNotifierWatcher";
// A watcher that does not answer counts as none.
constexpr int replyTimeoutMs = 1000;

}  // namespace

bool statusNotifierHostRegistered()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
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
