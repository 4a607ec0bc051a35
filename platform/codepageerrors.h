#pragma once
#include <cstddef>
#include <string_view>

// Where a conversion error ends, the same with every system's converter, so
// that a text gives the same replacements everywhere.

// The length of the well-formed UTF-8 character at the start of `text`
// (not empty), or 0.
std::size_t utf8CharacterLength(std::string_view text);

// How many bytes of code page 932 one replacement character stands for, at
// the start of `rest` (not empty), which holds no valid character there.
std::size_t cp932InvalidLength(std::string_view rest);
