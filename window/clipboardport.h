#pragma once
#include "core/clipboardcalculation.h"

class ClipboardText;
class HotKeyClipboard;

// The hot key's clipboard for the calculation: the text goes through
// ClipboardText to and from the clipboard's data, and the user is told in a
// message box.
class QtClipboardPort : public ClipboardPort {
public:
    QtClipboardPort(HotKeyClipboard& clipboard, ClipboardText& text);

    std::optional<std::string> readText() override;
    void writeText(const std::string& text) override;
    void tellUser(const std::string& message) override;

private:
    HotKeyClipboard& m_clipboard;
    ClipboardText& m_text;
};
