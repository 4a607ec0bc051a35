#pragma once
#include <windows.h>

// The About box (dialog 100): the program icon, "Orrin Version <version>",
// one line saying what the program is, and OK. It has no fields; OK, Escape
// and the close box all close it.
class CAboutDlg {
public:
    // Runs the box modally over owner.
    static void DoModal(HINSTANCE instance, HWND owner);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
