#pragma once
#include "core/hotkeyrule.h"
#include "platform/globalhotkey.h"

#include <QKeySequence>
#include <QKeySequenceEdit>
#include <QString>

// The hot key field of the general page: shows the key and records a new one
// as the user presses it. It keeps a single key combination; the second
// chord of a sequence never reaches the field.
class CHotKeyEdit : public QKeySequenceEdit {
    Q_OBJECT
public:
    explicit CHotKeyEdit(QWidget* parent = nullptr);

    QKeySequence key() const { return keySequence(); }
    void setKey(const QKeySequence& key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The key that the program takes when nothing else is stored.
QKeySequence defaultHotKey();

// Whether `key` can be the hot key: one combination that the hot key rules
// take. The empty key (no hot key) is usable too.
HotKeyCheck checkHotKey(const QKeySequence& key);
bool isUsableHotKey(const QKeySequence& key);
// What the general page says of a key refused for `check`.
QString hotKeyRefusalText(HotKeyCheck check);

// What the general page says of the key that `hotKey` holds: why it does not
// work, where alone it works, or the trigger the desktop gave it in place of
// the key asked for; else an empty text.
QString hotKeyStateText(const GlobalHotKey& hotKey);

// The stored "HotKey" value in Qt's portable text ("Ctrl+Alt+K"), and back.
// A missing value (a null string) or one that is not a usable key reads as
// defaultHotKey(); an empty value is the empty key, stored when the user
// cleared the field.
QKeySequence hotKeyFromText(const QString& stored);
QString hotKeyToText(const QKeySequence& key);
