#pragma once
#include "framework/propertysheet.h"

#include <QKeySequence>
#include <QString>
#include <functional>

class CHotKeyEdit;
class QCheckBox;
class QLabel;

// The sheet's first page, "基本設定": whether the main window starts hidden,
// whether the desktop starts the program at login, and the clipboard hot key.
class CGeneralPage : public PropertyPage {
public:
    CGeneralPage();

    // 1 when the window is to start hidden, else 0.
    int m_bNoDisplay = 0;
    // 1 when the desktop is to start the program at login, else 0.
    int m_bStartAtLogin = 0;
    // The hot key (empty: none).
    QKeySequence m_hotKey;
    // Shown under the key when the page opens: why the key does not work, or empty.
    QString m_strHotKeyState;
    // Takes a key changed on the page at once, when the page is left or OK
    // pressed; returns why it could not be taken, or an empty text. Without
    // it the key is only stored.
    std::function<QString(const QKeySequence&)> m_tryHotKey;

    // Replaces what the page says under the key.
    void showHotKeyState(const QString& text);

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    QCheckBox* m_noDisplayCheck;
    QCheckBox* m_startAtLoginCheck;
    CHotKeyEdit* m_hotKeyEdit;
    QLabel* m_hotKeyState;
};
