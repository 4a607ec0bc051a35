#include "win32/settingscommand.h"

#include "win32/tesselview.h"

void OnSettings(HWND, CTesselView& view)
{
    view.SaveDataFile();
}
