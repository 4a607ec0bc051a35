#include "win32/consteditdlg.h"

#include "core/constname.h"
#include "engine/formatnumber.h"
#include "platform/decimalnumber.h"
#include "res/texts.h"
#include "win32/messagebox.h"
#include "win32/resourceids.h"
#include "win32/widetext.h"

#include <algorithm>

namespace {

// Fills an edit with a field's text and limits what can be typed; a longer
// text that the field already holds is shown whole, never cut.
void setLimitedText(HWND edit, const std::wstring& text)
{
    const auto limit = std::max<std::size_t>(maxConstTextLength, text.size());
    SendMessageW(edit, EM_LIMITTEXT, limit, 0);
    SetWindowTextW(edit, text.c_str());
}

// Over the middle of the window it was opened from, inside that window's monitor.
void centerOverOwner(HWND dialog)
{
    const HWND owner = GetAncestor(GetParent(dialog), GA_ROOT);
    RECT ownerRect{};
    RECT dialogRect{};
    if (!owner || !GetWindowRect(owner, &ownerRect) || !GetWindowRect(dialog, &dialogRect))
        return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const LONG width = dialogRect.right - dialogRect.left;
    const LONG height = dialogRect.bottom - dialogRect.top;
    const LONG x = (ownerRect.left + ownerRect.right - width) / 2;
    const LONG y = (ownerRect.top + ownerRect.bottom - height) / 2;
    SetWindowPos(dialog, nullptr, std::clamp(x, area.left, std::max(area.left, area.right - width)),
                 std::clamp(y, area.top, std::max(area.top, area.bottom - height)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const char* messageFor(ConstNameCheck check)
{
    return check == ConstNameCheck::LeadingDigit ? res::text::leadingDigitInName : res::text::badCharacterInName;
}

}  // namespace

INT_PTR CConstEditDlg::DoModal()
{
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CONST_EDIT), m_hParent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CConstEditDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CConstEditDlg*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        dialog->m_hWnd = window;
        dialog->OnInitDialog();
        return TRUE;
    }
    auto* dialog = reinterpret_cast<CConstEditDlg*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return dialog ? dialog->OnMessage(message, wParam) : FALSE;
}

INT_PTR CConstEditDlg::OnMessage(UINT message, WPARAM wParam)
{
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_CONST_NAME:
        if (HIWORD(wParam) != EN_CHANGE)
            return FALSE;
        OnChangeName();
        return TRUE;
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        EndDialog(m_hWnd, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CConstEditDlg::OnInitDialog()
{
    centerOverOwner(m_hWnd);
    setLimitedText(control(IDC_CONST_DESCRIPTION), fromCp932(m_strDescription));
    setLimitedText(control(IDC_CONST_NAME), fromCp932(m_strName));
    SetWindowTextW(control(IDC_CONST_VALUE), widen(formatNumber(m_dValue, 10)).c_str());
    OnChangeName();
}

void CConstEditDlg::OnChangeName()
{
    // The name only: the value is checked when the user presses OK, so that a
    // stored value the dialog cannot take back (inf, nan) neither keeps the
    // dialog from opening nor is reported at every keystroke in the name.
    m_strName = toCp932(windowText(control(IDC_CONST_NAME)));
    EnableWindow(control(IDOK), !m_strName.empty());
}

void CConstEditDlg::OnOK()
{
    // Enter reaches here even while the OK button is disabled.
    if (m_strName.empty())
        return;
    if (const ConstNameCheck check = checkConstName(m_strName); check != ConstNameCheck::Ok) {
        showMessageBox(m_hWnd, widen(messageFor(check)));
        return;
    }
    const HWND valueEdit = control(IDC_CONST_VALUE);
    const std::optional<double> value = parseDecimalNumber(narrow(windowText(valueEdit)));
    if (!value) {
        showMessageBox(m_hWnd, widen(res::text::enterNumber));
        SetFocus(valueEdit);
        SendMessageW(valueEdit, EM_SETSEL, 0, -1);
        return;
    }
    m_dValue = *value;
    m_strDescription = toCp932(windowText(control(IDC_CONST_DESCRIPTION)));
    EndDialog(m_hWnd, IDOK);
}
