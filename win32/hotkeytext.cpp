#include "win32/hotkeytext.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <span>
#include <string_view>

namespace {

struct NamedKey {
    UINT virtualKey;
    std::wstring_view name;
};

// The keys whose portable names are words. Enter (the keypad's) is read as
// Return, the one key Windows has for both.
constexpr std::array namedKeys{
    NamedKey{VK_SPACE, L"Space"},
    NamedKey{VK_ESCAPE, L"Esc"},
    NamedKey{VK_TAB, L"Tab"},
    NamedKey{VK_BACK, L"Backspace"},
    NamedKey{VK_RETURN, L"Return"},
    NamedKey{VK_RETURN, L"Enter"},
    NamedKey{VK_INSERT, L"Ins"},
    NamedKey{VK_DELETE, L"Del"},
    NamedKey{VK_PAUSE, L"Pause"},
    NamedKey{VK_SNAPSHOT, L"Print"},
    NamedKey{VK_HOME, L"Home"},
    NamedKey{VK_END, L"End"},
    NamedKey{VK_LEFT, L"Left"},
    NamedKey{VK_UP, L"Up"},
    NamedKey{VK_RIGHT, L"Right"},
    NamedKey{VK_DOWN, L"Down"},
    NamedKey{VK_PRIOR, L"PgUp"},
    NamedKey{VK_NEXT, L"PgDown"},
    NamedKey{VK_CAPITAL, L"CapsLock"},
    NamedKey{VK_NUMLOCK, L"NumLock"},
    NamedKey{VK_SCROLL, L"ScrollLock"},
    NamedKey{VK_APPS, L"Menu"},
    NamedKey{VK_HELP, L"Help"},
    NamedKey{VK_CLEAR, L"Clear"},
    NamedKey{VK_SELECT, L"Select"},
    NamedKey{VK_EXECUTE, L"Execute"},
    NamedKey{VK_CANCEL, L"Cancel"},
    NamedKey{VK_PLAY, L"Play"},
    NamedKey{VK_ZOOM, L"Zoom"},
    NamedKey{VK_SLEEP, L"Sleep"},
    NamedKey{VK_VOLUME_DOWN, L"Volume Down"},
    NamedKey{VK_VOLUME_MUTE, L"Volume Mute"},
    NamedKey{VK_VOLUME_UP, L"Volume Up"},
    NamedKey{VK_MEDIA_PLAY_PAUSE, L"Toggle Media Play/Pause"},
    NamedKey{VK_MEDIA_STOP, L"Media Stop"},
    NamedKey{VK_MEDIA_PREV_TRACK, L"Media Previous"},
    NamedKey{VK_MEDIA_NEXT_TRACK, L"Media Next"},
    NamedKey{VK_BROWSER_BACK, L"Back"},
    NamedKey{VK_BROWSER_FORWARD, L"Forward"},
    NamedKey{VK_BROWSER_REFRESH, L"Refresh"},
    NamedKey{VK_BROWSER_STOP, L"Stop"},
    NamedKey{VK_BROWSER_SEARCH, L"Search"},
    NamedKey{VK_BROWSER_FAVORITES, L"Favorites"},
    NamedKey{VK_BROWSER_HOME, L"Home Page"},
    NamedKey{VK_LAUNCH_MAIL, L"Launch Mail"},
};

// The keypad's keys, written behind the modifier "Num".
constexpr std::array keypadKeys{
    NamedKey{VK_MULTIPLY, L"*"}, NamedKey{VK_ADD, L"+"},    NamedKey{VK_SUBTRACT, L"-"},
    NamedKey{VK_DECIMAL, L"."},  NamedKey{VK_DIVIDE, L"/"},
};

struct Modifier {
    UINT flag;
    std::wstring_view name;
};

constexpr UINT keypadFlag = 0x10000;

// In the order the portable text writes them.
constexpr std::array modifiers{
    Modifier{MOD_WIN, L"Meta"},    Modifier{MOD_CONTROL, L"Ctrl"}, Modifier{MOD_ALT, L"Alt"},
    Modifier{MOD_SHIFT, L"Shift"}, Modifier{keypadFlag, L"Num"},
};

bool sameName(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towupper(x) == std::towupper(y);
           });
}

