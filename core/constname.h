#pragma once
#include <string>

// Whether a constant name keeps the naming rule: digits and capital letters
// only, not beginning with a digit. The first byte is tested before the
// others, so a name beginning with a digit is LeadingDigit whatever follows.
// An empty name passes (the edit dialog's OK button keeps it out).
enum class ConstNameCheck { Ok, LeadingDigit, BadCharacter };
ConstNameCheck checkConstName(const std::string& name);

// The longest name or description the edit dialog takes, in bytes.
inline constexpr int maxConstTextLength = 255;
