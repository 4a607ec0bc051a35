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
// program. A rule refusing the keys the strip itself needs belongs here too.
enum class HotKeyCheck { Usable, NeedsModifier };

HotKeyCheck checkHotKey(const HotKeyChord& chord);

// Whether a stored "HotKey" value is blank: the user cleared the field and
// there is no hot key. A missing value means defaultHotKeyText, as does one
// that names no usable key.
bool isNoHotKeyText(const std::string& stored);
