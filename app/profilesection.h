#pragma once
#include "core/profilesection.h"

// A section of the program's profile in the desktop's settings file.
class CProfileSection : public ProfileSection {
public:
    int GetInt(const std::string& entry, int defaultValue) override;
    std::string GetString(const std::string& entry, const std::string& defaultValue) override;
    bool WriteInt(const std::string& entry, int value) override;
    bool WriteString(const std::string& entry, const std::string& value) override;
};
