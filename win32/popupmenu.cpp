#include "win32/popupmenu.h"

void trackPopupMenu(int menuId, int defaultCommand, POINT screenPoint, HWND owner)
{
    const HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId));
    if (!menu)
        return;
    const HMENU popup = GetSubMenu(menu, 0);
    if (defaultCommand)
        SetMenuDefaultItem(popup, static_cast<UINT>(defaultCommand), FALSE);
    TrackPopupMenu(popup, 0, screenPoint.x, screenPoint.y, 0, owner, nullptr);
    DestroyMenu(menu);
}
