#pragma once
#include <string>

// One section of the program's profile, for one batch of reads or writes.
// Set m_strSection before use. Reads give the default when a value is missing
// or not a number; booleans are stored as 1 or 0 and any non-zero value reads
// as true. Write results say whether the store took the value.
class CProfileSection {
public:
    CProfileSection() = default;
    virtual ~CProfileSection() = default;

    virtual int GetInt(const std::string& entry, int defaultValue);
    virtual std::string GetString(const std::string& entry, const std::string& defaultValue);
    virtual bool GetBool(const std::string& entry, bool defaultValue);
    virtual bool WriteInt(const std::string& entry, int value);
    virtual bool WriteString(const std::string& entry, const std::string& value);
    virtual bool WriteBool(const std::string& entry, bool value);

    std::string m_strSection;
};
