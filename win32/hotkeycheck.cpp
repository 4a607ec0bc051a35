#include "win32/hotkeycheck.h"

#include "win32/resourceids.h"
#include "win32/widetext.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The keys the entry box's edit field and list act on with Ctrl or Alt held.
constexpr std::array editingKeys{
    WinHotKey{MOD_CONTROL, 'A'},
    WinHotKey{MOD_CONTROL, VK_BACK},
    WinHotKey{MOD_CONTROL, VK_LEFT},
    WinHotKey{MOD_CONTROL, VK_RIGHT},
    WinHotKey{MOD_CONTROL | MOD_SHIFT, VK_LEFT},
    WinHotKey{MOD_CONTROL | MOD_SHIFT, VK_RIGHT},
    WinHotKey{MOD_CONTROL, VK_HOME},
    WinHotKey{MOD_CONTROL, VK_END},
    WinHotKey{MOD_CONTROL | MOD_SHIFT, VK_HOME},
    WinHotKey{MOD_CONTROL | MOD_SHIFT, VK_END},
    WinHotKey{MOD_ALT, VK_DOWN},
    WinHotKey{MOD_ALT, VK_UP},
};

UINT modifiersOf(const ACCEL& accelerator)
{
    UINT modifiers = 0;
    if (accelerator.fVirt & FCONTROL)
        modifiers |= MOD_CONTROL;
    if (accelerator.fVirt & FALT)
        modifiers |= MOD_ALT;
    if (accelerator.fVirt & FSHIFT)
        modifiers |= MOD_SHIFT;
    return modifiers;
}

bool isAcceleratorKey(WinHotKey key)
{
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!table)
        return false;
    std::vector<ACCEL> entries(static_cast<std::size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
    return std::any_of(entries.begin(), entries.end(), [key](const ACCEL& entry) {
        return (entry.fVirt & FVIRTKEY) && entry.key == key.virtualKey && modifiersOf(entry) == key.modifiers;
    });
}

bool isModifierKey(UINT virtualKey)
{
    switch (virtualKey) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
        return true;
    default:
        return false;
    }
}

HotKeyChord chordOf(WinHotKey key)
{
    HotKeyChord chord;
    chord.ctrl = key.modifiers & MOD_CONTROL;
    chord.alt = key.modifiers & MOD_ALT;
    chord.shift = key.modifiers & MOD_SHIFT;
    chord.meta = key.modifiers & MOD_WIN;
    if (isModifierKey(key.virtualKey)) {
        chord.key = HotKeyChord::Key::Modifier;
        return chord;
    }
    chord.name = narrow(hotKeyToText(WinHotKey{0, key.virtualKey}));
    if (!chord.name.empty())
        chord.key = HotKeyChord::Key::Ordinary;
    return chord;
}

}  // namespace

HotKeyCheck checkWinHotKey(WinHotKey key)
{
    const bool stripKey = std::find(editingKeys.begin(), editingKeys.end(), key) != editingKeys.end()
        || isAcceleratorKey(key);
    return checkHotKey(chordOf(key), stripKey);
}

std::optional<WinHotKey> storedHotKey(const std::wstring& text)
{
    if (isNoHotKeyText(narrow(text)))
        return std::nullopt;
    const std::optional<WinHotKey> key = hotKeyFromText(text);
    if (key && checkWinHotKey(*key) == HotKeyCheck::Usable)
        return key;
    return hotKeyFromText(widen(defaultHotKeyText));
}
