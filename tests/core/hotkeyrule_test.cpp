#include "core/hotkeyrule.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

namespace {

using Key = HotKeyChord::Key;

struct ChordCase {
    const char* name;
    HotKeyChord chord;
    bool frontEndKey;
    HotKeyCheck expected;
};

ORRIN_PRINT_CASE_BY_NAME(ChordCase)

class HotKeyRule : public ::testing::TestWithParam<ChordCase> {};
TEST_P(HotKeyRule, ChecksTheCombination)
{
    EXPECT_EQ(checkHotKey(GetParam().chord, GetParam().frontEndKey), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Chords, HotKeyRule,
    ::testing::Values(
        ChordCase{"ctrl", {true, false, false, false, Key::Ordinary, "K"}, false, HotKeyCheck::Usable},
        ChordCase{"alt", {false, true, false, false, Key::Ordinary, "F5"}, false, HotKeyCheck::Usable},
        ChordCase{"meta", {false, false, false, true, Key::Ordinary, "F12"}, false, HotKeyCheck::Usable},
        ChordCase{"plain", {false, false, false, false, Key::Ordinary, "K"}, false, HotKeyCheck::NeedsModifier},
        ChordCase{"shift_only", {false, false, true, false, Key::Ordinary, "K"}, false, HotKeyCheck::NeedsModifier},
        ChordCase{"modifier_key", {true, false, true, false, Key::Modifier, ""}, false, HotKeyCheck::NeedsModifier},
        ChordCase{"unknown_key", {true, true, false, false, Key::Unknown, ""}, false, HotKeyCheck::NeedsModifier},
        ChordCase{
            "plain_enter", {false, false, false, false, Key::Ordinary, "Return"}, false, HotKeyCheck::NeedsModifier},
        ChordCase{"entry_box_hex", {true, false, true, false, Key::Ordinary, "H"}, false, HotKeyCheck::UsedByStrip},
        ChordCase{
            "entry_box_backspace", {true, false, false, false, Key::Ordinary, "H"}, false, HotKeyCheck::UsedByStrip},
        ChordCase{
            "ctrl_alt_enter", {true, true, false, false, Key::Ordinary, "Enter"}, false, HotKeyCheck::UsedByStrip},
        ChordCase{"ctrl_alt_h_free", {true, true, false, false, Key::Ordinary, "H"}, false, HotKeyCheck::Usable},
        ChordCase{"alt_enter_is_a_mnemonic",
                  {false, true, false, false, Key::Ordinary, "Return"},
                  false,
                  HotKeyCheck::Usable},
        ChordCase{"front_end_key", {true, false, false, false, Key::Ordinary, "V"}, true, HotKeyCheck::UsedByStrip}),
    caseName);

}  // namespace
