#pragma once
#include <QComboBox>

class CTesselView;

// The entry box: an editable drop-down box whose keys pass a filter first.
// Enter (with any modifiers) asks the view for a decimal evaluation and
// Ctrl+Shift+H for a hexadecimal one; both requests are posted, and the key
// goes no further. The keys of the main window's accelerator table are left
// to the accelerators, so that copy, cut, paste and undo reach the view's
// commands. Everything else is the box's ordinary editing of one line: text
// pasted into it ends at its first line break or NUL.
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

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
