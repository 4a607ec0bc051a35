#include "engine/formatnumber.h"

#include "engine/toint32.h"

#include <cmath>
#include <cstdint>
#include <charconv>

namespace {

std::string formatHexadecimal(double value)
{
    auto bits = static_cast<std::uint32_t>(toInt32(value));
    char buffer[9];
    char* end = buffer + sizeof buffer;
    char* begin = end;
    do {
        *--begin = "0123456789abcdef"[bits & 0xF];
        bits >>= 4;
    } while (bits != 0);
    return std::string(begin, end);
}

// Integers below 10^15 print the same in "%.15g" as in plain integer form,
// which is several times faster to produce.
bool isSmallInteger(double value)
{
    return std::fabs(value) < 1e15 && value == std::trunc(value);
}

std::string formatInteger(double value)
{
    auto magnitude = static_cast<std::uint64_t>(std::fabs(value));
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* begin = end;
    do {
        *--begin = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--begin = '-';
    return std::string(begin, end);
}

std::string formatDecimal(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    if (value == 0)
        return "0";
    if (isSmallInteger(value))
        return formatInteger(value);
    // The same text as printf's "%.15g", several times faster.
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, written.ptr);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

}  // namespace

std::string formatNumber(double value, int base)
{
    return base == 16 ? formatHexadecimal(value) : formatDecimal(value);
}
