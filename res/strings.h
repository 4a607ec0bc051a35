#pragma once
#include "res/resource.h"

// The string table: the product name (also the last part of the profile path
// and the title of every message box) and the status texts of menu commands.
// One source for the Qt front end and the Windows string table; plain
// constants without Qt.
namespace res {

struct StringEntry {
    int id;
    const char* text;
};

inline constexpr StringEntry stringTable[] = {
    {AFX_IDS_APP_TITLE, "Orrin"},    {ID_DELETE_REGISTRY, "レジストリを削除"},
    {ID_CONST_DELETE, "定数を削除"}, {ID_CONST_EDIT, "定数を編集"},
    {ID_CONST_NEW, "定数を作成"},
};

}  // namespace res
