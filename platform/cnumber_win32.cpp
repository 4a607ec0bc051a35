#include "platform/cnumber.h"

#include <charconv>
#include <cmath>
#include <limits>

// The C library's strtod here follows the thread's locale, and that of the
// older system DLL knows no hexadecimal digits, "inf" or "nan"; from_chars
// reads the C locale's forms, less the blanks, the sign and the "0x" prefix.
namespace {

bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}

bool startsHexadecimal(std::string_view digits)
{
    if (digits.size() < 3 || digits[0] != '0' || (digits[1] | 0x20) != 'x')
        return false;
    return isHexDigit(digits[2]) || (digits[2] == '.' && digits.size() > 3 && isHexDigit(digits[3]));
}

// Whether the mantissa's first significant digit and the exponent put a
// number that from_chars found out of range above 1 (else it underflowed).
bool isLarge(std::string_view number, bool hexadecimal)
{
    const char exponentLetter = hexadecimal ? 'p' : 'e';
    const int digitWeight = hexadecimal ? 4 : 1;
    long long magnitude = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    std::size_t i = 0;
    for (; i < number.size() && (number[i] | 0x20) != exponentLetter; ++i) {
        if (number[i] == '.') {
            seenPoint = true;
        } else if (number[i] != '0' || seenDigit) {
            seenDigit = true;
            magnitude += seenPoint ? 0 : digitWeight;
        } else if (seenPoint) {
            magnitude -= digitWeight;
        }
    }
    long long exponent = 0;
    if (i + 1 < number.size()) {
        const std::size_t sign = number[i + 1] == '+' ? 1 : 0;
        std::from_chars(number.data() + i + 1 + sign, number.data() + number.size(), exponent);
    }
    return magnitude + exponent > 0;
}

}  // namespace

CNumber readCNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    const bool hexadecimal = startsHexadecimal(text.substr(at));
    const std::size_t digitsAt = at + (hexadecimal ? 2 : 0);
    const char* first = text.data() + digitsAt;
    const char* last = text.data() + text.size();
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value,
                                              hexadecimal ? std::chars_format::hex : std::chars_format::general);
    CNumber number;
    if (error == std::errc::invalid_argument)
        return number;
    if (error == std::errc::result_out_of_range) {
        number.overflow = isLarge(std::string_view(first, static_cast<std::size_t>(end - first)), hexadecimal);
        value = number.overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    number.value = negative ? -value : value;
    number.length = static_cast<std::size_t>(end - text.data());
    return number;
}
