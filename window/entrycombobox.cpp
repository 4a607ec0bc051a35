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
    lineEdit()->installEventFilter(this);
}

CEntryComboBox::~CEntryComboBox() = default;

bool CEntryComboBox::PreTranslateMessage(QKeyEvent* event)
{
    if (!m_pView)
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

bool CEntryComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && PreTranslateMessage(static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::ShortcutOverride) {
        // The line edit would claim its own copy/paste/undo keys; leave the
        // table's keys to the main window's accelerators.
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (isAcceleratorKey(keyEvent->keyCombination())) {
            event->ignore();
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void CEntryComboBox::keyPressEvent(QKeyEvent* event)
{
    // Keys reaching the box itself (focus on the box, not its edit field).
    if (!PreTranslateMessage(event))
        QComboBox::keyPressEvent(event);
}
