#pragma once
#include "core/hotkeyrule.h"
#include "win32/hotkeytext.h"

// Whether a key can be the clipboard hot key, by the rules of hotkeyrule.h:
// the strip's own keys are its accelerators (from this program's resources),
// the editing keys of the entry box and Alt+Down / Alt+Up, which open and
// close its list.
HotKeyCheck checkWinHotKey(WinHotKey key);
