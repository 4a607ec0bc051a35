#include "platform/codepage.h"
#include "tests/support/bytes.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PairCase {
    const char* name;
    std::string utf8;
    std::string cp932;
};
ORRIN_PRINT_CASE_BY_NAME(PairCase)

class CodePagePair : public ::testing::TestWithParam<PairCase> {};

TEST_P(CodePagePair, ConvertsToCp932)
{
    EXPECT_EQ(hex(utf8ToCp932(GetParam().utf8)), hex(GetParam().cp932));
}

TEST_P(CodePagePair, ConvertsToUtf8)
{
    EXPECT_EQ(hex(cp932ToUtf8(GetParam().cp932)), hex(GetParam().utf8));
}

INSTANTIATE_TEST_SUITE_P(Texts, CodePagePair,
                         ::testing::Values(PairCase{"empty", "", ""}, PairCase{"ascii", "x=1+2*(3/4)", "x=1+2*(3/4)"},
                                           PairCase{"nul_kept", std::string("a\0b", 3), std::string("a\0b", 3)},
                                           PairCase{"memory_error_message", "メモリエラー。",
                                                    bytes({0x83, 0x81, 0x83, 0x82, 0x83, 0x8A, 0x83, 0x47, 0x83, 0x89,
                                                           0x81, 0x5B, 0x81, 0x42})},
                                           PairCase{"half_width_katakana", "ｻｲｽﾞ", bytes({0xBB, 0xB2, 0xBD, 0xDE})},
                                           PairCase{"backslash_and_tilde_stay_ascii", "\\~", "\\~"},
                                           PairCase{"nec_circled_digit", "①", bytes({0x87, 0x40})},
                                           PairCase{"fullwidth_tilde", "～", bytes({0x81, 0x60})},
                                           PairCase{"kanji_with_ascii_trail_byte", "表示",
                                                    bytes({0x95, 0x5C, 0x8E, 0xA6})}),
                         caseName);

struct OneWayCase {
    const char* name;
    std::string input;
    std::string expected;
};
ORRIN_PRINT_CASE_BY_NAME(OneWayCase)

class Utf8Unconvertible : public ::testing::TestWithParam<OneWayCase> {};

TEST_P(Utf8Unconvertible, BecomesQuestionMarks)
{
    EXPECT_EQ(hex(utf8ToCp932(GetParam().input)), hex(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Inputs, Utf8Unconvertible,
                         ::testing::Values(OneWayCase{"emoji_is_one_character",
                                                      "a\xF0\x9F\x98\x80"
                                                      "b",
                                                      "a?b"},
                                           OneWayCase{"latin_e_acute", "caf\xC3\xA9", "caf?"},
                                           OneWayCase{"replacement_character", "\xEF\xBF\xBD", "?"},
                                           OneWayCase{"invalid_byte",
                                                      "a\xFF"
                                                      "b",
                                                      "a?b"},
                                           OneWayCase{"lone_continuation",
                                                      "\x80"
                                                      "1",
                                                      "?1"},
                                           OneWayCase{"truncated_at_end", "x\xE3\x81", "x??"},
                                           OneWayCase{"overlong_slash", "\xC0\xAF", "??"},
                                           OneWayCase{"encoded_surrogate", "\xED\xA0\x80", "???"},
                                           OneWayCase{"text_after_error_kept", "\xC3\xA9メ",
                                                      "?" + bytes({0x83, 0x81})}),
                         caseName);

class Cp932Invalid : public ::testing::TestWithParam<OneWayCase> {};

TEST_P(Cp932Invalid, BecomesReplacementCharacters)
{
    EXPECT_EQ(hex(cp932ToUtf8(GetParam().input)), hex(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Inputs, Cp932Invalid,
                         ::testing::Values(OneWayCase{"unassigned_single_bytes", "\x80\xA0\xFD\xFE\xFF", "�����"},
                                           OneWayCase{"between_ascii",
                                                      "a\xA0"
                                                      "b",
                                                      "a�b"},
                                           OneWayCase{"lead_byte_at_end", "1+\x83", "1+�"},
                                           OneWayCase{"lead_then_ascii_keeps_ascii", "\x83 1", "� 1"},
                                           OneWayCase{"unmapped_pair_is_one_error",
                                                      "\x81\xAD"
                                                      "2",
                                                      "�2"},
                                           OneWayCase{"text_after_error_kept", "\xFF" + bytes({0x83, 0x81, 0x83, 0x82}),
                                                      "�メモ"}),
                         caseName);

TEST(CodePageLength, ConvertsTextLongerThanOneBufferCompletely)
{
    std::string utf8;
    std::string cp932;
    for (int i = 0; i < 1000; ++i) {
        utf8 += "メ1";
        cp932 += bytes({0x83, 0x81, '1'});
    }
    EXPECT_EQ(utf8ToCp932(utf8), cp932);
    EXPECT_EQ(cp932ToUtf8(cp932), utf8);
}

TEST(CodePageLength, ErrorsSpreadOverALongTextAreAllReplaced)
{
    std::string cp932;
    std::string utf8;
    for (int i = 0; i < 500; ++i) {
        cp932 += "\x80" + bytes({0x82, 0xA0});
        utf8 += "�あ";
    }
    EXPECT_EQ(cp932ToUtf8(cp932), utf8);
}

}  // namespace
