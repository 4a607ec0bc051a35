#include "core/valuetext.h"

#include "engine/formatnumber.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace {

bool isPlainInteger(const std::string& text)
{
    const std::size_t digits = !text.empty() && text.front() == '-' ? 1 : 0;
    return text.size() > digits
        && std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digits), text.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "0x" and hexadecimal digits, before or after the point.
bool startsWithHexNumber(std::string_view text)
{
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return false;
    return isHexDigit(text[2]) || (text[2] == '.' && text.size() > 3 && isHexDigit(text[3]));
}

// A number too large for a double reads as infinity, one too small as 0;
// only the exponent's sign, or a leading "0." without one, tells them apart.
double outOfRange(std::string_view number)
{
    const std::size_t exponent = number.find_first_of(startsWithHexNumber(number) ? "pP" : "eE");
    const bool tiny = exponent != std::string_view::npos ? number.substr(exponent + 1, 1) == "-"
                                                         : number.substr(0, 2) == "0.";
    return tiny ? 0.0 : std::numeric_limits<double>::infinity();
}

// The longest number at the start of an unsigned text, decimal or with the
// "0x" prefix hexadecimal, in the C library's number syntax; none when the
// text does not begin with one.
std::optional<double> unsignedNumber(std::string_view text)
{
    double value = 0;
    if (startsWithHexNumber(text)) {
        const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), value,
                                                  std::chars_format::hex);
        if (error == std::errc::result_out_of_range)
            return outOfRange(text.substr(0, static_cast<std::size_t>(end - text.data())));
        return value;
    }
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        return outOfRange(text.substr(0, static_cast<std::size_t>(end - text.data())));
    if (error != std::errc())
        return std::nullopt;
    return value;
}

}  // namespace

std::string valueText(double value)
{
    std::string text = formatNumber(value, 10);
    if (isPlainInteger(text))
        text += '.';
    return text;
}

double valueFromText(const std::string& text)
{
    // The standard conversion ignores the locale, which Qt sets from the
    // environment; the value texts always use the point.
    std::string_view rest(text);
    rest.remove_prefix(std::min(
        rest.size(), static_cast<std::size_t>(std::find_if_not(rest.begin(), rest.end(), isBlank) - rest.begin())));
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    const std::optional<double> value = unsignedNumber(rest);
    if (!value)
        return 0;
    return negative ? -*value : *value;
}
