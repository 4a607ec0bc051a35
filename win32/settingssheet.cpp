#include "win32/settingssheet.h"

#include "res/texts.h"
#include "win32/constpage.h"
#include "win32/dialogfont.h"
#include "win32/generalpage.h"
#include "win32/resourceids.h"
#include "win32/widetext.h"

#include <array>
#include <commctrl.h>

namespace {

std::optional<DialogFont> pageFont()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(IDD_GENERAL_PAGE), RT_DIALOG);
    const HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* dialogTemplate = loaded ? LockResource(loaded) : nullptr;
    return dialogTemplate ? dialogFont(dialogTemplate) : std::nullopt;
}

// The sheet measures its pages in its own font: it gets theirs, or the pages
// would be clipped. Its Cancel button says what it says on every platform.
int CALLBACK sheetCallback(HWND sheet, UINT message, LPARAM lParam)
{
    if (message == PSCB_PRECREATE) {
        if (const std::optional<DialogFont> font = pageFont())
            setDialogFont(reinterpret_cast<void*>(lParam), *font);
    } else if (message == PSCB_INITIALIZED) {
        SetDlgItemTextW(sheet, IDCANCEL, widen(res::text::cancel).c_str());
    }
    return 0;
}

void registerControlClasses()
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
}

}  // namespace

bool runSettingsSheet(HWND owner, Calculator<double>& calculator, GeneralSettings& general, const HotKeyTry& tryHotKey,
                      const std::wstring& hotKeyState)
{
    registerControlClasses();
    CGeneralPage generalPage;
    CConstPage constPage;
    constPage.m_constants = calculator.variables;
    generalPage.m_bNoDisplay = general.noDisplay ? 1 : 0;
    generalPage.m_bStartAtLogin = general.startAtLogin ? 1 : 0;
    generalPage.m_hotKey = general.hotKey;
    generalPage.m_strHotKeyState = hotKeyState;
    generalPage.m_tryHotKey = tryHotKey;

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    std::array pages{generalPage.sheetPage(instance), constPage.sheetPage(instance)};
    const std::wstring caption = widen(res::text::settingsCaption);
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
    header.pfnCallback = sheetCallback;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = 0;
    header.ppsp = pages.data();
    PropertySheetW(&header);

    // The general page is shown first, so it always hears of OK; what the
    // sheet itself returns depends on whether a page called itself changed.
    if (!generalPage.applied()) {
        if (tryHotKey && generalPage.m_hotKey != general.hotKey)
            tryHotKey(general.hotKey);
        return false;
    }
    calculator.variables.clear();
    for (const auto& [name, variable] : constPage.m_constants)
        calculator.setVariable(name, variable);
    general.noDisplay = generalPage.m_bNoDisplay != 0;
    general.hotKey = generalPage.m_hotKey;
    general.startAtLogin = generalPage.m_bStartAtLogin != 0;
    return true;
}
