#include "win32/propertypage.h"

PROPSHEETPAGEW CPropertyPage::sheetPage(HINSTANCE instance)
{
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEW(m_nTemplateId);
    page.pfnDlgProc = DialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK CPropertyPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
        page->m_hWnd = window;
        return page->OnInitDialog() ? TRUE : FALSE;
    }
    auto* page = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return page ? page->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR CPropertyPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.hwndFrom == GetParent(m_hWnd))
            return OnSheetNotify(header);
        if (!OnNotify(header))
            return FALSE;
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, 0);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

INT_PTR CPropertyPage::OnSheetNotify(const NMHDR& header)
{
    switch (header.code) {
    case PSN_KILLACTIVE:
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, OnKillActive() ? FALSE : TRUE);
        return TRUE;
    case PSN_APPLY:
        m_bApplied = true;
        OnApply();
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    default:
        return FALSE;
    }
}
