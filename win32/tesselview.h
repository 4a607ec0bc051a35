#pragma once
#include "engine/calculator.h"
#include "win32/entrycombobox.h"
#include "win32/hotkeytext.h"

#include <cstddef>
#include <optional>
#include <string>
#include <windows.h>

// The identifier of the registered message "CalcSetAns", which carries an
// evaluation request (word parameter: the mode) to the view; always posted.
UINT calcSetAnsMessage();

// The expression window, laid out from dialog template 101 as a child of the
// frame: the grip at the left and the entry box beside it. It owns the
// program's calculator. Enter in the box posts an evaluation request; the
// view evaluates the box text and shows "expression : result" in the box
// and as the newest history item. It also holds the clipboard hot key,
// moves the main window by the grip, opens the grip's context menu and
// carries out the edit commands of the entry box.
class CTesselView {
public:
    bool Create(HINSTANCE instance, HWND frame);
    HWND hwnd() const { return m_hWnd; }
    HWND entryBox() const { return m_entryBox.hwnd(); }
    Calculator<double>& calculator() { return m_calculator; }

    // Keys for the entry box, seen before the frame's accelerators; true
    // when the message has been dealt with.
    bool PreTranslateMessage(const MSG& message);
    // The view's commands, the application's forwarded; false for a command
    // that is neither.
    bool OnCommand(int command);
    // The data file: read once at start, written when the settings sheet closes.
    void LoadDataFile();
    void SaveDataFile();
    // Fits the controls to the view's client area, the grip band scaled to
    // the window's DPI.
    void OnSize();
    void OnCalcSetAns(int mode);

    // Makes key the clipboard hot key (none when empty) in place of the one
    // held; false when the system refused it (another program holds the
    // key), and then the view holds none.
    bool SetHotKey(std::optional<WinHotKey> key);
    // The hot key held, and whether the last one asked for (the stored one
    // at start) was refused.
    const std::optional<WinHotKey>& hotKey() const { return m_hotKey; }
    bool hotKeyTaken() const { return m_bHotKeyTaken; }

    // Width of the grip band at 96 dpi, in pixels.
    static constexpr int gripWidth = 19;
    // From this many bytes of text on, the memory an evaluation freed is given
    // back to the system afterwards, so that the resident program shrinks back.
    static constexpr std::size_t largeTextSize = 64 * 1024;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitialUpdate();
    void OnNotify(int notification);
    // The exchange between m_strEntry and the box: from the box it warns about
    // an over-long text and is false then; towards the box it selects the
    // first history line that begins with the text, or sets the text.
    bool UpdateData(bool saveAndValidate);

    void OnHotKey();
    void OnEditChange();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditUndo();
    void OnMinimize();
    void OnRestore();
    void OnDeleteRegistry();
    void OnLButtonDown(POINT point);
    void OnMouseMove(POINT point, WPARAM flags);
    void OnLButtonUp(POINT point);
    void OnLButtonDblClk(POINT point);
    void OnRButtonDown(POINT point);

    void registerStoredHotKey();
    int gripSize() const;
    void loadGripBitmap(int size);

    HWND m_hWnd = nullptr;
    CEntryComboBox m_entryBox;
    HWND m_hGrip = nullptr;
    std::string m_strEntry;
    Calculator<double> m_calculator;
    bool m_bDrag = false;
    HWND m_hUndoTarget = nullptr;
    POINT m_ptDrag{};
    // Where the press that started the drag lies in the main window.
    POINT m_ptDragInFrame{};
    std::optional<WinHotKey> m_hotKey;
    bool m_bHotKeyTaken = false;
    HBITMAP m_hGripBitmap = nullptr;
    // The template's bitmap has the size of the band at 96 dpi.
    int m_nGripBitmapSize = gripWidth;
};
