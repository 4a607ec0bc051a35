#include "win32/tesselapp.h"

#include "core/hotkeyrule.h"
#include "res/resource.h"
#include "win32/registryprofile.h"
#include "win32/resourceids.h"
#include "win32/widetext.h"

namespace {

CTesselApp* application = nullptr;

constexpr wchar_t instanceMutexName[] = L"Tessel";

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

int CTesselApp::Run(int showCommand)
{
    if (!InitInstance(showCommand))
        return 0;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (PreTranslateMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

bool CTesselApp::InitInstance(int)
{
    if (HANDLE running = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, instanceMutexName)) {
        CloseHandle(running);
        return false;
    }
    m_hMutex = CreateMutexW(nullptr, FALSE, instanceMutexName);
    LoadSettings();
    if (!m_frame.Create(m_hInstance, m_settings, m_view))
        return false;
    m_hAccelerators = LoadAcceleratorsW(m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_view.LoadDataFile();
    ShowWindow(mainWindow(), m_settings.noDisplay ? SW_HIDE : SW_SHOW);
    UpdateWindow(mainWindow());
    return true;
}

bool CTesselApp::PreTranslateMessage(MSG& message)
{
    if (m_view.PreTranslateMessage(message))
        return true;
    return m_hAccelerators && TranslateAcceleratorW(mainWindow(), m_hAccelerators, &message);
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
    RECT window{};
    GetWindowRect(mainWindow(), &window);
    m_settings.windowX = window.left;
    m_settings.windowY = window.top;
    m_settings.windowWidth = window.right - window.left;
    m_settings.windowHeight = window.bottom - window.top;
    if (m_bSaveSettings)
        SaveSettings();
    DestroyWindow(mainWindow());
}

void CTesselApp::OnAppAbout()
{}

void CTesselApp::OnHelpTopics()
{}

void CTesselApp::LoadSettings()
{
    CRegistrySection section;
    section.m_strSection = settingsSection;
    m_settings = loadSettings(section, defaultWindowHeight(GetSystemMetrics(SM_CYFRAME)));
}

void CTesselApp::SaveSettings()
{
    CRegistrySection section;
    section.m_strSection = settingsSection;
    saveSettings(section, m_settings);
}
