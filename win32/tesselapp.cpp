#include "win32/tesselapp.h"

#include "core/hotkeyrule.h"
#include "res/resource.h"
#include "win32/aboutdlg.h"
#include "win32/htmlhelp.h"
#include "win32/registryprofile.h"
#include "win32/resourceids.h"
#include "win32/runninginstance.h"
#include "win32/widetext.h"

#include <commctrl.h>

namespace {

CTesselApp* application = nullptr;

constexpr wchar_t instanceMutexName[] = L"Tessel";

// The default outer height at the system's scaling: the window's sizing
// border above and below the entry box, scaled as the box is.
int scaledDefaultWindowHeight()
{
    constexpr UINT unscaled = USER_DEFAULT_SCREEN_DPI;
    RECT frame{};
    AdjustWindowRectExForDpi(&frame, WS_POPUP | WS_THICKFRAME, FALSE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, unscaled);
    const int height = defaultWindowHeight(-frame.top);
    return MulDiv(height, static_cast<int>(GetDpiForSystem()), static_cast<int>(unscaled));
}

}  // namespace

CTesselApp& theApp()
{
    return *application;
}

// The hot key is the default one until the stored settings say otherwise.
CTesselApp::CTesselApp(HINSTANCE instance) : m_hInstance(instance), m_strHotKey(widen(defaultHotKeyText))
{
    application = this;
}

int CTesselApp::Run()
{
    if (!InitInstance())
        return m_bOtherInstance ? 0 : 1;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (PreTranslateMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    closeHelpWindows();
    return 0;
}

bool CTesselApp::InitInstance()
{
    if (HANDLE running = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, instanceMutexName)) {
        CloseHandle(running);
        // The way back to a hidden strip wherever the tray icon is out of reach.
        showRunningInstance();
        m_bOtherInstance = true;
        return false;
    }
    m_hMutex = CreateMutexW(nullptr, FALSE, instanceMutexName);
    // The visual styles of the manifest's common controls, for every dialog.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    LoadSettings();
    if (!m_frame.Create(m_hInstance, m_settings, m_view))
        return false;
    m_hAccelerators = LoadAcceleratorsW(m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_view.LoadDataFile();
    ShowWindow(mainWindow(), m_settings.noDisplay ? SW_HIDE : SW_SHOW);
    UpdateWindow(mainWindow());
    // Shown means ready for typing.
    if (!m_settings.noDisplay)
        SetForegroundWindow(mainWindow());
    return true;
}

bool CTesselApp::PreTranslateMessage(MSG& message)
{
    if (m_view.PreTranslateMessage(message))
        return true;
    // The frame's keys are the strip's alone: the help viewer, in this
    // thread too, keeps Alt+F4 and the rest.
    const bool inStrip = message.hwnd == mainWindow() || IsChild(mainWindow(), message.hwnd);
    return inStrip && m_hAccelerators && TranslateAcceleratorW(mainWindow(), m_hAccelerators, &message);
}

bool CTesselApp::OnCommand(int command)
{
    switch (command) {
    case res::ID_APP_EXIT:
        OnAppExit();
        return true;
    case res::ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case res::ID_HELP_FINDER:
    case res::ID_HELP:
    case res::ID_CONTEXT_HELP:
    case res::ID_DEFAULT_HELP:
        OnHelpTopics();
        return true;
    default:
        return false;
    }
}

void CTesselApp::OnAppExit()
{
    StoreSettingsAtEnd();
    DestroyWindow(mainWindow());
}

void CTesselApp::OnEndSession()
{
    // Most users never choose the exit command: the end of the session is
    // where the settings would otherwise be lost.
    StoreSettingsAtEnd();
}

void CTesselApp::StoreSettingsAtEnd()
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    // The rectangle is known while the window is hidden, too.
    RECT window{};
    GetWindowRect(mainWindow(), &window);
    m_settings.windowX = window.left;
    m_settings.windowY = window.top;
    m_settings.windowWidth = window.right - window.left;
    m_settings.windowHeight = window.bottom - window.top;
    if (m_bSaveSettings)
        SaveSettings();
}

void CTesselApp::OnAppAbout()
{
    CAboutDlg::DoModal(m_hInstance, mainWindow());
}

void CTesselApp::OnHelpTopics()
{
    showHelpTopics(mainWindow());
}

void CTesselApp::LoadSettings()
{
    CRegistrySection section;
    m_settings = loadSettings(section, scaledDefaultWindowHeight());
    const std::wstring hotKey = section.GetWideString(hotKeyEntry, widen(defaultHotKeyText));
    m_strHotKey = isNoHotKeyText(narrow(hotKey)) ? std::wstring() : hotKey;
}

void CTesselApp::SaveSettings()
{
    CRegistrySection section;
    saveSettings(section, m_settings);
    section.WriteWideString(hotKeyEntry, m_strHotKey);
}
