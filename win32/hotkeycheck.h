#pragma once
#include "core/hotkeyrule.h"
#include "win32/hotkeytext.h"

#include <optional>

// Whether a key can be the clipboard hot key: the rules of every front end,
// with the keys this strip takes for itself (its accelerators, the editing
// keys of its entry box and the history list's). No key at all is usable.
HotKeyCheck checkHotKey(const std::optional<WinHotKey>& key);
