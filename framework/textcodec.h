#pragma once
#include <QString>
#include <string>
#include <string_view>

// The program's 8-bit text (code page 932) where it meets Qt's Unicode text.
// Neither conversion fails (see codepage.h for what unconvertible text becomes).
QString fromCp932(std::string_view cp932);
std::string toCp932(const QString& text);
