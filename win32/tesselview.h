#pragma once
#include "engine/calculator.h"

#include <string>
#include <windows.h>

// The identifier of the registered message "CalcSetAns", which carries an
// evaluation request (word parameter: the mode) to the view; always posted.
UINT calcSetAnsMessage();

// The expression window, laid out from dialog template 101 as a child of the
// frame: the grip at the left and the entry box beside it. It owns the
// program's calculator. Enter in the box posts an evaluation request; the
// view evaluates the box text and shows "expression : result" in the box
// and as the newest history item.
class CTesselView {
public:
    bool Create(HINSTANCE instance, HWND frame);
    HWND hwnd() const { return m_hWnd; }
    HWND entryBox() const { return m_hEntryBox; }
    Calculator<double>& calculator() { return m_calculator; }

    // Keys for the entry box, seen before the frame's accelerators; true
    // when the message has been dealt with.
    bool PreTranslateMessage(const MSG& message);
    // The view's commands; false for a command that is not the view's.
    bool OnCommand(int command);
    // The data file: read once at start, written when the settings sheet closes.
    void LoadDataFile();
    void SaveDataFile();
    // Fits the controls to the view's client area.
    void OnSize();
    void OnCalcSetAns(int mode);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::string entryText() const;

    HWND m_hWnd = nullptr;
    HWND m_hEntryBox = nullptr;
    HWND m_hGrip = nullptr;
    std::string m_strEntry;
    Calculator<double> m_calculator;
};
