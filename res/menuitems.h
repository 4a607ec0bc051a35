#pragma once
#include "res/resource.h"

#include <span>

// The items of the popup menus, top to bottom: one source for the Qt menus
// and the Windows menu resources. Plain constants without Qt.
namespace res {

struct MenuItem {
    int command;  // 0 for a separator
    const char* text;
};

inline constexpr int menuSeparator = 0;

inline constexpr MenuItem contextMenuItems[] = {
    {ID_SETTINGS, "設定(&S)"},           {ID_DELETE_REGISTRY, "レジストリの削除"},     {menuSeparator, ""},
    {ID_HELP_FINDER, "ﾄﾋﾟｯｸの検索(&H)"}, {ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(Orrin) (&A)..."}, {menuSeparator, ""},
    {ID_MINIMIZE, "最小化(&M)"},
};

inline constexpr MenuItem trayMenuItems[] = {
    {ID_RESTORE, "元のｻｲｽﾞに戻す(&R)"},
    {ID_MINIMIZE, "最小化(&M)"},
    {menuSeparator, ""},
    {ID_SETTINGS, "設定(&S)"},
    {ID_DELETE_REGISTRY, "レジストリの削除"},
    {menuSeparator, ""},
    {ID_HELP_FINDER, "ﾄﾋﾟｯｸの検索(&H)"},
    {ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(Orrin) (&A)..."},
    {menuSeparator, ""},
    {ID_APP_EXIT, "常駐の終了(&X)"},
};

inline constexpr MenuItem constRowMenuItems[] = {
    {ID_CONST_EDIT, "編集(&E)"},
    {ID_CONST_DELETE, "削除(&D)"},
};

inline constexpr MenuItem constEmptyMenuItems[] = {
    {ID_CONST_NEW, "新規作成(&N)"},
};

struct MenuTable {
    int menuId;
    std::span<const MenuItem> items;
};

inline constexpr MenuTable menuTables[] = {
    {IDR_CONTEXT_MENU, contextMenuItems},
    {IDR_TRAY_MENU, trayMenuItems},
    {IDR_CONST_MENU1, constRowMenuItems},
    {IDR_CONST_MENU2, constEmptyMenuItems},
};

}  // namespace res
