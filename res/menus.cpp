#include "res/menus.h"

#include "res/menuitems.h"
#include "res/resource.h"
#include "res/stringtable.h"

#include <QMenu>
#include <QString>

namespace {

using res::MenuItem;

const std::span<const MenuItem>* findMenu(int menuId)
{
    for (const res::MenuTable& table : res::menuTables) {
        if (table.menuId == menuId)
            return &table.items;
    }
    return nullptr;
}

QAction* makeItem(QMenu& menu, const MenuItem& item)
{
    auto* action = new QAction(QString::fromUtf8(item.text), &menu);
    action->setData(item.command);
    action->setObjectName(QStringLiteral("command%1").arg(item.command));
    action->setStatusTip(loadString(item.command));
    return action;
}

}  // namespace

std::unique_ptr<QMenu> loadMenu(int menuId, QWidget* parent)
{
    const auto* items = findMenu(menuId);
    if (!items)
        return nullptr;
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(QStringLiteral("menu%1").arg(menuId));
    for (const MenuItem& item : *items) {
        if (item.command == res::menuSeparator) {
            menu->addSeparator();
            continue;
        }
        menu->addAction(makeItem(*menu, item));
    }
    return menu;
}

void insertExitItem(QMenu& menu)
{
    QAction* lastSeparator = nullptr;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            lastSeparator = action;
    }
    for (const MenuItem& item : res::trayMenuItems) {
        if (item.command == res::ID_APP_EXIT)
            menu.insertAction(lastSeparator, makeItem(menu, item));
    }
}

int commandOf(const QAction* action)
{
    return action ? action->data().toInt() : 0;
}
