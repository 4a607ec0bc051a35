#include "res/menus.h"

#include "res/resource.h"
#include "res/stringtable.h"

#include <QMenu>
#include <QString>
#include <initializer_list>

namespace {

struct MenuItem {
    int command;  // 0 for a separator
    const char* text;
};

constexpr int separator = 0;

const std::initializer_list<MenuItem> contextMenu = {
    {res::ID_SETTINGS, "設定(&S)"},           {res::ID_DELETE_REGISTRY, "レジストリの削除"},     {separator, ""},
    {res::ID_HELP_FINDER, "ﾄﾋﾟｯｸの検索(&H)"}, {res::ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(Orrin) (&A)..."}, {separator, ""},
    {res::ID_MINIMIZE, "最小化(&M)"},
};

const std::initializer_list<MenuItem> trayMenu = {
    {res::ID_RESTORE, "元のｻｲｽﾞに戻す(&R)"},
    {res::ID_MINIMIZE, "最小化(&M)"},
    {separator, ""},
    {res::ID_SETTINGS, "設定(&S)"},
    {res::ID_DELETE_REGISTRY, "レジストリの削除"},
    {separator, ""},
    {res::ID_HELP_FINDER, "ﾄﾋﾟｯｸの検索(&H)"},
    {res::ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(Orrin) (&A)..."},
    {separator, ""},
    {res::ID_APP_EXIT, "常駐の終了(&X)"},
};

const std::initializer_list<MenuItem> constRowMenu = {
    {res::ID_CONST_EDIT, "編集(&E)"},
    {res::ID_CONST_DELETE, "削除(&D)"},
};

const std::initializer_list<MenuItem> constEmptyMenu = {
    {res::ID_CONST_NEW, "新規作成(&N)"},
};

const std::initializer_list<MenuItem>* findMenu(int menuId)
{
    switch (menuId) {
    case res::IDR_CONTEXT_MENU:
        return &contextMenu;
    case res::IDR_TRAY_MENU:
        return &trayMenu;
    case res::IDR_CONST_MENU1:
        return &constRowMenu;
    case res::IDR_CONST_MENU2:
        return &constEmptyMenu;
    default:
        return nullptr;
    }
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
        if (item.command == separator) {
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
    for (const MenuItem& item : trayMenu) {
        if (item.command == res::ID_APP_EXIT)
            menu.insertAction(lastSeparator, makeItem(menu, item));
    }
}

int commandOf(const QAction* action)
{
    return action ? action->data().toInt() : 0;
}
