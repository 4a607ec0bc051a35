#include "platform/codepageerrors.h"

std::size_t utf8CharacterLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// An unmapped pair of lead and trail byte is one error, as browsers decode
// Shift-JIS; a trail byte in the ASCII range is left to be read as ASCII, so
// that a broken character never swallows the text after it.
std::size_t cp932InvalidLength(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    if (!isLead || rest.size() < 2)
        return 1;
    const auto trail = static_cast<unsigned char>(rest[1]);
    return trail >= 0x80 && trail <= 0xFC ? 2 : 1;
}
