#include "win32/programfile.h"

#include <windows.h>

std::wstring programPath()
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return path;
}

std::wstring besideProgram(const std::wstring& fileName)
{
    std::wstring path = programPath();
    path.erase(path.find_last_of(L'\\') + 1);
    return path + fileName;
}
