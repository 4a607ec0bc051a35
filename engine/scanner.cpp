#include "engine/calculator.h"

#include "engine/charclass.h"

#include <cmath>
#include <cstdint>

using namespace charclass;

namespace {

// Past this, further exponent digits cannot change the result: the scaling
// reaches zero or infinity long before. Keeps the exponent from overflowing.
constexpr std::int64_t exponentCeiling = 1'000'000'000'000;

struct DigitRun {
    double value = 0;
    std::int64_t fractionDigits = 0;
    std::size_t end = 0;  // index of the first character after the run
};

DigitRun scanDigitRun(std::string_view text, std::size_t begin, int base)
{
    DigitRun run;
    bool pointSeen = false;
    std::size_t i = begin;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (base == 10) {
            if (ch == '.') {
                // A second point starts the next literal.
                if (pointSeen)
                    break;
                pointSeen = true;
                continue;
            }
            if (!isDigit(ch))
                break;
        } else if (!isHexDigit(ch)) {
            break;
        }
        if (pointSeen)
            ++run.fractionDigits;
        const double product = run.value * base;
        run.value = product + hexDigitValue(ch);
    }
    run.end = i;
    return run;
}

// Reads "e" or "E", an optional sign and decimal digits starting at `at`.
// Returns the exponent and moves `at` past what it read.
std::int64_t scanExponent(std::string_view text, std::size_t& at)
{
    if (at >= text.size() || (text[at] != 'e' && text[at] != 'E'))
        return 0;
    ++at;
    bool negative = false;
    if (at < text.size() && text[at] == '-') {
        negative = true;
        ++at;
    } else if (at < text.size() && text[at] == '+') {
        ++at;
    }
    std::int64_t exponent = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        if (exponent < exponentCeiling)
            exponent = exponent * 10 + (text[at] - '0');
    }
    return negative ? -exponent : exponent;
}

// Scales in long double, whose wider range and precision keep intermediate
// steps out of the subnormal range; the result is rounded to double once.
double scale(double value, std::int64_t steps, int base)
{
    long double scaled = value;
    for (; steps > 0 && scaled != 0 && !std::isinf(scaled); --steps)
        scaled *= base;
    for (; steps < 0 && scaled != 0 && !std::isinf(scaled); ++steps)
        scaled /= base;
    return static_cast<double>(scaled);
}

}  // namespace

template <class T>
void Calculator<T>::nextChar()
{
    if (cursor >= input.size()) {
        finished = true;
        current = '\0';
        return;
    }
    current = input[cursor++];
}

template <class T>
void Calculator<T>::skipBlanks()
{
    while (isBlank(current))
        nextChar();
}

// The first token is dispatched like every other: literal, operator or name;
// a blank or any other character cannot begin one.
template <class T>
void Calculator<T>::scanToken()
{
    if (isLiteralStart(current))
        scanLiteral();
    else if (isOperatorChar(current))
        scanOperator();
    else if (isLetter(current))
        scanName();
    else
        throw syntax_error(syntaxErrorMessage);
    skipBlanks();
}

template <class T>
void Calculator<T>::scanLiteral()
{
    if (isDigit(current) || current == '.')
        scanNumber();
    else if (current == '\'')
        scanCharLiteral();
    else
        throw syntax_error(syntaxErrorMessage);
}

template <class T>
void Calculator<T>::scanOperator()
{
    const char symbol = current;
    takeOperator(symbol);
    nextChar();
    // (-2) is evaluated as (0-2).
    if (symbol == '(' && (current == '+' || current == '-'))
        takeNumber(0);
}

template <class T>
void Calculator<T>::scanName()
{
    const std::size_t begin = cursor - 1;
    while (isAlphanumeric(current))
        nextChar();
    const std::size_t end = finished ? input.size() : cursor - 1;
    takeName(begin, end);
}

template <class T>
void Calculator<T>::scanCharLiteral()
{
    if (current != '\'')
        throw syntax_error(syntaxErrorMessage);
    nextChar();
    int code = 0;
    if (current == '\\') {
        nextChar();
        const auto escape = escapes.find(current);
        if (escape == escapes.end())
            throw illegal_error(illegalErrorMessage);
        code = escape->second;
    } else {
        code = static_cast<signed char>(current);
    }
    nextChar();
    if (current != '\'')
        throw syntax_error(syntaxErrorMessage);
    nextChar();
    takeNumber(code);
}

template <class T>
void Calculator<T>::scanNumber()
{
    int base = 10;
    if (current == '0') {
        nextChar();
        if (current == 'x') {
            base = 16;
            nextChar();
        }
        if (finished) {
            takeNumber(0);
            return;
        }
    }
    const std::size_t runBegin = cursor - 1;
    const DigitRun run = scanDigitRun(input, runBegin, base);
    std::size_t literalEnd = run.end;
    const std::int64_t exponent = base == 10 ? scanExponent(input, literalEnd) : 0;
    // Equivalent to one nextChar per character of the literal.
    if (literalEnd > runBegin) {
        cursor = literalEnd;
        nextChar();
    }
    // The first pass needs only where the literal ends.
    if (evaluating)
        takeNumber(scale(run.value, exponent - run.fractionDigits, base));
}

template void Calculator<double>::nextChar();
template void Calculator<double>::skipBlanks();
template void Calculator<double>::scanToken();
template void Calculator<double>::scanLiteral();
template void Calculator<double>::scanOperator();
template void Calculator<double>::scanName();
template void Calculator<double>::scanCharLiteral();
template void Calculator<double>::scanNumber();
