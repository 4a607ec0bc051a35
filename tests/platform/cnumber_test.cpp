#include "platform/cnumber.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct NumberCase {
    const char* name;
    const char* text;
    double value;
    std::size_t length;
    bool overflow;
};
ORRIN_PRINT_CASE_BY_NAME(NumberCase)

class ReadCNumber : public ::testing::TestWithParam<NumberCase> {};
TEST_P(ReadCNumber, ReadsAsStrtodInTheCLocale)
{
    const CNumber number = readCNumber(GetParam().text);
    EXPECT_EQ(number.value, GetParam().value);
    EXPECT_EQ(std::signbit(number.value), std::signbit(GetParam().value));
    EXPECT_EQ(number.length, GetParam().length);
    EXPECT_EQ(number.overflow, GetParam().overflow);
}
INSTANTIATE_TEST_SUITE_P(Texts, ReadCNumber,
                         ::testing::Values(NumberCase{"blanks_sign_point_exponent", " \t-.5e1 ", -5, 7, false},
                                           NumberCase{"comma_is_no_point", "1,5", 1, 1, false},
                                           NumberCase{"hexadecimal", "0X1.8p1", 3, 7, false},
                                           NumberCase{"prefix_without_digits", "0xg", 0, 1, false},
                                           NumberCase{"infinity", "-Infinity", -HUGE_VAL, 9, false},
                                           NumberCase{"overflow", "-1e400", -HUGE_VAL, 6, true},
                                           NumberCase{"hexadecimal_overflow", "0x1p2000", HUGE_VAL, 8, true},
                                           NumberCase{"underflow_to_zero", "-0.0001e-330", -0.0, 12, false},
                                           NumberCase{"no_number", "abc", 0, 0, false}),
                         caseName);

}  // namespace
