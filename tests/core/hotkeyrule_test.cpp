#include "core/hotkeyrule.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

namespace {

using Key = HotKeyChord::Key;

struct ChordCase {
    const char* name;
    HotKeyChord chord;
    HotKeyCheck expected;
};

ORRIN_PRINT_CASE_BY_NAME(ChordCase)

class HotKeyRule : public ::testing::TestWithParam<ChordCase> {};
TEST_P(HotKeyRule, ChecksTheCombination)
{
    EXPECT_EQ(checkHotKey(GetParam().chord), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Chords, HotKeyRule, ::testing::Values(
    ChordCase{"ctrl", {true, false, false, false, Key::Ordinary, "K"}, HotKeyCheck::Usable},
    ChordCase{"alt", {false, true, false, false, Key::Ordinary, "F5"}, HotKeyCheck::Usable},
    ChordCase{"meta", {false, false, false, true, Key::Ordinary, "F12"}, HotKeyCheck::Usable},
    ChordCase{"plain", {false, false, false, false, Key::Ordinary, "K"}, HotKeyCheck::NeedsModifier},
    ChordCase{"shift_only", {false, false, true, false, Key::Ordinary, "K"}, HotKeyCheck::NeedsModifier},
    ChordCase{"modifier_key", {true, false, true, false, Key::Modifier, ""}, HotKeyCheck::NeedsModifier},
    ChordCase{"unknown_key", {true, true, false, false, Key::Unknown, ""}, HotKeyCheck::NeedsModifier}),
    caseName);

}  // namespace
