#include "entrycombobox.h"

#include "accelerators.h"
#include "calcsetansevent.h"
#include "tesselview.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr int decimalMode = 0;
constexpr int hexadecimalMode = 1;

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
    lineEdit()->setObjectName(QStringLiteral("entryEdit"));
}

CEntryComboBox::~CEntryComboBox() = default;

bool CEntryComboBox::PreTranslateMessage(QKeyEvent* event)
{
    if (!m_pView || isSystemKey(event->modifiers()))
        return false;
    const int key = event->key();
    if (isEnter(key)) {
        postCalcSetAns(m_pView, decimalMode);
        return true;
    }
    if (key == Qt::Key_H && isCtrlShift(event->modifiers())) {
        postCalcSetAns(m_pView, hexadecimalMode);
        return true;
    }
    return false;
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
    if (!PreTranslateMessage(event))
        QComboBox::keyPressEvent(event);
}
