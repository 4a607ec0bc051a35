#pragma once
#include <string>

// The full path of the running program (Orrin.exe), however long.
std::wstring programPath();
// A file in the program's own folder.
std::wstring besideProgram(const std::wstring& fileName);
