#pragma once
#include "core/profilesection.h"

#include <string>

// The per-user profile store of Orrin for Windows:
// HKEY_CURRENT_USER\Software\Velnor\Orrin\<section>, integers as REG_DWORD,
// strings as REG_SZ (8-bit text of code page 932 converted to UTF-16).
class CRegistrySection : public ProfileSection {
public:
    int GetInt(const std::string& entry, int defaultValue) override;
    std::string GetString(const std::string& entry, const std::string& defaultValue) override;
    bool WriteInt(const std::string& entry, int value) override;
    bool WriteString(const std::string& entry, const std::string& value) override;

    // Unicode values, for texts of any script (the hot key's key text).
    std::wstring GetWideString(const std::string& entry, const std::wstring& defaultValue);
    bool WriteWideString(const std::string& entry, const std::wstring& value);
};

// The profile key below HKEY_CURRENT_USER.
inline constexpr wchar_t profileKeyPath[] = L"Software\\Velnor\\Orrin";

// Removes the sections the delete command removes, then the profile key
// itself; a key that is missing or still holds subkeys stays as it is.
void deleteStoredSettings();
