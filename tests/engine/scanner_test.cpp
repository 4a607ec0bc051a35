#include "tests/engine/test_support.h"

#include <string>

namespace {

class Literals : public ::testing::TestWithParam<Case> {};
TEST_P(Literals, EvaluateInDecimal)
{
    EXPECT_EQ(outcome(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Scanner, Literals,
    ::testing::Values(
        Case{"hex", "0x1F", "31"}, Case{"hex_e_is_a_digit", "0x10e2", "4322"}, Case{"hex_without_digits", "0x", "0"},
        Case{"hex_capital_x_is_a_name", "0XFF", syntaxError}, Case{"hex_has_no_point", "0x1.8", syntaxError},
        Case{"hex_then_letter", "0xg", syntaxError}, Case{"leading_zero_is_not_octal", "0123", "123"},
        Case{"zero_alone", "0", "0"}, Case{"point_first", ".5", "0.5"}, Case{"point_last", "5.", "5"},
        Case{"point_alone", ".", "0"}, Case{"exponent", "2.5e2", "250"}, Case{"exponent_without_digits", "2e", "2"},
        Case{"exponent_sign_without_digits", "2e+", "2"}, Case{"exponent_minus_without_digits", "2e-", "2"},
        Case{"negative_exponent", "1E-3", "0.001"}, Case{"zero_with_exponent", "0e5", "0"},
        Case{"second_point_starts_a_new_literal", "1.2.3", syntaxError},
        Case{"second_point_then_operator", "(1.2).3", syntaxError},
        Case{"huge_exponent_is_infinite", "1e99999999999", "inf"}, Case{"tiny_exponent_is_zero", "1e-99999999999", "0"},
        Case{"exponent_longer_than_any_integer", "1e999999999999999999999999999999", "inf"},
        Case{"huge_times_tiny", "1e99999999999*1e-99999999999", "nan"},
        Case{"subnormal_keeps_precision", "1e-320", "9.99988867182683e-321"},
        Case{"many_fraction_digits", "0.1000000000000000000000000000000000000001", "0.1"},
        Case{"beyond_double_range", "1e309", "inf"},
        Case{"long_digit_run", "123456789012345678901234567890", "1.23456789012346e+29"},
        Case{"char_letter", "'A'", "65"}, Case{"char_newline_escape", "'\\n'", "10"},
        Case{"char_zero_escape", "'\\0'", "0"}, Case{"char_question_escape", "'\\?'", "63"},
        Case{"char_quote_escape", "'\\\"'", "34"}, Case{"char_backslash_escape", "'\\\\'", "92"},
        Case{"three_apostrophes", "'''", "39"}, Case{"char_high_byte_is_signed", "'\xE9'", "-23"},
        Case{"escape_not_in_table", "'\\x'", illegalError}, Case{"escape_digit_other_than_zero", "'\\1'", illegalError},
        Case{"two_chars_in_literal", "'ab'", syntaxError}, Case{"lone_apostrophe", "'", syntaxError},
        Case{"unclosed_after_char", "'a", syntaxError}, Case{"char_then_arithmetic", "'a'+1", "98"}),
    caseName);

class Blanks : public ::testing::TestWithParam<Case> {};
TEST_P(Blanks, FollowTheFirstCharacterRule)
{
    EXPECT_EQ(outcome(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Scanner, Blanks,
    ::testing::Values(Case{"empty_text", "", syntaxError}, Case{"leading_blank", " 1+2", syntaxError},
                      Case{"leading_tab", "\t1+2", syntaxError}, Case{"trailing_blank", "1+2 ", "3"},
                      Case{"blanks_between", "1 +\t2", "3"}, Case{"blank_after_leading_sign", "- 5", "-5"},
                      Case{"two_numbers", "1 2", syntaxError}, Case{"underscore", "a_b", syntaxError},
                      Case{"high_byte", "1+\x83", syntaxError}, Case{"other_punctuation", "1+#", syntaxError}),
    caseName);

TEST(Scanner, EmbeddedNulIsNotTheEndOfTheText)
{
    EXPECT_EQ(outcome(std::string("1\0", 2)), syntaxError);
}

class ImplicitZero : public ::testing::TestWithParam<Case> {};
TEST_P(ImplicitZero, OnlyAtTheStartOrRightAfterAnOpeningParenthesis)
{
    EXPECT_EQ(outcome(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Scanner, ImplicitZero,
    ::testing::Values(Case{"leading_minus", "-5", "-5"}, Case{"leading_plus", "+5", "5"},
                      Case{"lone_minus", "-", syntaxError}, Case{"lone_plus", "+", syntaxError},
                      Case{"leading_star", "*2", syntaxError}, Case{"after_parenthesis", "(-1)", "-1"},
                      Case{"blank_after_parenthesis", "( -1)", syntaxError},
                      Case{"after_operator", "3*-2", syntaxError}, Case{"inside_parentheses", "3*(-2)", "-6"},
                      Case{"in_function_argument_list", "pow(2,-1)", syntaxError},
                      Case{"double_sign", "--5", syntaxError}, Case{"sign_inside_nested", "((-2))*3", "-6"}),
    caseName);

class Names : public ::testing::TestWithParam<Case> {};
TEST_P(Names, AreCaseSensitiveAlphanumericRuns)
{
    EXPECT_EQ(outcome(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Scanner, Names,
                         ::testing::Values(Case{"function_name", "sin(0)", "0"},
                                           Case{"capitalised_function_is_a_variable", "Sin(0)", syntaxError},
                                           Case{"letters_then_digits_is_one_name", "x2", "0"},
                                           Case{"number_then_name", "2x", syntaxError},
                                           Case{"name_at_end_of_text", "1+abc", "1"}),
                         caseName);

}  // namespace
