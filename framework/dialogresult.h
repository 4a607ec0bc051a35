#pragma once

// What a modal dialog, property sheet or message box returns: the button that
// ended it.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
