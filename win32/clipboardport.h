#pragma once
#include "core/clipboardcalculation.h"

#include <windows.h>

// The Windows clipboard for the hot key's calculation: text goes in and out
// as CF_UNICODETEXT, converted from and to the program's code page 932. The
// clipboard is opened for the view's window, and only for each read or
// write, so that no other program waits on the evaluation.
class CWinClipboardPort : public ClipboardPort {
public:
    explicit CWinClipboardPort(HWND owner) : m_hOwner(owner) {}

    std::optional<std::string> readText() override;
    void writeText(const std::string& text) override;
    void tellUser(const std::string& message) override;

private:
    // Another program may hold the clipboard for a moment (the one that has
    // just copied the text, say): tried again for a short while.
    bool open() const;

    HWND m_hOwner;
};
