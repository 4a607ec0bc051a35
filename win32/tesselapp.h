#pragma once
#include "core/storedsettings.h"
#include "win32/mainframe.h"
#include "win32/tesselview.h"

#include <string>
#include <windows.h>

// The application object: starts the program (one instance per user; a
// second start shows the running one's strip), holds the settings shared by
// the frame, the view and the settings sheet, runs the message loop and ends
// the program with the exit command, storing the settings as it does when
// the Windows session ends.
class CTesselApp {
public:
    explicit CTesselApp(HINSTANCE instance);
    CTesselApp(const CTesselApp&) = delete;
    CTesselApp& operator=(const CTesselApp&) = delete;

    // Starts up and runs the message loop; the process's exit status (0 also
    // when another instance already runs).
    int Run();

    // The start-up sequence; false when the program is to end at once.
    bool InitInstance();
    // The application's own commands (exit, About, help); false for others.
    bool OnCommand(int command);
    void OnAppExit();
    // The Windows session ends: the settings are stored as the exit command
    // stores them, and the program is ended by the system.
    void OnEndSession();
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
    // Stores the window rectangle and, unless the delete command ran, the
    // settings; only the first call of a run does anything.
    void StoreSettingsAtEnd();

    HINSTANCE m_hInstance;
    bool m_bSaveSettings = true;
    bool m_bOtherInstance = false;
    bool m_bEnded = false;
    StoredSettings m_settings;
    std::wstring m_strHotKey;
    HANDLE m_hMutex = nullptr;
    HACCEL m_hAccelerators = nullptr;
    CTesselView m_view;
    CMainFrame m_frame;
};

// The one application object.
CTesselApp& theApp();
