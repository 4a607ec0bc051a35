#pragma once
#include <ostream>
#include <string>

#include <gtest/gtest.h>

// Test cases are structs with a `name`: it names the generated test and is
// what gtest prints for the parameter.
template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& param)
{
    return param.param.name;
}

#define ORRIN_PRINT_CASE_BY_NAME(Case) \
    [[maybe_unused]] void PrintTo(const Case& value, std::ostream* os) { *os << value.name; }
