#pragma once
#include <string>
#include <windows.h>

// The entry box: an editable drop-down box whose keys pass a filter before
// the message loop translates them. Enter (with any modifiers; Alt alone
// makes it a system key, which the filter never sees) asks the view for a
// decimal evaluation and Ctrl+Shift+H for a hexadecimal one; both requests
// are posted as "CalcSetAns", and the key goes no further. While the history
// list is dropped down the two keys evaluate as well: a line the user
// highlighted in the list is taken into the box first, and the list closes.
class CEntryComboBox {
public:
    // Binds the filter to the box control and the view its requests go to.
    void Attach(HWND box, HWND view);
    HWND hwnd() const { return m_hWnd; }
    // The edit field inside the box.
    HWND editField() const { return m_hEdit; }
    std::wstring text() const;

    // True when the message was a request key and has been consumed.
    bool PreTranslateMessage(const MSG& message);

    // Notifications of the box, passed on by the view.
    void OnDropDown();
    void OnSelChange();
    void OnEditChange();
    // Posted by OnDropDown to the view, which hands it back here once the
    // list is open.
    static constexpr UINT droppedMessage = WM_APP + 1;
    void OnDropped();

private:
    // The mode the key asks for, or -1 when it asks for no evaluation.
    int requestedMode(const MSG& message) const;
    bool isDroppedDown() const;
    bool highlightMoved() const;
    void takeHighlightedLine();

    HWND m_hWnd = nullptr;
    HWND m_hEdit = nullptr;
    HWND m_hView = nullptr;
    // Whether the user has moved the list's highlight since the list opened.
    bool m_bHighlightMoved = false;
    // The list's highlight when it opened.
    LRESULT m_nDroppedSelection = CB_ERR;
    // What the box held when the list was asked to open.
    std::wstring m_strTyped;
    DWORD m_dwTypedSelection = 0;
};
