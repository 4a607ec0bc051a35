#pragma once
#include <ostream>
#include <string>

#include <gtest/gtest.h>

// Test cases are structs with a `name`: it names the generated test
// (INSTANTIATE_TEST_SUITE_P's last argument) and is what gtest prints for the
// parameter when a case fails.
inline constexpr auto caseName = [](const auto& info) { return std::string(info.param.name); };

#define ORRIN_PRINT_CASE_BY_NAME(Case)                                        \
    [[maybe_unused]] inline void PrintTo(const Case& value, std::ostream* os) \
    {                                                                         \
        *os << value.name;                                                    \
    }
