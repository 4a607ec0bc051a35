#include "win32/hotkeytext.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    const wchar_t* text;
    std::optional<WinHotKey> key;
    // What the key is written back as; the text itself when null.
    const wchar_t* written = nullptr;
};

class HotKeyText : public ::testing::TestWithParam<Case> {};

TEST_P(HotKeyText, ReadsAndWritesBack)
{
    const Case& row = GetParam();
    const std::optional<WinHotKey> key = hotKeyFromText(row.text);
    ASSERT_EQ(key, row.key);
    if (key) {
        EXPECT_EQ(hotKeyToText(*key), row.written ? row.written : row.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HotKeyText,
    ::testing::Values(
        Case{"default_key", L"Ctrl+Shift+C", WinHotKey{MOD_CONTROL | MOD_SHIFT, 'C'}},
        Case{"all_modifiers_in_order", L"Meta+Ctrl+Alt+Shift+K",
             WinHotKey{MOD_WIN | MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'K'}},
        Case{"any_case_any_order", L"shift+CTRL+c", WinHotKey{MOD_CONTROL | MOD_SHIFT, 'C'}, L"Ctrl+Shift+C"},
        Case{"function_key", L"Meta+F12", WinHotKey{MOD_WIN, VK_F12}},
        Case{"two_digit_function_key", L"Alt+F24", WinHotKey{MOD_ALT, VK_F24}},
        Case{"named_key", L"Ctrl+PgDown", WinHotKey{MOD_CONTROL, VK_NEXT}},
        Case{"name_with_blank", L"Ctrl+Volume Up", WinHotKey{MOD_CONTROL, VK_VOLUME_UP}},
        Case{"keypad_digit", L"Ctrl+Num+5", WinHotKey{MOD_CONTROL, VK_NUMPAD5}},
        Case{"keypad_plus", L"Ctrl+Num++", WinHotKey{MOD_CONTROL, VK_ADD}},
        Case{"keypad_enter_is_return", L"Ctrl+Enter", WinHotKey{MOD_CONTROL, VK_RETURN}, L"Ctrl+Return"},
        Case{"digit", L"Alt+7", WinHotKey{MOD_ALT, '7'}},
        Case{"unshifted_sign", L"Ctrl+,", WinHotKey{MOD_CONTROL, VK_OEM_COMMA}}, Case{"blank", L"", std::nullopt},
        Case{"modifier_alone", L"Ctrl", std::nullopt}, Case{"modifiers_without_key", L"Ctrl+Shift+", std::nullopt},
        Case{"modifier_twice", L"Ctrl+Ctrl+C", std::nullopt}, Case{"no_such_function_key", L"Ctrl+F25", std::nullopt},
        Case{"function_key_zero", L"Ctrl+F01", std::nullopt}, Case{"letter_on_keypad", L"Ctrl+Num+A", std::nullopt},
        Case{"unknown_name", L"Ctrl+Hyper", std::nullopt}, Case{"two_keys", L"Ctrl+C, Ctrl+V", std::nullopt}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
