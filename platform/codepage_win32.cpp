#include "platform/codepage.h"
#include "platform/codepageerrors.h"

#include <windows.h>

namespace {

constexpr UINT cp932 = 932;
constexpr const char* replacementCharacter = "\xEF\xBF\xBD";

// A character on its own, so that one that cannot be converted costs only its
// own replacement, never the text around it.
std::wstring toWide(UINT codePage, std::string_view character)
{
    wchar_t wide[4];
    const int count = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, character.data(),
                                          static_cast<int>(character.size()), wide, 4);
    return std::wstring(wide, count > 0 ? static_cast<std::size_t>(count) : 0);
}

// Appends the character in `wide`, or returns false when `codePage` lacks it.
bool appendNarrow(UINT codePage, const std::wstring& wide, std::string& output)
{
    char narrow[8];
    BOOL usedDefault = FALSE;
    const bool strict = codePage != CP_UTF8;
    const int count = WideCharToMultiByte(codePage, strict ? WC_NO_BEST_FIT_CHARS : 0, wide.data(),
                                          static_cast<int>(wide.size()), narrow, sizeof narrow, nullptr,
                                          strict ? &usedDefault : nullptr);
    if (count <= 0 || usedDefault)
        return false;
    output.append(narrow, static_cast<std::size_t>(count));
    return true;
}

bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Windows maps 0x80, 0xA0 and 0xFD to 0xFF to private characters; they begin
// no character of code page 932 as the C library on Linux knows it.
std::size_t cp932CharacterLength(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    if (lead < 0x80 || (lead >= 0xA1 && lead <= 0xDF))
        return 1;
    return isLeadByte(lead) && rest.size() >= 2 ? 2 : 0;
}

}  // namespace

std::string utf8ToCp932(std::string_view utf8)
{
    std::string output;
    output.reserve(utf8.size());
    while (!utf8.empty()) {
        if (static_cast<unsigned char>(utf8[0]) < 0x80) {
            output.push_back(utf8[0]);
            utf8.remove_prefix(1);
            continue;
        }
        const std::size_t length = utf8CharacterLength(utf8);
        const std::wstring wide = length == 0 ? std::wstring() : toWide(CP_UTF8, utf8.substr(0, length));
        if (wide.empty() || !appendNarrow(cp932, wide, output))
            output.push_back('?');
        utf8.remove_prefix(length == 0 ? 1 : length);
    }
    return output;
}

std::string cp932ToUtf8(std::string_view cp932Text)
{
    std::string output;
    output.reserve(cp932Text.size() * 3 / 2);
    while (!cp932Text.empty()) {
        if (static_cast<unsigned char>(cp932Text[0]) < 0x80) {
            output.push_back(cp932Text[0]);
            cp932Text.remove_prefix(1);
            continue;
        }
        const std::size_t length = cp932CharacterLength(cp932Text);
        const std::wstring wide = length == 0 ? std::wstring() : toWide(cp932, cp932Text.substr(0, length));
        if (!wide.empty() && appendNarrow(CP_UTF8, wide, output)) {
            cp932Text.remove_prefix(length);
        } else {
            output.append(replacementCharacter);
            cp932Text.remove_prefix(cp932InvalidLength(cp932Text));
        }
    }
    return output;
}
