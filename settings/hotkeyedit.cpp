#include "settings/hotkeyedit.h"

#include "res/accelerators.h"
#include "res/texts.h"

namespace {

// The entry box evaluates on Enter and on Ctrl+Shift+H whatever else is held,
// save Alt without Ctrl (that is for mnemonics), and takes Ctrl+H for Backspace.
bool isEntryBoxKey(QKeyCombination combination)
{
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    if (modifiers.testFlag(Qt::AltModifier) && !ctrl)
        return false;
    switch (combination.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_H:
        return ctrl && (modifiers.testFlag(Qt::ShiftModifier) || modifiers == Qt::ControlModifier);
    default:
        return false;
    }
}

// The line edit's and the history list's own keys, as the platform binds them.
bool isEditingKey(QKeyCombination combination)
{
    static constexpr QKeySequence::StandardKey editing[] = {
        QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut, QKeySequence::Copy,
        QKeySequence::Paste, QKeySequence::SelectAll, QKeySequence::Deselect,
        QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteCompleteLine, QKeySequence::MoveToNextWord, QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToStartOfLine, QKeySequence::MoveToEndOfLine, QKeySequence::MoveToStartOfDocument,
        QKeySequence::MoveToEndOfDocument, QKeySequence::SelectNextWord, QKeySequence::SelectPreviousWord,
        QKeySequence::SelectStartOfLine, QKeySequence::SelectEndOfLine, QKeySequence::SelectStartOfDocument,
        QKeySequence::SelectEndOfDocument,
    };
    for (QKeySequence::StandardKey standard : editing) {
        for (const QKeySequence& binding : QKeySequence::keyBindings(standard)) {
            if (binding[0] == combination)
                return true;
        }
    }
    // The history list opens and closes on Alt+Down and Alt+Up.
    return combination == (Qt::ALT | Qt::Key_Down) || combination == (Qt::ALT | Qt::Key_Up);
}

}  // namespace

CHotKeyEdit::CHotKeyEdit(QWidget* parent) : QKeySequenceEdit(parent)
{
    setObjectName(QStringLiteral("hotKeyEdit"));
}

void CHotKeyEdit::setKey(const QKeySequence& key)
{
    setKeySequence(key.isEmpty() ? QKeySequence() : QKeySequence(key[0]));
}

void CHotKeyEdit::keyPressEvent(QKeyEvent* event)
{
    const QKeySequence before = keySequence();
    QKeySequenceEdit::keyPressEvent(event);
    const QKeySequence recorded = keySequence();
    if (recorded.isEmpty())
        return;  // a modifier alone so far
    // Setting the key ends the recording at once, instead of a second later
    // with room for more chords; the next key pressed starts afresh.
    setKeySequence(QKeySequence(recorded[0]));
    if (keySequence() != before)
        emit keySequenceChanged(keySequence());
}

QKeySequence defaultHotKey()
{
    return QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_C);
}

bool isUsableHotKey(const QKeySequence& key)
{
    if (key.isEmpty())
        return true;
    if (key.count() != 1)
        return false;
    const QKeyCombination combination = key[0];
    const Qt::Key pressed = combination.key();
    const bool modifierKey = pressed == Qt::Key_Control || pressed == Qt::Key_Shift
        || pressed == Qt::Key_Alt || pressed == Qt::Key_Meta || pressed == Qt::Key_AltGr;
    const bool held = combination.keyboardModifiers()
        & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return held && !modifierKey && pressed != Qt::Key_unknown && pressed != 0;
}

bool isStripKey(const QKeySequence& key)
{
    if (key.count() != 1)
        return false;
    const QKeyCombination combination = key[0];
    return isAcceleratorKey(combination) || isEntryBoxKey(combination) || isEditingKey(combination);
}

QKeySequence hotKeyFromText(const QString& stored)
{
    if (stored.isNull())
        return defaultHotKey();
    if (stored.trimmed().isEmpty())
        return {};
    const QKeySequence key = QKeySequence::fromString(stored, QKeySequence::PortableText);
    return !key.isEmpty() && isUsableHotKey(key) ? key : defaultHotKey();
}

QString hotKeyToText(const QKeySequence& key)
{
    return key.toString(QKeySequence::PortableText);
}

QString hotKeyStateText(const GlobalHotKey& hotKey)
{
    switch (hotKey.state()) {
    case GlobalHotKey::State::Taken:
        return QString::fromUtf8(res::text::hotKeyTaken);
    case GlobalHotKey::State::Unavailable:
        return QString::fromUtf8(res::text::hotKeyUnavailable);
    case GlobalHotKey::State::Unassigned:
        return QString::fromUtf8(res::text::hotKeyUnassigned);
    case GlobalHotKey::State::Bound:
        if (!hotKey.worksEverywhere())
            return QString::fromUtf8(res::text::hotKeyX11Only);
        // A desktop portal may let the user pick another trigger than the key asked for.
        if (hotKey.triggerText() != hotKey.key().toString(QKeySequence::NativeText))
            return QString::fromUtf8(res::text::hotKeyTrigger).arg(hotKey.triggerText());
        return {};
    default:
        return {};
    }
}
