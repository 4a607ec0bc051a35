#pragma once
#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <memory>

class QAction;
class QMenu;

// One item of a dbusmenu layout with the items below it: (ia{sv}av).
struct DBusMenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};
// An item's properties alone: (ia{sv}).
struct DBusMenuItemProperties {
    int id = 0;
    QVariantMap properties;
};
// One event of EventGroup: (isvu).
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
Q_DECLARE_METATYPE(DBusMenuLayoutItem)
Q_DECLARE_METATYPE(DBusMenuItemProperties)
Q_DECLARE_METATYPE(DBusMenuEvent)

// A flat menu of commands published on the session bus as com.canonical.dbusmenu,
// the form in which status-notifier hosts (Xfce, LXQt, Plasma) draw an item's
// menu themselves. Item n (from 1) is the menu's n-th action; its enabled
// state is asked each time a host is about to show the menu. The menu is
// loaded when a host first asks for it.
class DBusMenuExporter : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)
public:
    DBusMenuExporter(std::function<std::unique_ptr<QMenu>()> loadMenu, std::function<bool(int command)> isEnabled,
                     QObject* parent = nullptr);
    ~DBusMenuExporter() override;

    static void registerTypes();

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames, DBusMenuLayoutItem& layout);
    QList<DBusMenuItemProperties> GetGroupProperties(const QList<int>& ids, const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const QList<DBusMenuEvent>& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    Q_SCRIPTABLE void LayoutUpdated(uint revision, int parent);
    // Not part of the interface: a command chosen in a host's menu.
    void commandChosen(int command);

private:
    QList<QAction*> items();
    QVariantMap itemProperties(int id, const QStringList& names);
    bool refreshEnabledStates();

    std::function<std::unique_ptr<QMenu>()> m_loadMenu;
    std::unique_ptr<QMenu> m_menu;
    std::function<bool(int command)> m_isEnabled;
    QList<bool> m_enabled;  // as last published, by item
    uint m_revision = 1;
};
