#include "tests/engine/test_support.h"

#include <string>

namespace {

class Evaluation : public ::testing::TestWithParam<Case> {};
TEST_P(Evaluation, GivesTheExpectedLine)
{
    EXPECT_EQ(outcome(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Precedence, Evaluation,
    ::testing::Values(
        Case{"product_before_sum", "2+3*4", "14"}, Case{"parentheses_group", "(2+3)*4", "20"},
        Case{"minus_is_left_associative", "8-3-2", "3"}, Case{"division_is_left_associative", "64/4/2", "8"},
        Case{"remainder_looser_than_product", "7%4*2", "7"}, Case{"remainder_after_product", "2*10%4", "0"},
        Case{"bitwise_looser_than_sum", "1+2&3", "3"}, Case{"bitwise_share_one_level", "6|3&8", "0"},
        Case{"complement_tighter_than_product", "2*~3", "-8"}, Case{"function_tighter_than_complement", "~abs 2", "-3"},
        Case{"assignment_loosest", "x=3+4", "7"}, Case{"worked_example", "pow(2,3+1)*2", "32"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Structure, Evaluation,
    ::testing::Values(Case{"unbalanced_open", "(1+2", syntaxError}, Case{"unbalanced_close", "1+2)", syntaxError},
                      Case{"balanced_but_close_first", ")1(", syntaxError},
                      Case{"close_pops_wrong_group", "(1))+((2", syntaxError},
                      Case{"empty_parentheses", "()", syntaxError}, Case{"adjacent_numbers", "2 3", syntaxError},
                      Case{"no_implicit_product", "2(3)", syntaxError}, Case{"trailing_operator", "1+", syntaxError},
                      Case{"comma_leaves_two_values", "1,2", syntaxError},
                      Case{"comma_in_parentheses", "(1,2)", syntaxError}, Case{"comma_alone", "(,)", syntaxError},
                      Case{"deep_nesting", "((((((((((1))))))))))", "1"}, Case{"complement_of_group", "~(1+1)", "-3"},
                      Case{"comma_passes_operand_to_pow", "pow((2),(3))", "8"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(MathErrors, Evaluation,
                         ::testing::Values(Case{"domain_error", "acos(2)", illegalError},
                                           Case{"range_error", "pow(10,400)", overflow},
                                           Case{"product_overflow_is_not_an_error", "1e308*10", "inf"},
                                           Case{"nan_passes_through", "sqrt(-1)+1", "nan"},
                                           Case{"error_number_cleared_between_steps", "exp(1000)+acos(1)", "inf"}),
                         caseName);

TEST(Evaluation, AHundredThousandNestedParenthesesNeedNoStack)
{
    const std::size_t depth = 100000;
    const std::string text = std::string(depth, '(') + "-1" + std::string(depth, ')');
    EXPECT_EQ(outcome(text), "-1");
}

TEST(Evaluation, TenMegabytesEvaluateLinearly)
{
    std::string text = "1";
    text.reserve(10'000'001);
    while (text.size() < 10'000'000)
        text += "+1";
    EXPECT_EQ(outcome(text), "5000001");
}

TEST(Evaluation, StateAfterAnErrorDoesNotLeakIntoTheNextCall)
{
    Calculator<double> calculator;
    const char* failing[] = {"(1+2", "1+(2*", "pow(1,", ")1(", "1 2 3", "'ab'", "'\\q'", "sin", "7%0"};
    for (const char* text : failing) {
        EXPECT_NE(outcome(calculator, text), "3") << text;
        EXPECT_EQ(outcome(calculator, "1+2"), "3") << "after " << text;
    }
}

class Modes : public ::testing::TestWithParam<std::tuple<const char*, int, const char*>> {};
TEST_P(Modes, SelectTheRadix)
{
    const auto& [input, mode, expected] = GetParam();
    EXPECT_EQ(outcome(input, mode), expected);
}
INSTANTIATE_TEST_SUITE_P(Calculate, Modes,
                         ::testing::Values(std::make_tuple("255", 1, "0xff"), std::make_tuple("-1", 1, "0xffffffff"),
                                           std::make_tuple("2.9", 1, "0x2"), std::make_tuple("0", 1, "0x0"),
                                           std::make_tuple("1e20", 1, "0x0"), std::make_tuple("10", 2, "10"),
                                           std::make_tuple("10", -1, "10"),
                                           std::make_tuple("1/3", 0, "0.333333333333333"),
                                           std::make_tuple("1/0", 1, divisionByZero)));

}  // namespace
