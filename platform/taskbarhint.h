#pragma once

class QWidget;

// Asks the window manager to keep a top-level window out of the taskbar and
// the pager. Call each time before the window is shown (from its show event):
// window managers drop the hint when a window is hidden. Does nothing where
// the window system has no such hint.
void keepOutOfTaskbar(QWidget* window);
