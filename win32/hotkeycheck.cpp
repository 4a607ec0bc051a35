#include "win32/hotkeycheck.h"

#include "win32/resourceids.h"
#include "win32/widetext.h"

#include <array>
#include <vector>

namespace {

// The entry box's own keys with Ctrl or Alt: moving and selecting by word or
// to either end, selecting all, and opening and closing the history list.
constexpr std::array<WinHotKey, 11> editingKeys{{
    {MOD_CONTROL, VK_LEFT},
    {MOD_CONTROL, VK_RIGHT},
    {MOD_CONTROL | MOD_SHIFT, VK_LEFT},
    {MOD_CONTROL | MOD_SHIFT, VK_RIGHT},
    {MOD_CONTROL, VK_HOME},
    {MOD_CONTROL, VK_END},
    {MOD_CONTROL | MOD_SHIFT, VK_HOME},
    {MOD_CONTROL | MOD_SHIFT, VK_END},
    {MOD_CONTROL, 'A'},
    {MOD_ALT, VK_UP},
    {MOD_ALT, VK_DOWN},
}};

// The frame's accelerator table, read from the resources as the frame reads it.
std::vector<WinHotKey> acceleratorKeys()
{
    const HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!table)
        return {};
    std::vector<ACCEL> entries(static_cast<std::size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
    std::vector<WinHotKey> keys;
    for (const ACCEL& entry : entries) {
        if (!(entry.fVirt & FVIRTKEY))
            continue;
        UINT modifiers = 0;
        if (entry.fVirt & FCONTROL)
            modifiers |= MOD_CONTROL;
        if (entry.fVirt & FALT)
            modifiers |= MOD_ALT;
        if (entry.fVirt & FSHIFT)
            modifiers |= MOD_SHIFT;
        keys.push_back({modifiers, entry.key});
    }
    return keys;
}

bool isStripKey(const WinHotKey& key)
{
    for (const WinHotKey& editing : editingKeys) {
        if (editing == key)
            return true;
    }
    for (const WinHotKey& accelerator : acceleratorKeys()) {
        if (accelerator == key)
            return true;
    }
    return false;
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

HotKeyChord chordOf(const WinHotKey& key)
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
    const std::wstring name = hotKeyToText({0, key.virtualKey});
    if (name.empty())
        return chord;
    chord.key = HotKeyChord::Key::Ordinary;
    chord.name = narrow(name);
    return chord;
}

}  // namespace

HotKeyCheck checkHotKey(const std::optional<WinHotKey>& key)
{
    if (!key)
        return HotKeyCheck::Usable;
    return checkHotKey(chordOf(*key), isStripKey(*key));
}
