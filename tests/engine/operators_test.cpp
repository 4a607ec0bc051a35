#include "tests/engine/test_support.h"

#include "engine/toint32.h"

#include <cmath>
#include <ostream>
#include <limits>

namespace {

class Operators : public ::testing::TestWithParam<Case> {};
TEST_P(Operators, Compute)
{
    EXPECT_EQ(outcome(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Remainder, Operators,
                         ::testing::Values(Case{"positive", "7%3", "1"}, Case{"sign_of_dividend", "-7%3", "-1"},
                                           Case{"negative_divisor", "7%(-3)", "1"},
                                           Case{"operands_truncated", "7.9%3.9", "1"},
                                           Case{"divisor_truncates_to_zero", "7%0.5", divisionByZero},
                                           Case{"zero_divisor", "7%0", divisionByZero},
                                           Case{"divisor_wraps_to_zero", "7%4294967296", divisionByZero},
                                           Case{"nan_divisor", "7%sqrt(-1)", divisionByZero},
                                           Case{"most_negative_by_minus_one", "(-2147483648)%(-1)", "0"},
                                           Case{"most_negative_by_two", "(-2147483648)%2", "0"}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(Division, Operators,
                         ::testing::Values(Case{"by_zero", "1/0", divisionByZero},
                                           Case{"by_negative_zero", "1/(-0)", divisionByZero},
                                           Case{"by_nan", "1/sqrt(-1)", divisionByZero},
                                           Case{"zero_by_five", "0/5", "0"},
                                           Case{"by_tiny_is_infinite", "1/1e-320", "inf"}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(Bitwise, Operators,
                         ::testing::Values(Case{"xor_not_power", "5^3", "6"}, Case{"complement_zero", "~0", "-1"},
                                           Case{"complement_truncates", "~5.7", "-6"},
                                           Case{"complement_wraps", "~2147483648", "2147483647"},
                                           Case{"and_wraps", "4294967295&255", "255"},
                                           Case{"or_wraps_to_zero", "4294967296|0", "0"},
                                           Case{"infinity_converts_to_zero", "1e400|0", "0"}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(Assignment, Operators,
                         ::testing::Values(Case{"yields_value", "x=5", "5"}, Case{"through_parentheses", "(x)=6", "6"},
                                           Case{"result_is_a_number", "(x=2)+1", "3"},
                                           Case{"number_target", "3=4", syntaxError},
                                           Case{"expression_target", "(x+0)=4", syntaxError},
                                           Case{"chain_is_left_associative", "a=b=1", syntaxError}),
                         caseName);

struct Conversion {
    double input;
    std::int32_t expected;
};
[[maybe_unused]] void PrintTo(const Conversion& value, std::ostream* os)
{
    *os << value.input << " -> " << value.expected;
}
class ToInt32 : public ::testing::TestWithParam<Conversion> {};
TEST_P(ToInt32, TruncatesAndKeepsTheLow32Bits)
{
    EXPECT_EQ(toInt32(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Conversions, ToInt32,
    ::testing::Values(Conversion{2.9, 2}, Conversion{-2.9, -2}, Conversion{2147483648.0, -2147483647 - 1},
                      Conversion{4294967295.0, -1}, Conversion{4294967296.0, 0}, Conversion{10000000000.0, 1410065408},
                      Conversion{1e20, 0}, Conversion{9223372036854775808.0, 0}, Conversion{-9223372036854775808.0, 0},
                      Conversion{9223372036854774784.0, -1024}, Conversion{std::numeric_limits<double>::infinity(), 0},
                      Conversion{-std::numeric_limits<double>::infinity(), 0}, Conversion{std::nan(""), 0}));

TEST(Assignment, StaysWhenALaterStepFails)
{
    Calculator<double> calculator;
    EXPECT_EQ(outcome(calculator, "(x=5)+"), syntaxError);
    EXPECT_EQ(outcome(calculator, "x"), "5");
    EXPECT_EQ(outcome(calculator, "a=b=1"), syntaxError);
    ASSERT_EQ(calculator.variables.count("a"), 1u);
    EXPECT_EQ(calculator.variables.at("a").value, 0);
    EXPECT_EQ(calculator.variables.count("b"), 0u);
}

}  // namespace
