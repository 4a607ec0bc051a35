#include "win32/entrycombobox.h"

#include "core/evaluationmode.h"
#include "win32/tesselview.h"
#include "win32/widetext.h"

namespace {

constexpr int noRequest = -1;

bool isHeld(int virtualKey)
{
    return GetKeyState(virtualKey) < 0;
}

}  // namespace

void CEntryComboBox::Attach(HWND box, HWND view)
{
    m_hWnd = box;
    m_hView = view;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(box, &info))
        m_hEdit = info.hwndItem;
}

int CEntryComboBox::requestedMode(const MSG& message) const
{
    if (message.message != WM_KEYDOWN || (message.hwnd != m_hEdit && message.hwnd != m_hWnd))
        return noRequest;
    if (message.wParam == VK_RETURN)
        return static_cast<int>(EvaluationMode::Decimal);
    if (message.wParam == 'H' && isHeld(VK_CONTROL) && isHeld(VK_SHIFT))
        return static_cast<int>(EvaluationMode::Hexadecimal);
    return noRequest;
}

bool CEntryComboBox::PreTranslateMessage(const MSG& message)
{
    const int mode = requestedMode(message);
    if (mode == noRequest || !m_hView)
        return false;
    // The list would take Enter for picking the highlighted line and closing,
    // without an evaluation.
    if (isDroppedDown()) {
        takeHighlightedLine();
        SendMessageW(m_hWnd, CB_SHOWDROPDOWN, FALSE, 0);
    }
    PostMessageW(m_hView, calcSetAnsMessage(), static_cast<WPARAM>(mode), 0);
    return true;
}

std::wstring CEntryComboBox::text() const
{
    return windowText(m_hWnd);
}

bool CEntryComboBox::isDroppedDown() const
{
    return SendMessageW(m_hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void CEntryComboBox::OnDropDown()
{
    m_bHighlightMoved = false;
    m_strTyped = text();
    m_dwTypedSelection = static_cast<DWORD>(SendMessageW(m_hWnd, CB_GETEDITSEL, 0, 0));
    PostMessageW(m_hView, droppedMessage, 0, 0);
}

void CEntryComboBox::OnDropped()
{
    if (!isDroppedDown())
        return;
    // Opening the list highlights the first line that begins with the box's
    // text and puts that line into the box; neither is the user's choice.
    m_bHighlightMoved = false;
    m_nDroppedSelection = SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0);
    if (text() == m_strTyped)
        return;
    SetWindowTextW(m_hEdit, m_strTyped.c_str());
    SendMessageW(m_hWnd, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(m_dwTypedSelection), HIWORD(m_dwTypedSelection)));
}

void CEntryComboBox::OnSelChange()
{
    if (isDroppedDown())
        m_bHighlightMoved = true;
}

void CEntryComboBox::OnEditChange()
{
    // Typing with the list open highlights the first line that begins with
    // the typed text; that is not the user's choice either.
    if (!isDroppedDown())
        return;
    m_bHighlightMoved = false;
    m_nDroppedSelection = SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0);
}

bool CEntryComboBox::highlightMoved() const
{
    // Pointing at a line highlights it without a notification.
    return m_bHighlightMoved || SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0) != m_nDroppedSelection;
}

void CEntryComboBox::takeHighlightedLine()
{
    const LRESULT highlighted = SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0);
    if (highlighted == CB_ERR || !highlightMoved())
        return;
    // Also when it was the current line already and the user has typed since.
    const auto length = SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(highlighted), 0);
    if (length == CB_ERR)
        return;
    std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(highlighted), reinterpret_cast<LPARAM>(line.data()));
    SetWindowTextW(m_hWnd, line.c_str());
}
