#include "app/profilesection.h"

#include "framework/profile.h"
#include "framework/textcodec.h"

int CProfileSection::GetInt(const std::string& entry, int defaultValue)
{
    return getProfileInt(fromCp932(m_strSection), fromCp932(entry), defaultValue);
}

std::string CProfileSection::GetString(const std::string& entry, const std::string& defaultValue)
{
    return toCp932(getProfileString(fromCp932(m_strSection), fromCp932(entry), fromCp932(defaultValue)));
}

bool CProfileSection::WriteInt(const std::string& entry, int value)
{
    return writeProfileInt(fromCp932(m_strSection), fromCp932(entry), value);
}

bool CProfileSection::WriteString(const std::string& entry, const std::string& value)
{
    return writeProfileString(fromCp932(m_strSection), fromCp932(entry), fromCp932(value));
}
