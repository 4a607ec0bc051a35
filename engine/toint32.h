#pragma once
#include <cmath>
#include <cstdint>

// The engine's one conversion of a double to a 32-bit integer: truncation
// toward zero to 64 bits, low 32 bits kept. NaN and magnitudes of 2^63 or more
// (infinities included) give 0.
inline std::int32_t toInt32(double x)
{
    constexpr double twoTo63 = 9223372036854775808.0;
    if (std::isnan(x) || std::fabs(x) >= twoTo63)
        return 0;
    const auto wide = static_cast<std::int64_t>(x);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
}
