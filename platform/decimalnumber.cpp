#include "platform/decimalnumber.h"

#include "platform/cnumber.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t skipDigits(std::string_view text, std::size_t at)
{
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

// [sign] (digits [. digits] | . digits) [(e|E) [sign] digits]
bool isDecimalNumber(std::string_view text)
{
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    const std::size_t integerEnd = skipDigits(text, at);
    bool hasDigits = integerEnd > at;
    at = integerEnd;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionEnd = skipDigits(text, at + 1);
        hasDigits = hasDigits || fractionEnd > at + 1;
        at = fractionEnd;
    }
    if (!hasDigits)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        const std::size_t exponentEnd = skipDigits(text, at);
        if (exponentEnd == at)
            return false;
        at = exponentEnd;
    }
    return at == text.size();
}

}  // namespace

std::optional<double> parseDecimalNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (!isDecimalNumber(text))
        return std::nullopt;
    const CNumber number = readCNumber(text);
    if (number.overflow)
        return std::nullopt;
    return number.value;
}
