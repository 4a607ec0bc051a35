#pragma once

// Character classes of the scanner, over single bytes and independent of the
// locale. Bytes from 0x80 up belong to no class.
namespace charclass {

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
constexpr bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr bool isAlphanumeric(char c)
{
    return isDigit(c) || isLetter(c);
}
constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
constexpr bool isLiteralStart(char c)
{
    return isDigit(c) || c == '.' || c == '\'';
}

constexpr bool isOperatorChar(char c)
{
    switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '%':
    case '(':
    case ')':
    case '~':
    case '&':
    case '^':
    case '|':
    case ',':
    case '=':
        return true;
    default:
        return false;
    }
}

constexpr bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

constexpr int hexDigitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : c - 'A' + 10;
}

}  // namespace charclass
