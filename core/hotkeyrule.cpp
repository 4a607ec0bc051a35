#include "core/hotkeyrule.h"

#include <algorithm>

HotKeyCheck checkHotKey(const HotKeyChord& chord)
{
    const bool held = chord.ctrl || chord.alt || chord.meta;
    if (!held || chord.key != HotKeyChord::Key::Ordinary)
        return HotKeyCheck::NeedsModifier;
    return HotKeyCheck::Usable;
}

bool isNoHotKeyText(const std::string& stored)
{
    return std::all_of(stored.begin(), stored.end(),
                       [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
}
