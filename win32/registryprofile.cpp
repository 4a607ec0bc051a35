#include "win32/registryprofile.h"

#include "core/storedsettings.h"
#include "win32/widetext.h"

#include <windows.h>

namespace {

std::wstring sectionPath(const std::string& section)
{
    return std::wstring(profileKeyPath) + L"\\" + fromCp932(section);
}

bool writeValue(const std::string& section, const std::string& entry, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, sectionPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr)
        != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExW(key, fromCp932(entry).c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

}  // namespace

int CRegistrySection::GetInt(const std::string& entry, int defaultValue)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, sectionPath(m_strSection).c_str(), fromCp932(entry).c_str(), RRF_RT_REG_DWORD,
                     nullptr, &value, &size)
        != ERROR_SUCCESS)
        return defaultValue;
    return static_cast<int>(value);
}

std::wstring CRegistrySection::GetWideString(const std::string& entry, const std::wstring& defaultValue)
{
    const std::wstring path = sectionPath(m_strSection);
    const std::wstring name = fromCp932(entry);
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size)
        != ERROR_SUCCESS)
        return defaultValue;
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &size)
        != ERROR_SUCCESS)
        return defaultValue;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

std::string CRegistrySection::GetString(const std::string& entry, const std::string& defaultValue)
{
    return toCp932(GetWideString(entry, fromCp932(defaultValue)));
}

bool CRegistrySection::WriteInt(const std::string& entry, int value)
{
    const DWORD stored = static_cast<DWORD>(value);
    return writeValue(m_strSection, entry, REG_DWORD, &stored, sizeof stored);
}

bool CRegistrySection::WriteWideString(const std::string& entry, const std::wstring& value)
{
    const auto size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return writeValue(m_strSection, entry, REG_SZ, value.c_str(), size);
}

bool CRegistrySection::WriteString(const std::string& entry, const std::string& value)
{
    return WriteWideString(entry, fromCp932(value));
}

void deleteStoredSettings()
{
    for (const char* section : deletedSections)
        RegDeleteKeyW(HKEY_CURRENT_USER, sectionPath(section).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, profileKeyPath);
}
