#pragma once
#include "core/hotkeyrule.h"
#include "win32/hotkeytext.h"

#include <optional>
#include <string>

// Whether a key can be the clipboard hot key, by the rules of hotkeyrule.h:
// the strip's own keys are its accelerators (from this program's resources),
// the editing keys of the entry box and Alt+Down / Alt+Up, which open and
// close its list.
HotKeyCheck checkWinHotKey(WinHotKey key);

// The key a stored "HotKey" text gives the program: none for a blank text,
// the default key for one that names no key the program can hold.
std::optional<WinHotKey> storedHotKey(const std::wstring& text);
