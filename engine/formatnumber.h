#pragma once
#include <string>

// The result text of a value. Base 10: 15 significant digits in the general
// format ("%.15g"), "inf", "-inf" and "nan" for the special values, negative
// zero as "0". Base 16: toInt32 of the value as an unsigned 32-bit number in
// lower-case digits without prefix. Any other base is treated as 10.
std::string formatNumber(double value, int base);
