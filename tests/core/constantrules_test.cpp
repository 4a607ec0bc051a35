#include "core/constname.h"
#include "core/valuetext.h"
#include "tests/support/bytes.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

struct NameCase {
    const char* name;
    std::string constName;
    ConstNameCheck expected;
};

ORRIN_PRINT_CASE_BY_NAME(NameCase)

class NameRule : public ::testing::TestWithParam<NameCase> {};
TEST_P(NameRule, ChecksTheName)
{
    EXPECT_EQ(checkConstName(GetParam().constName), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameRule,
    ::testing::Values(NameCase{"capitals", "PI", ConstNameCheck::Ok},
                      NameCase{"capitals_and_digits", "A1B2", ConstNameCheck::Ok},
                      NameCase{"empty", "", ConstNameCheck::Ok},
                      NameCase{"leading_digit", "2PI", ConstNameCheck::LeadingDigit},
                      NameCase{"leading_digit_before_underscore", "2P_I", ConstNameCheck::LeadingDigit},
                      NameCase{"only_a_digit", "7", ConstNameCheck::LeadingDigit},
                      NameCase{"underscore", "P_I", ConstNameCheck::BadCharacter},
                      NameCase{"blank", "P I", ConstNameCheck::BadCharacter},
                      NameCase{"lower_case", "Pi", ConstNameCheck::BadCharacter},
                      NameCase{"leading_underscore", "_1", ConstNameCheck::BadCharacter},
                      NameCase{"double_byte_character", bytes({0x82, 0x60}), ConstNameCheck::BadCharacter},  // "Ａ"
                      NameCase{"half_width_katakana", bytes({0xB1}), ConstNameCheck::BadCharacter}),         // "ｱ"
    caseName);

struct ValueCase {
    const char* name;
    double value;
    const char* text;
};

ORRIN_PRINT_CASE_BY_NAME(ValueCase)

class ValueText : public ::testing::TestWithParam<ValueCase> {};
TEST_P(ValueText, WritesTheText)
{
    EXPECT_EQ(valueText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueText,
    ::testing::Values(ValueCase{"integral_keeps_the_point", 2.0, "2."}, ValueCase{"negative_integral", -2.0, "-2."},
                      ValueCase{"zero", 0.0, "0."},
                      ValueCase{"largest_plain_integer", 123456789012345.0, "123456789012345."},
                      ValueCase{"fraction", -2.5, "-2.5"}, ValueCase{"one_third", 1.0 / 3, "0.333333333333333"},
                      ValueCase{"pi_rounded_to_15_digits", 3.14159265358979323, "3.14159265358979"},
                      ValueCase{"exponential_form_has_no_point_added", 1e20, "1e+20"},
                      ValueCase{"small_exponential_form", 1.5e-10, "1.5e-10"}),
    caseName);

class ValueFromText : public ::testing::TestWithParam<ValueCase> {};
TEST_P(ValueFromText, ReadsTheNumber)
{
    EXPECT_EQ(valueFromText(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, ValueFromText,
                         ::testing::Values(ValueCase{"integral_with_point", 2.0, "2."},
                                           ValueCase{"fifteen_digits", 0.333333333333333, "0.333333333333333"},
                                           ValueCase{"exponent", 1e20, "1e+20"},
                                           ValueCase{"leading_blanks", -7.25, "  -7.25"},
                                           ValueCase{"number_then_text", 12.0, "12abc"},
                                           ValueCase{"not_a_number_reads_0", 0.0, "abc"},
                                           ValueCase{"empty_reads_0", 0.0, ""},
                                           ValueCase{"infinity", -std::numeric_limits<double>::infinity(), "-inf"}),
                         caseName);

}  // namespace
