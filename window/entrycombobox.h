#pragma once
#include <QComboBox>

class CTesselView;

// The entry box: an editable drop-down box whose keys pass a filter first.
// Enter (with any modifiers) asks the view for a decimal evaluation and
// Ctrl+Shift+H for a hexadecimal one; both requests are posted, and the key
// goes no further. The keys of the main window's accelerator table are left
// to the accelerators, so that copy, cut, paste and undo reach the view's
// commands. Everything else is the box's ordinary editing of one line: text
// pasted into it ends at its first line break or NUL. While the history list
// is dropped down the two keys evaluate as well: a line the user highlighted
// in the list is taken into the box first, and the list closes.
class CEntryComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CEntryComboBox(QWidget* parent = nullptr);
    ~CEntryComboBox() override;

    // The view the requests go to; null until the view sets it.
    CTesselView* m_pView = nullptr;

    // The filter, offered every key press before the box handles it: true
    // when the key was consumed.
    bool PreTranslateMessage(QKeyEvent* event);

    void showPopup() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The mode the key asks for, or -1 when it asks for no evaluation.
    int requestedMode(const QKeyEvent& event) const;
    void takeHighlightedLine();

    // Whether the user has moved the list's highlight since the list opened.
    bool m_bHighlightMoved = false;
};
