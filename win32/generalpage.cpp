#include "win32/generalpage.h"

#include "res/texts.h"
#include "win32/hotkeycheck.h"
#include "win32/resourceids.h"
#include "win32/widetext.h"

#include <commctrl.h>

namespace {

// Keys the hot key control names apart from the keypad's only by this flag.
bool isExtendedKey(UINT virtualKey)
{
    switch (virtualKey) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_DIVIDE:
    case VK_NUMLOCK:
        return true;
    default:
        return false;
    }
}

WPARAM controlValue(const std::optional<WinHotKey>& key)
{
    if (!key)
        return 0;
    BYTE flags = 0;
    if (key->modifiers & MOD_SHIFT)
        flags |= HOTKEYF_SHIFT;
    if (key->modifiers & MOD_CONTROL)
        flags |= HOTKEYF_CONTROL;
    if (key->modifiers & MOD_ALT)
        flags |= HOTKEYF_ALT;
    if (isExtendedKey(key->virtualKey))
        flags |= HOTKEYF_EXT;
    return MAKEWORD(key->virtualKey, flags);
}

const char* refusalText(HotKeyCheck check)
{
    switch (check) {
    case HotKeyCheck::NeedsModifier:
        return res::text::hotKeyNeedsModifier;
    case HotKeyCheck::UsedByStrip:
        return res::text::hotKeyUsedByStrip;
    case HotKeyCheck::Usable:
        break;
    }
    return "";
}

}  // namespace

CGeneralPage::CGeneralPage() : CPropertyPage(IDD_GENERAL_PAGE)
{}

bool CGeneralPage::OnInitDialog()
{
    CheckDlgButton(m_hWnd, IDC_NO_DISPLAY, m_bNoDisplay ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, IDC_START_AT_LOGIN, m_bStartAtLogin ? BST_CHECKED : BST_UNCHECKED);
    m_bFilling = true;
    SendDlgItemMessageW(m_hWnd, IDC_HOTKEY, HKM_SETHOTKEY, controlValue(m_hotKey), 0);
    m_bFilling = false;
    showHotKeyState(m_strHotKeyState);
    return true;
}

bool CGeneralPage::OnCommand(int command)
{
    if (command != IDC_HOTKEY || m_bFilling)
        return false;
    m_bHotKeyEdited = true;
    // The text spoke of the key shown before.
    SetDlgItemTextW(m_hWnd, IDC_HOTKEY_STATE, L"");
    return true;
}

bool CGeneralPage::OnKillActive()
{
    m_bNoDisplay = IsDlgButtonChecked(m_hWnd, IDC_NO_DISPLAY) == BST_CHECKED ? 1 : 0;
    m_bStartAtLogin = IsDlgButtonChecked(m_hWnd, IDC_START_AT_LOGIN) == BST_CHECKED ? 1 : 0;
    if (takeHotKey())
        return true;
    SetFocus(GetDlgItem(m_hWnd, IDC_HOTKEY));
    return false;
}

bool CGeneralPage::takeHotKey()
{
    if (!m_bHotKeyEdited)
        return true;
    const std::optional<WinHotKey> key = keyInControl();
    if (const HotKeyCheck check = key ? checkWinHotKey(*key) : HotKeyCheck::Usable; check != HotKeyCheck::Usable) {
        SetDlgItemTextW(m_hWnd, IDC_HOTKEY_STATE, widen(refusalText(check)).c_str());
        return false;
    }
    if (key == m_hotKey)
        return true;
    // Taken once: a second OK keeps the key although it does not work.
    m_hotKey = key;
    if (!m_tryHotKey)
        return true;
    showHotKeyState(m_tryHotKey(key));
    return m_strHotKeyState.empty();
}

std::optional<WinHotKey> CGeneralPage::keyInControl() const
{
    const auto value = static_cast<WORD>(SendDlgItemMessageW(m_hWnd, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
    if (LOBYTE(value) == 0)
        return std::nullopt;
    const BYTE flags = HIBYTE(value);
    UINT modifiers = 0;
    if (flags & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    if (flags & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    return WinHotKey{modifiers, LOBYTE(value)};
}

void CGeneralPage::showHotKeyState(const std::wstring& text)
{
    m_strHotKeyState = text;
    SetDlgItemTextW(m_hWnd, IDC_HOTKEY_STATE, text.c_str());
}
