#pragma once
#include <optional>
#include <string>
#include <windows.h>

// A global hot key as RegisterHotKey takes it: MOD_CONTROL, MOD_ALT,
// MOD_SHIFT and MOD_WIN (without MOD_NOREPEAT) and a virtual-key code.
struct WinHotKey {
    UINT modifiers = 0;
    UINT virtualKey = 0;

    friend bool operator==(const WinHotKey&, const WinHotKey&) = default;
};

// The key in the portable key text that "HotKey" holds on every platform
// ("Ctrl+Shift+C", "Meta+F12", "Ctrl+Num+5"): modifiers Meta (the Windows
// key), Ctrl, Alt, Shift and Num (the keypad), then the key's name. Read
// case-insensitively in any order of the modifiers; nothing for a text that
// names no single key Windows has, a modifier alone or a key that needs
// Shift or AltGr on the keyboard layout in use.
std::optional<WinHotKey> hotKeyFromText(const std::wstring& text);

// The portable key text of a hot key, modifiers in the order above; blank
// for a virtual key without a name.
std::wstring hotKeyToText(WinHotKey hotKey);
