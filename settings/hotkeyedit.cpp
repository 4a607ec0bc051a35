#include "settings/hotkeyedit.h"

#include "core/hotkeyrule.h"
#include "res/accelerators.h"
#include "res/texts.h"

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
    return QKeySequence::fromString(QString::fromLatin1(defaultHotKeyText), QKeySequence::PortableText);
}

namespace {

// The line edit's and the history list's own keys, as the platform binds them.
bool isEditingKey(QKeyCombination combination)
{
    static constexpr QKeySequence::StandardKey editing[] = {
        QKeySequence::Undo,
        QKeySequence::Redo,
        QKeySequence::Cut,
        QKeySequence::Copy,
        QKeySequence::Paste,
        QKeySequence::SelectAll,
        QKeySequence::Deselect,
        QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteCompleteLine,
        QKeySequence::MoveToNextWord,
        QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToStartOfLine,
        QKeySequence::MoveToEndOfLine,
        QKeySequence::MoveToStartOfDocument,
        QKeySequence::MoveToEndOfDocument,
        QKeySequence::SelectNextWord,
        QKeySequence::SelectPreviousWord,
        QKeySequence::SelectStartOfLine,
        QKeySequence::SelectEndOfLine,
        QKeySequence::SelectStartOfDocument,
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

bool isModifierKey(Qt::Key key)
{
    return key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr;
}

HotKeyChord chordOf(QKeyCombination combination)
{
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    const Qt::Key key = combination.key();
    HotKeyChord chord;
    chord.ctrl = modifiers.testFlag(Qt::ControlModifier);
    chord.alt = modifiers.testFlag(Qt::AltModifier);
    chord.shift = modifiers.testFlag(Qt::ShiftModifier);
    chord.meta = modifiers.testFlag(Qt::MetaModifier);
    if (key == Qt::Key_unknown || key == 0)
        return chord;
    if (isModifierKey(key)) {
        chord.key = HotKeyChord::Key::Modifier;
        return chord;
    }
    chord.key = HotKeyChord::Key::Ordinary;
    chord.name = QKeySequence(key).toString(QKeySequence::PortableText).toStdString();
    return chord;
}

}  // namespace

HotKeyCheck checkHotKey(const QKeySequence& key)
{
    if (key.isEmpty())
        return HotKeyCheck::Usable;
    // The field keeps one combination; a stored sequence of more is no key.
    if (key.count() != 1)
        return HotKeyCheck::NeedsModifier;
    return checkHotKey(chordOf(key[0]), isAcceleratorKey(key[0]) || isEditingKey(key[0]));
}

bool isUsableHotKey(const QKeySequence& key)
{
    return checkHotKey(key) == HotKeyCheck::Usable;
}

QString hotKeyRefusalText(HotKeyCheck check)
{
    switch (check) {
    case HotKeyCheck::NeedsModifier:
        return QString::fromUtf8(res::text::hotKeyNeedsModifier);
    case HotKeyCheck::UsedByStrip:
        return QString::fromUtf8(res::text::hotKeyUsedByStrip);
    case HotKeyCheck::Usable:
        break;
    }
    return {};
}

QKeySequence hotKeyFromText(const QString& stored)
{
    if (stored.isNull())
        return defaultHotKey();
    if (isNoHotKeyText(stored.toStdString()))
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
