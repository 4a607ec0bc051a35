#pragma once
#include <cstddef>
#include <string_view>

// A number read from the start of `text` as strtod reads it in the C locale,
// whatever locale the program runs in: leading blanks, a sign, decimal digits
// with the point and an exponent, hexadecimal ones after "0x" with a binary
// exponent, "inf", "infinity", "nan" and "nan(...)" in any case.
struct CNumber {
    double value = 0;        // ±infinity beyond the range of double; 0 without a number
    std::size_t length = 0;  // bytes read; 0 when `text` starts with no number
    bool overflow = false;   // beyond the range of double (what strtod reports as ERANGE with ±HUGE_VAL)
};
CNumber readCNumber(std::string_view text);
