#include "platform/codepage.h"

#include <cerrno>
#include <system_error>

#include <iconv.h>

namespace {

// One conversion descriptor per direction and thread, opened on first use and
// closed when the thread ends, so repeated conversions do not reopen it.
class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from))
    {
        if (m_handle == reinterpret_cast<iconv_t>(-1))
            throw std::system_error(errno, std::generic_category(), "iconv_open");
    }
    ~Converter() { iconv_close(m_handle); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `input`; at each sequence that cannot be converted, calls
    // `skip(rest)` which appends a replacement to `output` and returns how
    // many bytes to step over.
    template <class Skip>
    std::string convert(std::string_view input, Skip skip)
    {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        std::string output;
        output.reserve(input.size() * 3 / 2 + 4);
        char buffer[256];
        while (!input.empty()) {
            char* in = const_cast<char*>(input.data());  // iconv's prototype lacks const; it only reads
            std::size_t inLeft = input.size();
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            const int error = errno;
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            input.remove_prefix(input.size() - inLeft);
            if (result == static_cast<std::size_t>(-1) && error != E2BIG && !input.empty())
                input.remove_prefix(skip(input, output));
        }
        return output;
    }

private:
    iconv_t m_handle;
};

// The length of the well-formed UTF-8 character at the start of `text`, or 0.
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

}  // namespace

std::string utf8ToCp932(std::string_view utf8)
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter.convert(utf8, [](std::string_view rest, std::string& output) {
        output.push_back('?');
        const std::size_t length = utf8CharacterLength(rest);
        return length == 0 ? std::size_t{1} : length;
    });
}

std::string cp932ToUtf8(std::string_view cp932)
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter.convert(cp932, [](std::string_view rest, std::string& output) {
        output.append("\xEF\xBF\xBD");
        return cp932InvalidLength(rest);
    });
}
