#include "win32/messagebox.h"

#include "res/resource.h"

namespace {

std::wstring applicationName()
{
    wchar_t name[64] = L"";
    LoadStringW(GetModuleHandleW(nullptr), res::AFX_IDS_APP_TITLE, name, 64);
    return name;
}

}  // namespace

int showMessageBox(HWND owner, const std::wstring& text, MessageButtons buttons)
{
    UINT style = buttons == MessageButtons::Ok ? MB_OK | MB_ICONWARNING : MB_OKCANCEL | MB_ICONQUESTION;
    // A box of no window must not open beneath the strip, which stays on top.
    if (!owner)
        style |= MB_TOPMOST;
    return MessageBoxW(owner, text.c_str(), applicationName().c_str(), style | MB_SETFOREGROUND) == IDOK ? IDOK
                                                                                                         : IDCANCEL;
}
