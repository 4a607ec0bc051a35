#include "core/hotkeyrule.h"

#include <algorithm>

bool isEntryBoxKey(const HotKeyChord& chord)
{
    if (chord.alt && !chord.ctrl)
        return false;
    if (chord.name == "Return" || chord.name == "Enter")
        return true;
    return chord.name == "H" && chord.ctrl && (chord.shift || (!chord.alt && !chord.meta));
}

HotKeyCheck checkHotKey(const HotKeyChord& chord, bool frontEndKey)
{
    const bool held = chord.ctrl || chord.alt || chord.meta;
    if (!held || chord.key != HotKeyChord::Key::Ordinary)
        return HotKeyCheck::NeedsModifier;
    if (frontEndKey || isEntryBoxKey(chord))
        return HotKeyCheck::UsedByStrip;
    return HotKeyCheck::Usable;
}

bool isNoHotKeyText(const std::string& stored)
{
    return std::all_of(stored.begin(), stored.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
}
