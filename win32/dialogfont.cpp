#include "win32/dialogfont.h"

#include <cstdint>
#include <cstring>

namespace {

// The templates' layout: words, variable-length strings and items aligned to
// double words; see DLGTEMPLATEEX and DLGITEMTEMPLATEEX.
class TemplateReader {
public:
    explicit TemplateReader(BYTE* start) : m_start(start), m_at(start) {}

    BYTE* at() const { return m_at; }
    WORD word() const
    {
        WORD value;
        std::memcpy(&value, m_at, sizeof value);
        return value;
    }
    void skip(std::size_t bytes) { m_at += bytes; }
    // A string, or an ordinal after 0xFFFF, or nothing (a single 0).
    void skipNameOrOrdinal()
    {
        if (word() == 0xFFFF) {
            skip(2 * sizeof(WORD));
            return;
        }
        skipString();
    }
    void skipString()
    {
        while (word() != 0)
            skip(sizeof(WORD));
        skip(sizeof(WORD));
    }
    void alignToDoubleWord()
    {
        const auto offset = static_cast<std::size_t>(m_at - m_start);
        m_at += (4 - offset % 4) % 4;
    }
    BYTE* start() const { return m_start; }

private:
    BYTE* m_start;
    BYTE* m_at;
};

struct Layout {
    bool extended;
    WORD itemCount;
    DWORD style;
    BYTE* styleAt;
};

Layout readHeader(TemplateReader& reader)
{
    Layout layout{};
    WORD signature = 0;
    std::memcpy(&signature, reader.at() + sizeof(WORD), sizeof signature);
    layout.extended = reader.word() == 1 && signature == 0xFFFF;
    layout.styleAt = reader.at() + (layout.extended ? 12 : 0);
    std::memcpy(&layout.style, layout.styleAt, sizeof layout.style);
    reader.skip(layout.extended ? 16 : 8);
    layout.itemCount = reader.word();
    reader.skip(sizeof(WORD) + 4 * sizeof(short));
    reader.skipNameOrOrdinal();  // menu
    reader.skipNameOrOrdinal();  // window class
    reader.skipString();         // title
    return layout;
}

// The end of the items that start at the reader's place.
BYTE* itemsEnd(TemplateReader reader, const Layout& layout)
{
    for (WORD i = 0; i < layout.itemCount; ++i) {
        reader.alignToDoubleWord();
        // help id, extended style, style, rectangle, id (a double word in the
        // extended form); style, extended style, rectangle, id in the other.
        reader.skip(layout.extended ? 12 + 8 + 4 : 8 + 8 + 2);
        reader.skipNameOrOrdinal();  // class
        reader.skipNameOrOrdinal();  // title
        const WORD extra = reader.word();
        reader.skip(sizeof(WORD) + extra);
    }
    return reader.at();
}

}  // namespace

std::optional<DialogFont> dialogFont(const void* dialogTemplate)
{
    // Read only, through the reader that also serves the writing.
    TemplateReader reader(static_cast<BYTE*>(const_cast<void*>(dialogTemplate)));
    const Layout layout = readHeader(reader);
    if (!(layout.style & DS_SETFONT))
        return std::nullopt;
    DialogFont font;
    font.pointSize = reader.word();
    reader.skip(layout.extended ? 3 * sizeof(WORD) : sizeof(WORD));
    for (; reader.word() != 0; reader.skip(sizeof(WORD)))
        font.face += static_cast<wchar_t>(reader.word());
    return font;
}

bool setDialogFont(void* dialogTemplate, const DialogFont& font)
{
    TemplateReader reader(static_cast<BYTE*>(dialogTemplate));
    const Layout layout = readHeader(reader);
    if (!(layout.style & DS_SETFONT))
        return false;
    BYTE* const fontStart = reader.at();
    reader.skip(layout.extended ? 3 * sizeof(WORD) : sizeof(WORD));
    BYTE* const faceStart = reader.at();
    reader.skipString();
    const auto oldFaceBytes = static_cast<std::size_t>(reader.at() - faceStart);
    const std::size_t newFaceBytes = (font.face.size() + 1) * sizeof(wchar_t);
    if (newFaceBytes > oldFaceBytes)
        return false;
    reader.alignToDoubleWord();
    BYTE* const oldItems = reader.at();
    BYTE* const end = itemsEnd(reader, layout);

    // The shell font flag would put the shell's face in place of this one.
    const DWORD style = layout.style & ~static_cast<DWORD>(DS_FIXEDSYS);
    std::memcpy(layout.styleAt, &style, sizeof style);
    std::memcpy(fontStart, &font.pointSize, sizeof font.pointSize);
    std::memcpy(faceStart, font.face.c_str(), newFaceBytes);
    TemplateReader after(reader.start());
    after.skip(static_cast<std::size_t>(faceStart + newFaceBytes - reader.start()));
    after.alignToDoubleWord();
    std::memmove(after.at(), oldItems, static_cast<std::size_t>(end - oldItems));
    BYTE* const faceEnd = faceStart + newFaceBytes;
    std::memset(faceEnd, 0, static_cast<std::size_t>(after.at() - faceEnd));
    return true;
}
