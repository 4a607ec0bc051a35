#include "platform/dbusmenu_dbus.h"
#include "platform/trayicon.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QImage>
#include <QMenu>
#include <QtEndian>

namespace {

// One image of the icon: width, height and ARGB32 pixels in network byte order.
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray pixels;
};
using SniPixmaps = QList<SniPixmap>;
// (sa(iiay)ss): icon name, images, title, description.
struct SniToolTip {
    QString iconName;
    SniPixmaps images;
    QString title;
    QString description;
};

}  // namespace

Q_DECLARE_METATYPE(SniPixmap)
Q_DECLARE_METATYPE(SniToolTip)

namespace {

QDBusArgument& operator<<(QDBusArgument& argument, const SniPixmap& pixmap)
{
    argument.beginStructure();
    argument << pixmap.width << pixmap.height << pixmap.pixels;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, SniPixmap& pixmap)
{
    argument.beginStructure();
    argument >> pixmap.width >> pixmap.height >> pixmap.pixels;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const SniToolTip& tip)
{
    argument.beginStructure();
    argument << tip.iconName << tip.images << tip.title << tip.description;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, SniToolTip& tip)
{
    argument.beginStructure();
    argument >> tip.iconName >> tip.images >> tip.title >> tip.description;
    argument.endStructure();
    return argument;
}

const char* const watcherService = "org.kde.StatusNotifierWatcher";
const char* const watcherPath = "/StatusNotifierWatcher";
const char* const itemPath = "/StatusNotifierItem";
const char* const menuPath = "/MenuBar";

SniPixmaps pixmapsOf(const QIcon& icon)
{
    SniPixmaps pixmaps;
    for (const QSize& size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        SniPixmap pixmap{image.width(), image.height(), {}};
        pixmap.pixels.resize(qsizetype(image.width()) * image.height() * 4);
        auto* out = reinterpret_cast<quint32*>(pixmap.pixels.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                *out++ = qToBigEndian(row[x]);
        }
        pixmaps.append(pixmap);
    }
    return pixmaps;
}

// The item as the host sees it on the bus: what to draw and where to
// report clicks. The right button's menu is the host's to draw from the
// dbusmenu; hosts that call ContextMenu instead get the program's popup.
class StatusNotifierItemObject : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ noName)
    Q_PROPERTY(SniPixmaps IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ noName)
    Q_PROPERTY(SniPixmaps OverlayIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionIconName READ noName)
    Q_PROPERTY(SniPixmaps AttentionIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ noName)
    Q_PROPERTY(SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
public:
    StatusNotifierItemObject(TrayIcon& icon, const TrayIconSetup& setup)
        : m_icon(icon),
          m_pixmaps(pixmapsOf(setup.icon)),
          m_toolTip(setup.toolTip)
    {}

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QCoreApplication::applicationName(); }
    QString title() const { return m_toolTip; }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString noName() const { return {}; }
    SniPixmaps iconPixmap() const { return m_pixmaps; }
    SniPixmaps noPixmaps() const { return {}; }
    SniToolTip toolTip() const { return {QString(), {}, m_toolTip, QString()}; }
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(QString::fromLatin1(menuPath)); }

public slots:
    void Activate(int, int) { emit m_icon.activated(QSystemTrayIcon::Trigger); }
    void SecondaryActivate(int, int) { emit m_icon.activated(QSystemTrayIcon::MiddleClick); }
    void ContextMenu(int, int) { emit m_icon.activated(QSystemTrayIcon::Context); }
    void Scroll(int, const QString&) {}

signals:
    Q_SCRIPTABLE void NewTitle();
    Q_SCRIPTABLE void NewIcon();
    Q_SCRIPTABLE void NewToolTip();
    Q_SCRIPTABLE void NewStatus(const QString& status);

private:
    TrayIcon& m_icon;
    SniPixmaps m_pixmaps;
    QString m_toolTip;
};

constexpr QDBusConnection::RegisterOptions exported = QDBusConnection::ExportAllSlots
    | QDBusConnection::ExportAllProperties | QDBusConnection::ExportScriptableSignals;

// Registers under a name of its own with the watcher, which drops the item
// when the name goes: that is when the icon is destroyed.
class StatusNotifierIcon : public TrayIcon {
public:
    explicit StatusNotifierIcon(const TrayIconSetup& setup)
        : m_bus(QDBusConnection::sessionBus()),
          m_serviceName(QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
                            .arg(QCoreApplication::applicationPid())
                            .arg(++instances)),
          m_item(*this, setup),
          m_menu(setup.loadMenu, setup.isEnabled)
    {
        qDBusRegisterMetaType<SniPixmap>();
        qDBusRegisterMetaType<SniPixmaps>();
        qDBusRegisterMetaType<SniToolTip>();
        connect(&m_menu, &DBusMenuExporter::commandChosen, this, &TrayIcon::commandChosen);
        m_bus.registerObject(QString::fromLatin1(itemPath), &m_item, exported);
        m_bus.registerObject(QString::fromLatin1(menuPath), &m_menu, exported);
        m_bus.registerService(m_serviceName);
        QDBusMessage registration = QDBusMessage::createMethodCall(
            QString::fromLatin1(watcherService), QString::fromLatin1(watcherPath), QString::fromLatin1(watcherService),
            QStringLiteral("RegisterStatusNotifierItem"));
        registration << m_serviceName;
        m_bus.send(registration);  // the answer tells nothing to act on
    }
    ~StatusNotifierIcon() override
    {
        m_bus.unregisterService(m_serviceName);
        m_bus.unregisterObject(QString::fromLatin1(menuPath));
        m_bus.unregisterObject(QString::fromLatin1(itemPath));
    }
    StatusNotifierIcon(const StatusNotifierIcon&) = delete;
    StatusNotifierIcon& operator=(const StatusNotifierIcon&) = delete;

private:
    static inline int instances = 0;
    QDBusConnection m_bus;
    QString m_serviceName;
    StatusNotifierItemObject m_item;
    DBusMenuExporter m_menu;
};

}  // namespace

std::unique_ptr<TrayIcon> createStatusNotifierIcon(const TrayIconSetup& setup)
{
    return std::make_unique<StatusNotifierIcon>(setup);
}

#include "trayicon_dbus.moc"
