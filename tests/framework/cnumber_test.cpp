#include "framework/cnumber.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

struct NumberCase {
    const char* name;
    const char* text;
    double value;  // NaN for "nan"
    std::size_t length;
    bool overflow;
};
ORRIN_PRINT_CASE_BY_NAME(NumberCase)

class ReadCNumber : public ::testing::TestWithParam<NumberCase> {};
TEST_P(ReadCNumber, ReadsAsStrtodInTheCLocale)
{
    const CNumber number = readCNumber(GetParam().text);
    EXPECT_TRUE(number.value == GetParam().value || (std::isnan(number.value) && std::isnan(GetParam().value)));
    EXPECT_EQ(std::signbit(number.value), std::signbit(GetParam().value));
    EXPECT_EQ(number.length, GetParam().length);
    EXPECT_EQ(number.overflow, GetParam().overflow);
}
INSTANTIATE_TEST_SUITE_P(Texts, ReadCNumber, ::testing::Values(
    NumberCase{"blanks_sign_and_point", " \t-.5 ", -0.5, 5, false},
    NumberCase{"plus_and_exponent", "+25e-1x", 2.5, 6, false},
    NumberCase{"comma_is_no_point", "1,5", 1, 1, false},
    NumberCase{"hexadecimal", "0X1.8p1", 3, 7, false},
    NumberCase{"prefix_without_digits", "0xg", 0, 1, false},
    NumberCase{"infinity", "-Infinity", -inf, 9, false},
    NumberCase{"nan", "NaN", std::nan(""), 3, false},
    NumberCase{"overflow", "-1e400", -inf, 6, true},
    NumberCase{"hexadecimal_overflow", "0x1p2000", inf, 8, true},
    NumberCase{"underflow_to_zero", "1e-400", 0, 6, false},
    NumberCase{"negative_underflow", "-0.0001e-330", -0.0, 12, false},
    NumberCase{"subnormal", "4.9406564584124654e-324", 4.9406564584124654e-324, 23, false},
    NumberCase{"no_number", "abc", 0, 0, false}),
    caseName);

}  // namespace
