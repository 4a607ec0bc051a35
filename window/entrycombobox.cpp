#include "window/entrycombobox.h"

#include "core/evaluationmode.h"
#include "res/accelerators.h"
#include "framework/calcsetansevent.h"
#include "window/tesselview.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>

namespace {

constexpr int noRequest = -1;
constexpr int decimalMode = static_cast<int>(EvaluationMode::Decimal);
constexpr int hexadecimalMode = static_cast<int>(EvaluationMode::Hexadecimal);

bool isCtrlShift(Qt::KeyboardModifiers modifiers)
{
    return modifiers.testFlag(Qt::ControlModifier) && modifiers.testFlag(Qt::ShiftModifier);
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Keys pressed with Alt but without Ctrl are system keys (menu mnemonics,
// Alt+F4): they never reach the filter.
bool isSystemKey(Qt::KeyboardModifiers modifiers)
{
    return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier);
}

bool endsLine(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::Null;
}

// Keeps the box to one line, as a single-line edit field is: text pasted
// into it ends at its first line break or NUL. The text held no break before
// the change and the caret stands behind what was inserted, so the part from
// the first break up to the caret is the rest of the pasted text.
class SingleLineText : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        const auto found = std::find_if(input.cbegin(), input.cend(), endsLine);
        if (found == input.cend())
            return Acceptable;
        const auto cut = static_cast<int>(found - input.cbegin());
        const int end = pos > cut ? pos : static_cast<int>(input.size());
        input.remove(cut, end - cut);
        pos = cut;
        return Acceptable;
    }
};

}  // namespace

CEntryComboBox::CEntryComboBox(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("entryBox"));
    setEditable(true);
    // A plain drop-down box: no completion from the history, nothing added
    // to the list by the box itself.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(30);
    setValidator(new SingleLineText(this));
    lineEdit()->setObjectName(QStringLiteral("entryEdit"));
    // The dropped-down list has the keyboard; its keys pass the filter too.
    view()->installEventFilter(this);
    connect(this, &QComboBox::highlighted, this, [this] { m_bHighlightMoved = true; });
}

CEntryComboBox::~CEntryComboBox() = default;

int CEntryComboBox::requestedMode(const QKeyEvent& event) const
{
    if (!m_pView || isSystemKey(event.modifiers()))
        return noRequest;
    if (isEnter(event.key()))
        return decimalMode;
    if (event.key() == Qt::Key_H && isCtrlShift(event.modifiers()))
        return hexadecimalMode;
    return noRequest;
}

bool CEntryComboBox::PreTranslateMessage(QKeyEvent* event)
{
    const int mode = requestedMode(*event);
    if (mode == noRequest)
        return false;
    postCalcSetAns(m_pView, mode);
    return true;
}

void CEntryComboBox::showPopup()
{
    QComboBox::showPopup();
    // Opening the list highlights the current line; that is not the user's choice.
    m_bHighlightMoved = false;
}

bool CEntryComboBox::eventFilter(QObject* watched, QEvent* event)
{
    // The list would take Enter for picking the highlighted line and closing,
    // without an evaluation. It sees neither the shortcut check nor the key.
    const QEvent::Type type = event->type();
    if (watched != view() || (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        || requestedMode(*static_cast<QKeyEvent*>(event)) == noRequest)
        return QComboBox::eventFilter(watched, event);
    event->accept();
    if (type == QEvent::KeyPress) {
        takeHighlightedLine();
        hidePopup();
        PreTranslateMessage(static_cast<QKeyEvent*>(event));
    }
    return true;
}

void CEntryComboBox::takeHighlightedLine()
{
    const QModelIndex highlighted = view()->currentIndex();
    if (!m_bHighlightMoved || !highlighted.isValid())
        return;
    setCurrentIndex(highlighted.row());
    // Also when it was the current line already and the user has typed since.
    setEditText(itemText(highlighted.row()));
}

bool CEntryComboBox::event(QEvent* event)
{
    // The box holds the focus for its edit field and passes keys on to it;
    // the edit field would claim its own copy, paste and undo keys here.
    // Leave the table's keys to the main window's accelerators instead.
    if (event->type() == QEvent::ShortcutOverride
        && isAcceleratorKey(static_cast<QKeyEvent*>(event)->keyCombination())) {
        event->ignore();
        return true;
    }
    return QComboBox::event(event);
}

void CEntryComboBox::keyPressEvent(QKeyEvent* event)
{
    if (PreTranslateMessage(event))
        return;
    // Ctrl+H is the backspace character, and a one-line edit field treats it
    // as the Backspace key.
    if (event->key() == Qt::Key_H && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        lineEdit()->backspace();
        return;
    }
    QComboBox::keyPressEvent(event);
}
