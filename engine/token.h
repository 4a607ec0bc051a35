#pragma once
#include <string>

enum class TokenKind : int {
    Number = 0,
    Operator = 1,
    Name = 2,
};

// One scanned element, operand or pending operator. Tokens are values: they
// are copied onto the stacks, never shared.
struct Token {
    std::string text;  // the operator character or the identifier; empty for numbers
    double value = 0;  // the number, or a variable's value when read as an operand
    TokenKind kind = TokenKind::Number;
};
