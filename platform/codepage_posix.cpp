#include "platform/codepage.h"
#include "platform/codepageerrors.h"

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
