#pragma once
#include "core/storedsettings.h"

#include <windows.h>

class CTesselView;

// The main window: a caption-less, always-on-top tool window whose height is
// fixed and whose client area is the view. Commands sent to it are offered
// to the view, then to the application.
class CMainFrame {
public:
    // Creates the window hidden, at the stored rectangle, with the view in it.
    bool Create(HINSTANCE instance, const StoredSettings& settings, CTesselView& view);
    HWND hwnd() const { return m_hWnd; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnGetMinMaxInfo(MINMAXINFO& info) const;
    void OnSize();

    HWND m_hWnd = nullptr;
    CTesselView* m_pView = nullptr;
    int m_nFixedHeight = 0;
};
