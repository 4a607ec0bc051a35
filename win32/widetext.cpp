#include "win32/widetext.h"

#include "platform/codepage.h"

#include <windows.h>

std::wstring widen(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string narrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int size = static_cast<int>(utf16.size());
    std::string utf8(WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

std::wstring fromCp932(std::string_view cp932)
{
    return widen(cp932ToUtf8(cp932));
}

std::string toCp932(std::wstring_view utf16)
{
    return utf8ToCp932(narrow(utf16));
}

std::wstring withArgument(std::string_view utf8, std::wstring_view argument)
{
    std::wstring text = widen(utf8);
    if (const auto at = text.find(L"%1"); at != std::wstring::npos)
        text.replace(at, 2, argument);
    return text;
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
