#include "win32/autostart.h"

#include "win32/programfile.h"

#include <shlobj.h>
#include <string>
#include <string_view>
#include <windows.h>

namespace {

constexpr wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Where the system's list of start-up programs (Task Manager, Settings) keeps
// what the user turned off: a value of the same name whose first byte is odd.
constexpr wchar_t approvedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr wchar_t valueName[] = L"Orrin";

std::wstring runCommandLine(const std::wstring& program)
{
    // Unquoted, a path with blanks ("C:\Program Files\...") would be read up
    // to its first blank.
    return L"\"" + program + L"\" " + autostartArgument;
}

bool isTurnedOffByUser()
{
    BYTE state[12] = {};
    DWORD size = sizeof state;
    return RegGetValueW(HKEY_CURRENT_USER, approvedKey, valueName, RRF_RT_REG_BINARY, nullptr, state, &size)
        == ERROR_SUCCESS
        && size > 0 && (state[0] & 1) != 0;
}

bool isGone(LONG result)
{
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool removeValue()
{
    // The system's note would turn off a later entry of the same name too.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, approvedKey, valueName);
    return isGone(RegDeleteKeyValueW(HKEY_CURRENT_USER, runKey, valueName));
}

bool writeValue()
{
    const std::wstring command = runCommandLine(programPath());
    const auto size = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
    if (RegSetKeyValueW(HKEY_CURRENT_USER, runKey, valueName, REG_SZ, command.c_str(), size) != ERROR_SUCCESS)
        return false;
    RegDeleteKeyValueW(HKEY_CURRENT_USER, approvedKey, valueName);
    return true;
}

}  // namespace

bool isAutostartEnabled()
{
    return RegGetValueW(HKEY_CURRENT_USER, runKey, valueName, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                        nullptr, nullptr, nullptr)
        == ERROR_SUCCESS
        && !isTurnedOffByUser();
}

bool setAutostartEnabled(bool enabled)
{
    return enabled ? writeValue() : removeValue();
}

void enterLoginFolder(const wchar_t* commandLine)
{
    if (!commandLine || std::wstring_view(commandLine) != autostartArgument)
        return;
    PWSTR profile = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Profile, 0, nullptr, &profile)))
        SetCurrentDirectoryW(profile);
    CoTaskMemFree(profile);
}
