#include "res/menuitems.h"
#include "res/strings.h"
#include "res/texts.h"
#include "tests/support/casename.h"
#include "win32/resourceids.h"
#include "win32/widetext.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include <windows.h>

namespace res {

// The tests are named by the resource number.
void PrintTo(const StringEntry& entry, std::ostream* os)
{
    *os << entry.id;
}

void PrintTo(const MenuTable& table, std::ostream* os)
{
    *os << table.menuId;
}

}  // namespace res

namespace {

HINSTANCE module()
{
    return GetModuleHandleW(nullptr);
}

std::wstring loadString(int id)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module(), static_cast<UINT>(id), reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring menuString(HMENU menu, int position)
{
    wchar_t text[256] = L"";
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return text;
}

// A field of a dialog template that is either absent, a number or a string;
// the string, or empty.
std::wstring readNameOrNumber(const WORD*& at)
{
    if (*at == 0xFFFF) {
        at += 2;
        return {};
    }
    std::wstring text(reinterpret_cast<const wchar_t*>(at));
    at += text.size() + 1;
    return text;
}

// The caption and the control texts of an extended dialog template.
std::vector<std::wstring> dialogTexts(int dialogId)
{
    HRSRC found = FindResourceW(module(), MAKEINTRESOURCEW(dialogId), MAKEINTRESOURCEW(5));  // RT_DIALOG
    if (!found)
        return {};
    const auto* at = static_cast<const WORD*>(LockResource(LoadResource(module(), found)));
    const DWORD style = at[6] | (static_cast<DWORD>(at[7]) << 16);
    const WORD items = at[8];
    at += 13;
    readNameOrNumber(at);  // menu
    readNameOrNumber(at);  // class
    std::vector<std::wstring> texts{readNameOrNumber(at)};
    if (style & DS_SETFONT) {
        at += 3;
        readNameOrNumber(at);
    }
    for (WORD item = 0; item < items; ++item) {
        at = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR{3});
        at += 12;
        readNameOrNumber(at);  // class
        texts.push_back(readNameOrNumber(at));
        at += 1 + (*at + 1) / 2;
    }
    return texts;
}

class StringTable : public ::testing::TestWithParam<res::StringEntry> {};

TEST_P(StringTable, HoldsTheTextOfRes)
{
    EXPECT_EQ(loadString(GetParam().id), widen(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Resources, StringTable, ::testing::ValuesIn(res::stringTable),
                         [](const auto& row) { return std::to_string(row.param.id); });

class Menu : public ::testing::TestWithParam<res::MenuTable> {};

TEST_P(Menu, HoldsTheItemsOfRes)
{
    HMENU menu = LoadMenuW(module(), MAKEINTRESOURCEW(GetParam().menuId));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(GetParam().items.size()));
    for (int position = 0; position < GetMenuItemCount(popup); ++position) {
        const res::MenuItem& item = GetParam().items[static_cast<std::size_t>(position)];
        SCOPED_TRACE(position);
        if (item.command == res::menuSeparator) {
            EXPECT_TRUE(GetMenuState(popup, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR);
            continue;
        }
        EXPECT_EQ(GetMenuItemID(popup, position), static_cast<UINT>(item.command));
        EXPECT_EQ(menuString(popup, position), widen(item.text));
    }
    DestroyMenu(menu);
}

INSTANTIATE_TEST_SUITE_P(Resources, Menu, ::testing::ValuesIn(res::menuTables),
                         [](const auto& row) { return std::to_string(row.param.menuId); });

struct DialogText {
    const char* name;
    int dialogId;
    const char* text;
};
ORRIN_PRINT_CASE_BY_NAME(DialogText)

class Dialog : public ::testing::TestWithParam<DialogText> {};

TEST_P(Dialog, ShowsTheTextOfRes)
{
    const std::vector<std::wstring> texts = dialogTexts(GetParam().dialogId);
    EXPECT_NE(std::find(texts.begin(), texts.end(), widen(GetParam().text)), texts.end());
}

// Every text of a dialog template that comes from res/.
INSTANTIATE_TEST_SUITE_P(Resources, Dialog,
                         ::testing::Values(DialogText{"about_caption", IDD_ABOUTBOX, res::text::aboutTitle},
                                           DialogText{"about_description", IDD_ABOUTBOX, res::text::aboutDescription},
                                           DialogText{"general_caption", IDD_GENERAL_PAGE, res::text::generalPageTitle},
                                           DialogText{"general_group", IDD_GENERAL_PAGE, res::text::generalGroup},
                                           DialogText{"general_no_display", IDD_GENERAL_PAGE, res::text::noDisplay},
                                           DialogText{"general_start_at_login", IDD_GENERAL_PAGE,
                                                      res::text::startAtLogin},
                                           DialogText{"general_hot_key", IDD_GENERAL_PAGE, res::text::hotKeyLabel},
                                           DialogText{"const_caption", IDD_CONST_PAGE, res::text::constPageTitle},
                                           DialogText{"const_new", IDD_CONST_PAGE, res::text::newConstButton},
                                           DialogText{"const_delete", IDD_CONST_PAGE, res::text::deleteConstButton},
                                           DialogText{"edit_caption", IDD_CONST_EDIT, res::text::constEditTitle},
                                           DialogText{"edit_group", IDD_CONST_EDIT, res::text::propertiesGroup},
                                           DialogText{"edit_name", IDD_CONST_EDIT, res::text::nameLabel},
                                           DialogText{"edit_value", IDD_CONST_EDIT, res::text::valueLabel},
                                           DialogText{"edit_description", IDD_CONST_EDIT, res::text::descriptionLabel},
                                           DialogText{"edit_cancel", IDD_CONST_EDIT, res::text::constEditCancel}),
                         caseName);

}  // namespace
