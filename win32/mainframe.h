#pragma once
#include "core/storedsettings.h"
#include "win32/trayicon.h"

#include <windows.h>

class CTesselView;

// The main window: a caption-less, always-on-top tool window whose height is
// fixed and whose client area is the view. It owns the tray icon: a
// double-click shows or hides the window, the right button opens the tray
// menu; while a modal window of the program is open, the icon only brings
// that window to the front. Closing it (Alt+F4 or from outside) hides it.
// Commands sent to it are offered to the view, then to the application.
class CMainFrame {
public:
    // The window class, by which a second start finds the running strip.
    static constexpr wchar_t className[] = L"OrrinMainFrame";

    // Creates the window hidden, at the stored rectangle, with the view in
    // it, and adds the tray icon.
    bool Create(HINSTANCE instance, const StoredSettings& settings, CTesselView& view);
    HWND hwnd() const { return m_hWnd; }

    void SendCommand(int command);
    // Shows the window ready for typing, or the modal window above it.
    void OnShowRequest();
    // The message by which a second start asks the running one to show itself.
    static UINT showRequestMessage();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCommand(int command);
    void OnGetMinMaxInfo(MINMAXINFO& info) const;
    void OnSize();
    void OnDpiChanged(const RECT& suggested);
    void OnTrayNotify(UINT iconId, UINT mouseMessage);
    void ShowTrayMenu();
    // Brings an open modal window of the program to the front; false when none is open.
    bool RaiseModalWindow() const;

    HINSTANCE m_hInstance = nullptr;
    HWND m_hWnd = nullptr;
    CTesselView* m_pView = nullptr;
    int m_nFixedHeight = 0;
    CTrayIcon m_trayIcon;
};
