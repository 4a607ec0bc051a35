#include "engine/formatnumber.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct Formatting {
    const char* name;
    double value;
    int base;
    const char* expected;
};

ORRIN_PRINT_CASE_BY_NAME(Formatting)

class Format : public ::testing::TestWithParam<Formatting> {};
TEST_P(Format, WritesTheText)
{
    EXPECT_EQ(formatNumber(GetParam().value, GetParam().base), GetParam().expected);
}

constexpr double infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Decimal, Format,
    ::testing::Values(Formatting{"zero", 0, 10, "0"}, Formatting{"negative_zero", -0.0, 10, "0"},
                      Formatting{"hundred", 100, 10, "100"}, Formatting{"negative_fraction", -2.5, 10, "-2.5"},
                      Formatting{"third", 1.0 / 3, 10, "0.333333333333333"},
                      Formatting{"two_thirds", 2.0 / 3, 10, "0.666666666666667"},
                      Formatting{"ten_thirds", 10.0 / 3, 10, "3.33333333333333"}, Formatting{"tenth", 0.1, 10, "0.1"},
                      Formatting{"fifteen_digits", 123456789012345, 10, "123456789012345"},
                      Formatting{"negative_fifteen_digits", -999999999999999, 10, "-999999999999999"},
                      Formatting{"sixteen_digits", 1e15, 10, "1e+15"},
                      Formatting{"rounds_to_sixteen_digits", 999999999999999.5, 10, "1e+15"},
                      Formatting{"small", 1e-5, 10, "1e-05"},
                      Formatting{"largest", 1.7976931348623157e308, 10, "1.79769313486232e+308"},
                      Formatting{"infinity", infinity, 10, "inf"},
                      Formatting{"negative_infinity", -infinity, 10, "-inf"},
                      Formatting{"nan", std::nan(""), 10, "nan"}, Formatting{"negative_nan", -std::nan(""), 10, "nan"},
                      Formatting{"other_base_is_decimal", 10, 2, "10"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, Format,
    ::testing::Values(Formatting{"ff", 255, 16, "ff"}, Formatting{"zero", 0, 16, "0"},
                      Formatting{"truncates", 2.9, 16, "2"}, Formatting{"minus_one", -1, 16, "ffffffff"},
                      Formatting{"negative_truncates", -2.9, 16, "fffffffe"}, Formatting{"wraps", 4294967296, 16, "0"},
                      Formatting{"too_large", 1e20, 16, "0"}, Formatting{"infinity", infinity, 16, "0"},
                      Formatting{"nan", std::nan(""), 16, "0"}),
    caseName);

}  // namespace
