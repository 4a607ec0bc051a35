#include "settings/hotkeyedit.h"

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
