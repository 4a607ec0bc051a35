#pragma once
#include <string>

class QMimeData;

// One piece of plain text on its way to or from the clipboard. The text is
// the program's 8-bit text (code page 932); it is converted to and from
// Unicode where it meets the clipboard's data.
class ClipboardText {
public:
    ClipboardText() = default;
    virtual ~ClipboardText() = default;
    ClipboardText(const ClipboardText&) = default;
    ClipboardText& operator=(const ClipboardText&) = default;

    // Offers the text on source as plain text. Throws memory_error
    // ("メモリエラー。") when no memory can be had for it.
    virtual void WriteTo(QMimeData* source);
    // Replaces the text with the plain text of data, cut at the first NUL;
    // leaves it alone when data offers no text.
    virtual void ReadFrom(const QMimeData* data);

    std::string m_text;
};
