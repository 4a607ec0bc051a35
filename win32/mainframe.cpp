#include "win32/mainframe.h"

#include "res/resource.h"
#include "win32/popupmenu.h"
#include "win32/tesselapp.h"
#include "win32/tesselview.h"

namespace {

void registerFrameClass(HINSTANCE instance, WNDPROC windowProc)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(res::IDI_MAINFRAME));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = CMainFrame::className;
    RegisterClassExW(&windowClass);
}

}  // namespace

bool CMainFrame::Create(HINSTANCE instance, const StoredSettings& settings, CTesselView& view)
{
    registerFrameClass(instance, WindowProc);
    m_hInstance = instance;
    m_pView = &view;
    m_nFixedHeight = settings.windowHeight;
    // Created hidden: start-up shows it or not.
    if (!CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, L"Orrin", WS_POPUP | WS_THICKFRAME,
                         settings.windowX, settings.windowY, settings.windowWidth, settings.windowHeight, nullptr,
                         nullptr, instance, this))
        return false;
    if (!view.Create(instance, m_hWnd))
        return false;
    // The frame shows its view, as the template leaves it hidden.
    ShowWindow(view.hwnd(), SW_SHOW);
    OnSize();
    return true;
}

UINT CMainFrame::showRequestMessage()
{
    static const UINT message = RegisterWindowMessageW(L"OrrinShowStrip");
    return message;
}

void CMainFrame::SendCommand(int command)
{
    SendMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

LRESULT CALLBACK CMainFrame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* frame = static_cast<CMainFrame*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        frame->m_hWnd = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    }
    auto* frame = reinterpret_cast<CMainFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!frame)
        return DefWindowProcW(window, message, wParam, lParam);
    return frame->OnMessage(message, wParam, lParam);
}

LRESULT CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CTrayIcon::trayCallbackMessage) {
        OnTrayNotify(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
        return 0;
    }
    if (message == CTrayIcon::taskbarCreatedMessage()) {
        m_trayIcon.OnTaskbarCreated();
        return 0;
    }
    if (message == showRequestMessage()) {
        OnShowRequest();
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        m_trayIcon.Add(m_hInstance, m_hWnd);
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETFOCUS:
        // The view passes it on to the entry box: shown means ready for typing.
        if (m_pView && m_pView->hwnd())
            SetFocus(m_pView->hwnd());
        return 0;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_CLOSE:
        // Closing only hides: the program ends by the exit command alone.
        SendCommand(res::ID_MINIMIZE);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            theApp().OnEndSession();
        return 0;
    case WM_DESTROY:
        m_trayIcon.Delete();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

bool CMainFrame::OnCommand(int command)
{
    // The view first (showing and hiding the window are its commands), then
    // the application, as the menus expect.
    return m_pView->OnCommand(command) || theApp().OnCommand(command);
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO& info) const
{
    // Only the width can change.
    info.ptMinTrackSize.y = m_nFixedHeight;
    info.ptMaxTrackSize.y = m_nFixedHeight;
}

void CMainFrame::OnSize()
{
    if (!m_pView || !m_pView->hwnd())
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    MoveWindow(m_pView->hwnd(), 0, 0, client.right, client.bottom, TRUE);
}

void CMainFrame::OnDpiChanged(const RECT& suggested)
{
    // On a monitor of another scaling the strip keeps its look: the locked
    // height scales with the rest.
    m_nFixedHeight = suggested.bottom - suggested.top;
    SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left, m_nFixedHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::OnTrayNotify(UINT iconId, UINT mouseMessage)
{
    if (iconId != CTrayIcon::iconId || (mouseMessage != WM_LBUTTONDBLCLK && mouseMessage != WM_RBUTTONDOWN))
        return;
    // Nothing may open a second dialog or end the program beneath a modal one.
    if (RaiseModalWindow())
        return;
    if (mouseMessage == WM_LBUTTONDBLCLK)
        SendCommand(IsWindowVisible(m_hWnd) ? res::ID_MINIMIZE : res::ID_RESTORE);
    else
        ShowTrayMenu();
}

void CMainFrame::ShowTrayMenu()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    // A menu of a program that is not in the foreground would stay open when
    // the user clicks elsewhere; the message after it lets it close at once.
    SetForegroundWindow(m_hWnd);
    trackPopupMenu(res::IDR_TRAY_MENU, res::ID_RESTORE, cursor, m_hWnd);
    PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

void CMainFrame::OnShowRequest()
{
    SendCommand(res::ID_RESTORE);
    // The window cannot take input under a modal one: that comes to the front.
    RaiseModalWindow();
}

bool CMainFrame::RaiseModalWindow() const
{
    // A modal window of the program disables the frame, its owner.
    if (IsWindowEnabled(m_hWnd))
        return false;
    SetForegroundWindow(GetLastActivePopup(m_hWnd));
    return true;
}
