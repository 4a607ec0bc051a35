#pragma once

// Whether the program runs in a Wayland session (WAYLAND_DISPLAY set or
// XDG_SESSION_TYPE=wayland), whatever Qt platform it uses.
bool isWaylandSession();

// Before the QApplication: in a Wayland session where the user has chosen no
// Qt platform, asks Qt for XWayland (xcb), where a window may stay on top and
// keep its place; Wayland itself remains the fallback. The environment holds
// the choice only until the application has made it.
void preferXWayland();
