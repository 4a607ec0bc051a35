#pragma once
#include <optional>
#include <string_view>

// A decimal floating-point number with optional sign, fraction and exponent,
// with blanks around it, read independently of the locale ("1e3", " -.5 "),
// as the constant edit dialog's value field takes it. nullopt for anything
// else, including "inf", "nan", hexadecimal and magnitudes beyond the range
// of double.
std::optional<double> parseDecimalNumber(std::string_view text);
