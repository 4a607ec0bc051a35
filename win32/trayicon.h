#pragma once
#include <windows.h>
#include <shellapi.h>

// The program's icon in the notification area (id 10000, tip "Tessel"),
// reporting mouse messages to its window with trayCallbackMessage (word
// parameter: the icon id; long parameter: the mouse message).
class CTrayIcon {
public:
    static constexpr UINT trayCallbackMessage = WM_USER + 2;
    static constexpr UINT iconId = 10000;

    CTrayIcon() = default;
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;
    ~CTrayIcon();

    // Adds the icon for window; a tray that is not there yet gets it when it
    // announces itself (OnTaskbarCreated).
    void Add(HINSTANCE instance, HWND window);
    void Delete();
    // The message by which a (re)started taskbar asks every program for its icon.
    static UINT taskbarCreatedMessage();
    void OnTaskbarCreated();

private:
    NOTIFYICONDATAW m_data{};
    bool m_bAdded = false;
};
