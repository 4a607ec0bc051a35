#pragma once
#include <string>
#include <string_view>
#include <windows.h>

// Text at the Win32 boundary: the calls take UTF-16; the program's own texts
// (res/) are UTF-8 and its 8-bit text is code page 932, converted with the
// same rules as on every other platform (platform/codepage.h).
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
std::wstring fromCp932(std::string_view cp932);
std::string toCp932(std::wstring_view utf16);
// A text of res/ with its "%1" replaced by argument.
std::wstring withArgument(std::string_view utf8, std::wstring_view argument);
// The text of a window or control, however long.
std::wstring windowText(HWND window);
