#pragma once
#include "core/storedsettings.h"
#include "win32/mainframe.h"
#include "win32/tesselview.h"

#include <string>
#include <windows.h>

// The application object: starts the program (one instance per user
// session), holds the settings shared by the frame, the view and the
// settings sheet, runs the message loop and ends the program with the exit
// command.
class CTesselApp {
public:
    explicit CTesselApp(HINSTANCE instance);
    CTesselApp(const CTesselApp&) = delete;
    CTesselApp& operator=(const CTesselApp&) = delete;

    // Starts up and runs the message loop; the process's exit status.
    int Run(int showCommand);

    // The start-up sequence; false when the program is to end at once.
    bool InitInstance(int showCommand);
    // The application's own commands (exit, About, help); false for others.
    bool OnCommand(int command);
    void OnAppExit();
    void OnAppAbout();
    void OnHelpTopics();

    void SetSaveSettings(bool save) { m_bSaveSettings = save; }
    void LoadSettings();
    void SaveSettings();

    HINSTANCE instance() const { return m_hInstance; }
    HWND mainWindow() const { return m_frame.hwnd(); }
    CTesselView& view() { return m_view; }
    StoredSettings& settings() { return m_settings; }
    // The clipboard hot key in portable key text ("Ctrl+Shift+C"), stored as
    // "HotKey"; blank for none.
    const std::wstring& hotKeyText() const { return m_strHotKey; }
    void setHotKeyText(const std::wstring& text) { m_strHotKey = text; }

private:
    bool PreTranslateMessage(MSG& message);

    HINSTANCE m_hInstance;
    bool m_bSaveSettings = true;
    StoredSettings m_settings;
    std::wstring m_strHotKey;
    HANDLE m_hMutex = nullptr;
    HACCEL m_hAccelerators = nullptr;
    CTesselView m_view;
    CMainFrame m_frame;
};

// The one application object.
CTesselApp& theApp();
