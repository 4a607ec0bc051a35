#include "platform/dbusmenu_dbus.h"

#include <QAction>
#include <QDBusMetaType>
#include <QMenu>

namespace {

// Qt marks a mnemonic with '&', dbusmenu with '_'.
QString dbusMenuLabel(const QString& text)
{
    QString label;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'_') {
            label += QStringLiteral("__");
        } else if (c == u'&' && i + 1 < text.size()) {
            label += text.at(i + 1) == u'&' ? QChar(u'&') : QChar(u'_');
            if (text.at(i + 1) == u'&')
                ++i;
        } else {
            label += c;
        }
    }
    return label;
}

QVariantMap onlyNamed(QVariantMap properties, const QStringList& names)
{
    if (names.isEmpty())
        return properties;
    for (auto it = properties.begin(); it != properties.end();)
        it = names.contains(it.key()) ? std::next(it) : properties.erase(it);
    return properties;
}

}  // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayoutItem& item)
{
    argument.beginStructure();
    argument << item.id << item.properties;
    argument.beginArray(qMetaTypeId<QDBusVariant>());
    for (const DBusMenuLayoutItem& child : item.children)
        argument << QDBusVariant(QVariant::fromValue(child));
    argument.endArray();
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayoutItem& item)
{
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.beginArray();
    item.children.clear();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        item.children.append(qdbus_cast<DBusMenuLayoutItem>(child.variant()));
    }
    argument.endArray();
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemProperties& item)
{
    argument.beginStructure();
    argument << item.id << item.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemProperties& item)
{
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& event)
{
    argument.beginStructure();
    argument << event.id << event.eventId << event.data << event.timestamp;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& event)
{
    argument.beginStructure();
    argument >> event.id >> event.eventId >> event.data >> event.timestamp;
    argument.endStructure();
    return argument;
}

DBusMenuExporter::DBusMenuExporter(std::function<std::unique_ptr<QMenu>()> loadMenu,
                                   std::function<bool(int command)> isEnabled, QObject* parent)
    : QObject(parent),
      m_loadMenu(std::move(loadMenu)),
      m_isEnabled(std::move(isEnabled))
{
    registerTypes();
}

DBusMenuExporter::~DBusMenuExporter() = default;

void DBusMenuExporter::registerTypes()
{
    qDBusRegisterMetaType<DBusMenuLayoutItem>();
    qDBusRegisterMetaType<DBusMenuItemProperties>();
    qDBusRegisterMetaType<QList<DBusMenuItemProperties>>();
    qDBusRegisterMetaType<DBusMenuEvent>();
    qDBusRegisterMetaType<QList<DBusMenuEvent>>();
    qDBusRegisterMetaType<QList<int>>();
}

QList<QAction*> DBusMenuExporter::items()
{
    if (!m_menu && m_loadMenu)
        m_menu = m_loadMenu();
    return m_menu ? m_menu->actions() : QList<QAction*>();
}

QVariantMap DBusMenuExporter::itemProperties(int id, const QStringList& names)
{
    QVariantMap properties;
    if (id == 0) {
        properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        return onlyNamed(properties, names);
    }
    const QList<QAction*> actions = items();
    if (id < 1 || id > actions.size())
        return properties;
    const QAction* action = actions.at(id - 1);
    if (action->isSeparator()) {
        properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
    } else {
        properties.insert(QStringLiteral("label"), dbusMenuLabel(action->text()));
        properties.insert(QStringLiteral("enabled"), m_enabled.value(id - 1, true));
    }
    return onlyNamed(properties, names);
}

bool DBusMenuExporter::refreshEnabledStates()
{
    QList<bool> enabled;
    for (const QAction* action : items())
        enabled.append(action->isSeparator() || !m_isEnabled || m_isEnabled(action->data().toInt()));
    if (enabled == m_enabled)
        return false;
    m_enabled = enabled;
    return true;
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                 DBusMenuLayoutItem& layout)
{
    if (refreshEnabledStates())
        ++m_revision;  // what is returned now is the newer layout
    layout = DBusMenuLayoutItem{parentId, itemProperties(parentId, propertyNames), {}};
    // Only the root has children: the menu is flat.
    if (parentId == 0 && recursionDepth != 0) {
        for (int id = 1; id <= items().size(); ++id)
            layout.children.append(DBusMenuLayoutItem{id, itemProperties(id, propertyNames), {}});
    }
    return m_revision;
}

QList<DBusMenuItemProperties> DBusMenuExporter::GetGroupProperties(const QList<int>& ids,
                                                                   const QStringList& propertyNames)
{
    QList<DBusMenuItemProperties> items;
    for (int id : ids)
        items.append(DBusMenuItemProperties{id, itemProperties(id, propertyNames)});
    return items;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString& name)
{
    return QDBusVariant(itemProperties(id, {name}).value(name));
}

void DBusMenuExporter::Event(int id, const QString& eventId, const QDBusVariant&, uint)
{
    const QList<QAction*> actions = items();
    if (eventId != QLatin1String("clicked") || id < 1 || id > actions.size())
        return;
    const QAction* action = actions.at(id - 1);
    if (!action->isSeparator() && m_enabled.value(id - 1, true))
        emit commandChosen(action->data().toInt());
}

QList<int> DBusMenuExporter::EventGroup(const QList<DBusMenuEvent>& events)
{
    QList<int> unknownIds;
    for (const DBusMenuEvent& event : events) {
        if (event.id < 0 || event.id > items().size())
            unknownIds.append(event.id);
        else
            Event(event.id, event.eventId, event.data, event.timestamp);
    }
    return unknownIds;
}

bool DBusMenuExporter::AboutToShow(int)
{
    if (!refreshEnabledStates())
        return false;
    emit LayoutUpdated(++m_revision, 0);
    return true;
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors)
{
    idErrors.clear();
    if (ids.isEmpty() || !AboutToShow(0))
        return {};
    return {0};
}
