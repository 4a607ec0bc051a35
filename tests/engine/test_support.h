#pragma once
#include "engine/calculator.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <string>

// What the user sees for one line: the result text, or the error message.
inline std::string outcome(Calculator<double>& calculator, const std::string& input, int mode = 0)
{
    try {
        return calculator.calculate(input, mode);
    } catch (const myexception& error) {
        return error.what();
    }
}

inline std::string outcome(const std::string& input, int mode = 0)
{
    Calculator<double> calculator;
    return outcome(calculator, input, mode);
}

struct Case {
    const char* name;
    const char* input;
    const char* expected;
};

ORRIN_PRINT_CASE_BY_NAME(Case)

inline constexpr const char* syntaxError = "Syntax error.";
inline constexpr const char* divisionByZero = "Division by zero.";
inline constexpr const char* illegalError = "Illegal error.";
inline constexpr const char* overflow = "Overflow.";
