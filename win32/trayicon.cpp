#include "win32/trayicon.h"

#include "res/resource.h"

#include <commctrl.h>

CTrayIcon::~CTrayIcon()
{
    Delete();
    if (m_data.hIcon)
        DestroyIcon(m_data.hIcon);
}

void CTrayIcon::Add(HINSTANCE instance, HWND window)
{
    m_data.cbSize = sizeof m_data;
    m_data.hWnd = window;
    m_data.uID = iconId;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = trayCallbackMessage;
    // The small icon size of the taskbar's scaling (16 pixels at 100 %).
    if (!m_data.hIcon)
        LoadIconMetric(instance, MAKEINTRESOURCEW(res::IDI_MAINFRAME), LIM_SMALL, &m_data.hIcon);
    lstrcpynW(m_data.szTip, L"Tessel", ARRAYSIZE(m_data.szTip));
    m_bAdded = Shell_NotifyIconW(NIM_ADD, &m_data) != FALSE;
}

void CTrayIcon::Delete()
{
    if (m_bAdded)
        Shell_NotifyIconW(NIM_DELETE, &m_data);
    m_bAdded = false;
}

UINT CTrayIcon::taskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void CTrayIcon::OnTaskbarCreated()
{
    // A new taskbar knows no icon, also none that the old one showed; one
    // that started after the program brings the first. The message also
    // comes while the icon is still shown (a change of the taskbar's
    // scaling): then it is replaced.
    if (!m_data.hWnd)
        return;
    Shell_NotifyIconW(NIM_DELETE, &m_data);
    m_bAdded = Shell_NotifyIconW(NIM_ADD, &m_data) != FALSE;
}
