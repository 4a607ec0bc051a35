#pragma once
#include <windows.h>

// Shows the first popup of menu resource menuId at a screen point, with
// defaultCommand in bold (0: none); the chosen command goes to owner as
// WM_COMMAND. A menu that cannot be loaded does not appear.
void trackPopupMenu(int menuId, int defaultCommand, POINT screenPoint, HWND owner);
