#pragma once

class QWidget;

// Keeps Qt's idea of where a top-level window lies in step with the window
// system each time the window is mapped. Some window managers (openbox) put a
// new window in place after Qt has read its position and tell it nothing
// more; Qt would then take the screen's corner for it, and so would every
// menu popped up at the window and the position stored at exit. Call once,
// before the window is first shown; it ends with the window.
void followWindowPlacement(QWidget* window);
