#pragma once
#include <map>
#include <string>

struct Variable {
    double value = 0;
    std::string description;  // 8-bit text, code page 932 allowed; empty for "=" assignments
};

// Ordered by the bytes of the name taken as unsigned values, which is what
// std::string's comparison does.
using VariableMap = std::map<std::string, Variable>;