std::optional<UINT> namedKey(std::wstring_view name, bool keypad)
{
    if (keypad && name.size() == 1 && name[0] >= L'0' && name[0] <= L'9')
        return VK_NUMPAD0 + (name[0] - L'0');
    for (const NamedKey& key : keypad ? std::span<const NamedKey>(keypadKeys) : std::span<const NamedKey>(namedKeys))
        if (sameName(key.name, name))
            return key.virtualKey;
    if (keypad)
        return std::nullopt;
    if (name.size() < 2 || name.size() > 3 || std::towupper(name[0]) != L'F' || name[1] == L'0')
        return std::nullopt;
    UINT number = 0;
    for (const wchar_t digit : name.substr(1)) {
        if (digit < L'0' || digit > L'9')
            return std::nullopt;
        number = number * 10 + static_cast<UINT>(digit - L'0');
    }
    if (number > 24)
        return std::nullopt;
    return VK_F1 + number - 1;
}

// A letter, a digit or a sign: the key that types it unshifted on the
// keyboard layout in use.
std::optional<UINT> characterKey(std::wstring_view name)
{
    if (name.size() != 1)
        return std::nullopt;
    const wchar_t character = static_cast<wchar_t>(std::towupper(name[0]));
    if ((character >= L'A' && character <= L'Z') || (character >= L'0' && character <= L'9'))
        return character;
    const SHORT scanned = VkKeyScanW(character);
    if (scanned == -1 || HIBYTE(scanned) != 0)
        return std::nullopt;
    return LOBYTE(scanned);
}

// Reads the modifiers in front of the key; the rest of text is the key's name.
UINT takeModifiers(std::wstring_view& text)
{
    UINT flags = 0;
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& modifier : modifiers) {
            const std::size_t length = modifier.name.size();
            if (text.size() > length + 1 && text[length] == L'+' && sameName(text.substr(0, length), modifier.name)
                && !(flags & modifier.flag)) {
                flags |= modifier.flag;
                text.remove_prefix(length + 1);
                found = true;
            }
        }
    }
    return flags;
}

std::wstring keyName(UINT virtualKey)
{
    if (virtualKey >= VK_F1 && virtualKey <= VK_F24)
        return L"F" + std::to_wstring(virtualKey - VK_F1 + 1);
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
        return L"Num+" + std::wstring(1, static_cast<wchar_t>(L'0' + (virtualKey - VK_NUMPAD0)));
    for (const NamedKey& key : keypadKeys)
        if (key.virtualKey == virtualKey)
            return L"Num+" + std::wstring(key.name);
    for (const NamedKey& key : namedKeys)
        if (key.virtualKey == virtualKey)
            return std::wstring(key.name);
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return std::wstring(1, static_cast<wchar_t>(virtualKey));
    // A sign's key: the character it types unshifted, dead keys included.
    const UINT character = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR) & 0x7FFFFFFFu;
    if (character < 0x21 || character == 0x7F)
        return {};
    return std::wstring(1, static_cast<wchar_t>(character));
}

}  // namespace

std::optional<WinHotKey> hotKeyFromText(const std::wstring& text)
{
    std::wstring_view rest = text;
    UINT flags = takeModifiers(rest);
    const bool keypad = flags & keypadFlag;
    flags &= ~keypadFlag;
    std::optional<UINT> key = namedKey(rest, keypad);
    if (!key && !keypad)
        key = characterKey(rest);
    if (!key)
        return std::nullopt;
    return WinHotKey{flags, *key};
}

std::wstring hotKeyToText(WinHotKey hotKey)
{
    std::wstring name = keyName(hotKey.virtualKey);
    if (name.empty())
        return {};
    std::wstring text;
    for (const Modifier& modifier : modifiers)
        if (modifier.flag != keypadFlag && (hotKey.modifiers & modifier.flag))
            text += std::wstring(modifier.name) + L'+';
    return text + name;
}
