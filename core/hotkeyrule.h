#pragma once
#include <string>

// One key combination as a front end reads it from its key field.
struct HotKeyChord {
    enum class Key { Ordinary, Modifier, Unknown };

    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    bool meta = false;
    // The key pressed with the modifiers: an ordinary key, a modifier key
    // itself (Ctrl, Shift, Alt, Meta, AltGr) or one the front end cannot name.
    Key key = Key::Unknown;
    // Its name in portable key text ("K", "F12"), for rules about given keys.
    std::string name;
};

// Why a combination cannot be the hot key. Without Ctrl, Alt or Meta (Shift
// alone included) it would take ordinary typing away from every other
// program; held as the hot key, a key of the strip would be taken away from
// the strip.
enum class HotKeyCheck { Usable, NeedsModifier, UsedByStrip };

// Whether the entry box uses the chord: it evaluates on Enter and on
// Ctrl+Shift+H whatever else is held, save Alt without Ctrl (that is for
// mnemonics), and takes Ctrl+H for Backspace.
bool isEntryBoxKey(const HotKeyChord& chord);

// frontEndKey: the front end's own keys of the strip, which only it knows
// (its accelerators, the editing keys of the line and the list as the
// platform binds them).
HotKeyCheck checkHotKey(const HotKeyChord& chord, bool frontEndKey);

// The stored hot key ("HotKey") is the key in portable key text
// ("Ctrl+Alt+K"). A missing value means this key, as does one that names no
// usable key.
inline constexpr char defaultHotKeyText[] = "Ctrl+Shift+C";

// Whether a stored value is blank: the user cleared the field and there is no
// hot key.
bool isNoHotKeyText(const std::string& stored);
