#include "win32/hotkeycheck.h"
#include "win32/widetext.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    WinHotKey key;
    HotKeyCheck expected;
};

class WinHotKeyCheck : public ::testing::TestWithParam<Case> {};

TEST_P(WinHotKeyCheck, Judges)
{
    EXPECT_EQ(checkWinHotKey(GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, WinHotKeyCheck,
    ::testing::Values(Case{"default_key", {MOD_CONTROL | MOD_SHIFT, 'C'}, HotKeyCheck::Usable},
                      Case{"windows_key", {MOD_WIN, VK_F12}, HotKeyCheck::Usable},
                      Case{"shift_alone", {MOD_SHIFT, VK_F12}, HotKeyCheck::NeedsModifier},
                      Case{"modifier_key", {MOD_CONTROL, VK_SHIFT}, HotKeyCheck::NeedsModifier},
                      Case{"nameless_key", {MOD_CONTROL, 0xFF}, HotKeyCheck::NeedsModifier},
                      Case{"evaluation_key", {MOD_CONTROL | MOD_SHIFT, 'H'}, HotKeyCheck::UsedByStrip},
                      Case{"enter_with_ctrl", {MOD_CONTROL, VK_RETURN}, HotKeyCheck::UsedByStrip},
                      Case{"list_key", {MOD_ALT, VK_DOWN}, HotKeyCheck::UsedByStrip},
                      Case{"editing_key", {MOD_CONTROL, VK_LEFT}, HotKeyCheck::UsedByStrip}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(StoredHotKey, IsAKeyTheStripCanHoldOrNone)
{
    const std::optional<WinHotKey> defaultKey = WinHotKey{MOD_CONTROL | MOD_SHIFT, 'C'};
    for (const auto& [text, expected] : {std::pair<std::wstring, std::optional<WinHotKey>>{L" ", std::nullopt},
                                         {L"Alt+F12", WinHotKey{MOD_ALT, VK_F12}},
                                         {L"Ctrl+Left", defaultKey},
                                         {L"Return", defaultKey}})
        EXPECT_EQ(storedHotKey(text), expected) << narrow(text);
}

}  // namespace
