#pragma once
#include "win32/hotkeytext.h"
#include "win32/propertypage.h"

#include <functional>
#include <optional>
#include <string>

// The sheet's first page, "基本設定" (template 141): whether the main window
// starts hidden, whether Windows starts the program at login, and the
// clipboard hot key. The fields take the controls when the page is left (or
// OK pressed while it is shown); a refused key keeps the user on the page.
class CGeneralPage : public CPropertyPage {
public:
    CGeneralPage();

    int m_bNoDisplay = 0;
    int m_bStartAtLogin = 0;
    // No value: no hot key.
    std::optional<WinHotKey> m_hotKey;
    // Shown under the key when the page opens: why the key does not work, or empty.
    std::wstring m_strHotKeyState;
    // Takes a key changed on the page at once; returns why it could not be
    // taken, or an empty text. Without it the key is only stored.
    std::function<std::wstring(const std::optional<WinHotKey>&)> m_tryHotKey;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int command) override;
    bool OnKillActive() override;

private:
    bool takeHotKey();
    std::optional<WinHotKey> keyInControl() const;
    void showHotKeyState(const std::wstring& text);

    // The control cannot show the Windows key: a stored key with it stays as
    // it is until the user presses another.
    bool m_bHotKeyEdited = false;
    bool m_bFilling = false;
};
