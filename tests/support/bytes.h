#pragma once
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

// Builds byte strings from their values, so that expected file contents can
// be written out as the bytes they are.
inline std::string bytes(std::initializer_list<unsigned> values)
{
    std::string result;
    for (const unsigned value : values)
        result.push_back(static_cast<char>(value));
    return result;
}

inline std::string littleEndian32(std::uint32_t value)
{
    return bytes({value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF, value >> 24});
}

// Readable failure messages for binary strings.
inline std::string hex(std::string_view data)
{
    std::string text;
    char digits[4];
    for (const char c : data) {
        std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned char>(c));
        text += digits;
    }
    return text;
}
