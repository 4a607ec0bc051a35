#pragma once
#include "engine/calculator.h"
#include "window/entrycombobox.h"
#include "framework/view.h"

#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

class ClipboardText;
class HotKeyClipboard;
class GlobalHotKey;

// What the view needs of the program around it; the application fills it in.
struct ViewHost {
    // The clipboard hot key, taken in every application (empty: none).
    QKeySequence hotKey;
    // Opens the settings over `owner` for the calculator's store and the
    // view's hot key, which the settings may change.
    std::function<void(QWidget* owner, Calculator<double>& calculator, GlobalHotKey* hotKey)> editSettings;
    // Whether the grip's menu carries the exit command now: no tray to end the program from.
    std::function<bool()> exitInContextMenu;
    // The stored settings have been deleted: none are to be written at exit.
    std::function<void()> profileDeleted;
};

// The expression window: the grip at the left and the entry box beside it.
// It owns the program's calculator. Enter in the box posts an evaluation
// request; the view evaluates the box text and shows "expression : result"
// in the box and as the newest history item. It also handles the clipboard
// hot key, moving the window by the grip, the grip's context menu and the
// edit commands of the entry box.
class CTesselView : public View {
    Q_OBJECT
public:
    explicit CTesselView(QWidget* parent = nullptr, ViewHost host = {});
    ~CTesselView() override;

    void OnInitialUpdate() override;
    void Serialize(Archive& archive) override;

    // The evaluation command; mode 0 decimal, 1 hexadecimal.
    void OnCalcSetAns(int mode);
    // The clipboard hot key: evaluates the clipboard text and puts the result
    // or the error message on the clipboard in its place. When memory runs
    // short, for the text or its evaluation, the clipboard stays as it was
    // and a message box says "メモリエラー。".
    void OnHotKey();
    // The same with a given text object (tests pass their own).
    void ExchangeClipboard(ClipboardText& text);

    void OnEditChange();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditUndo();
    void OnMinimize();
    void OnRestore();
    void OnSettings();
    void OnDeleteRegistry();

    // The entry text as last taken from the box, in 8-bit text.
    const std::string& entryText() const { return m_strEntry; }
    const Calculator<double>& calculator() const { return m_calculator; }

    // Width of the grip band at the left, in pixels.
    static constexpr int gripWidth = 19;
    // From this many bytes of text on, the memory an evaluation freed is given
    // back to the system afterwards, so that the resident program shrinks back.
    static constexpr std::size_t largeTextSize = 64 * 1024;

protected:
    void DoDataExchange(DataExchange& dx) override;

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CEntryComboBox m_entryBox;
    QLabel m_grip;
    std::string m_strEntry;
    Calculator<double> m_calculator;
    bool m_bDrag = false;
    QPointer<QLineEdit> m_hUndoTarget;
    QPoint m_ptDrag;
    // The clipboard as the hot key reaches it, made at the first press.
    std::unique_ptr<HotKeyClipboard> m_pClipboard;
    ViewHost m_host;
    GlobalHotKey* m_pHotKey = nullptr;  // a child of the view

    void createCommandMap();
    void layoutControls();
    void selectEntryOrSetText();
    void showContextMenu(const QPoint& point);
    void forwardToApplication(int id);
};
