#include "win32/mainframe.h"

#include "win32/tesselapp.h"
#include "win32/tesselview.h"

namespace {

constexpr wchar_t frameClassName[] = L"OrrinMainFrame";

void registerFrameClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = frameClassName;
    RegisterClassExW(&windowClass);
}

}  // namespace

bool CMainFrame::Create(HINSTANCE instance, const StoredSettings& settings, CTesselView& view)
{
    registerFrameClass(instance);
    m_pView = &view;
    m_nFixedHeight = settings.windowHeight;
    // Created hidden: start-up shows it or not.
    m_hWnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, frameClassName, L"Orrin", WS_POPUP | WS_THICKFRAME,
                             settings.windowX, settings.windowY, settings.windowWidth, settings.windowHeight, nullptr,
                             nullptr, instance, nullptr);
    if (!m_hWnd)
        return false;
    SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
    if (!view.Create(instance, m_hWnd))
        return false;
    OnSize();
    return true;
}

LRESULT CALLBACK CMainFrame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* frame = reinterpret_cast<CMainFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!frame)
        return DefWindowProcW(window, message, wParam, lParam);
    return frame->OnMessage(message, wParam, lParam);
}

LRESULT CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_COMMAND:
        // The view first, then the application, as the menus expect.
        if (m_pView->OnCommand(LOWORD(wParam)) || theApp().OnCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
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
