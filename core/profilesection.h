#pragma once
#include <string>

// One section of the per-user profile store, for one batch of reads or
// writes; each front end implements it over its store. Set m_strSection
// before use. Reads give the default when a value is missing or not a
// number; booleans are stored as 1 or 0 and any non-zero value reads as true.
// Write results say whether the store took the value.
class ProfileSection {
public:
    ProfileSection() = default;
    virtual ~ProfileSection() = default;
    ProfileSection(const ProfileSection&) = default;
    ProfileSection& operator=(const ProfileSection&) = default;

    virtual int GetInt(const std::string& entry, int defaultValue) = 0;
    virtual std::string GetString(const std::string& entry, const std::string& defaultValue) = 0;
    virtual bool GetBool(const std::string& entry, bool defaultValue)
    {
        return GetInt(entry, defaultValue ? 1 : 0) != 0;
    }
    virtual bool WriteInt(const std::string& entry, int value) = 0;
    virtual bool WriteString(const std::string& entry, const std::string& value) = 0;
    virtual bool WriteBool(const std::string& entry, bool value) { return WriteInt(entry, value ? 1 : 0); }

    std::string m_strSection;
};
