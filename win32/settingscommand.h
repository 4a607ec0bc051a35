#pragma once
#include <windows.h>

class CTesselView;

// The settings command: the settings sheet over the view's calculator and
// the application's settings; the data file is written whether it ends with
// OK or Cancel.
void OnSettings(HWND owner, CTesselView& view);
