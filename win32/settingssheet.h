#pragma once
#include "engine/calculator.h"
#include "win32/hotkeytext.h"

#include <functional>
#include <optional>
#include <string>
#include <windows.h>

// The options of the page "基本設定".
struct GeneralSettings {
    bool noDisplay = false;           // the window starts hidden
    std::optional<WinHotKey> hotKey;  // none: no hot key
    bool startAtLogin = false;
};

// Gives the program a hot key (none: no hot key); returns why it could not,
// or an empty text.
using HotKeyTry = std::function<std::wstring(const std::optional<WinHotKey>&)>;

// The settings command's sheet "設定", modal over `owner`, with the pages
// "基本設定" and "変数", working on copies of the calculator's variables store
// and of the general options. With OK the store is replaced by the page's
// constants (in their order) and `general` takes the page's values; returns
// true. With Cancel nothing changes; returns false. A hot key changed on the
// page is given to `tryHotKey` as soon as the page is left, so that a key
// another program holds is reported there (`hotKeyState` says so of the
// present key when the sheet opens); Cancel gives the old key back.
bool runSettingsSheet(HWND owner, Calculator<double>& calculator, GeneralSettings& general, const HotKeyTry& tryHotKey,
                      const std::wstring& hotKeyState);
