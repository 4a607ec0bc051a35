#pragma once
#include <string>
#include <string_view>

// Conversions between the program's 8-bit text (code page 932, Shift-JIS with
// the Windows extensions) and UTF-8, made where text meets Qt or the terminal.
// Neither ever fails on its input:
// - utf8ToCp932 writes "?" for each character that code page 932 cannot hold
//   and for each byte that is not part of valid UTF-8;
// - cp932ToUtf8 writes U+FFFD for each byte that does not begin a valid
//   code page 932 character, and one U+FFFD for a lead byte followed by a
//   non-ASCII trail byte that together map to nothing; a lead byte followed
//   by an ASCII byte becomes U+FFFD and the ASCII byte is kept.
// Throws std::system_error only when the C library lacks the conversion.
std::string utf8ToCp932(std::string_view utf8);
std::string cp932ToUtf8(std::string_view cp932);
