#include "win32/autostart.h"
#include "win32/dialogfont.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>
#include <vector>

namespace {

// A dialog template in memory with three buttons, in either layout; titles of
// odd and even lengths move the items' alignment.
class TemplateBuilder {
public:
    std::vector<WORD> build(bool extended, WORD pointSize, std::wstring_view face)
    {
        m_words.clear();
        if (extended) {
            m_words.insert(m_words.end(), {1, 0xFFFF});
            dword(0);
        }
        dword(extended ? 0 : DS_SETFONT | WS_POPUP);
        dword(extended ? DS_SETFONT | WS_POPUP : 0);
        m_words.insert(m_words.end(), {static_cast<WORD>(std::size(titles)), 0, 0, 200, 100, 0, 0});
        text(L"Sheet");
        m_words.push_back(pointSize);
        if (extended)
            m_words.insert(m_words.end(), {FW_NORMAL, MAKEWORD(0, DEFAULT_CHARSET)});
        text(face);
        for (WORD id = 0; id < std::size(titles); ++id) {
            if (m_words.size() % 2)
                m_words.push_back(0);
            if (extended)
                dword(0);
            dword(extended ? 0 : WS_CHILD | WS_VISIBLE);
            dword(extended ? WS_CHILD | WS_VISIBLE : 0);
            m_words.insert(m_words.end(), {static_cast<WORD>(10 * id), 0, 40, 14});
            extended ? dword(100u + id) : m_words.push_back(100 + id);
            m_words.insert(m_words.end(), {0xFFFF, 0x0080});
            text(titles[id]);
            m_words.push_back(0);
        }
        return m_words;
    }

private:
    static constexpr std::wstring_view titles[] = {L"OK", L"Cancel", L"Apply"};

    void dword(DWORD value) { m_words.insert(m_words.end(), {LOWORD(value), HIWORD(value)}); }
    void text(std::wstring_view value)
    {
        m_words.insert(m_words.end(), value.begin(), value.end());
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;
};

struct FontCase {
    const char* name;
    bool extended;
    const wchar_t* oldFace;
    DialogFont newFont;
    bool replaced;
};

class DialogFontTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(DialogFontTest, RewritesTheTemplateAsIfBuiltWithTheNewFont)
{
    const FontCase& row = GetParam();
    TemplateBuilder builder;
    std::vector<WORD> words = builder.build(row.extended, 8, row.oldFace);
    const std::vector<WORD> expected = row.replaced
        ? builder.build(row.extended, row.newFont.pointSize, row.newFont.face)
        : words;
    ASSERT_EQ(setDialogFont(words.data(), row.newFont), row.replaced);
    words.resize(expected.size());
    EXPECT_EQ(words, expected);

    const std::optional<DialogFont> font = dialogFont(words.data());
    ASSERT_TRUE(font);
    EXPECT_EQ(font->face, row.replaced ? row.newFont.face : row.oldFace);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, DialogFontTest,
    ::testing::Values(FontCase{"extended_shorter_face", true, L"MS Shell Dlg", {9, L"ＭＳ Ｐゴシック"}, true},
                      FontCase{"plain_shorter_face", false, L"MS Shell Dlg", {9, L"ＭＳ Ｐゴシック"}, true},
                      FontCase{"extended_equal_length", true, L"Tahoma", {11, L"Arial."}, true},
                      FontCase{"longer_face_refused", true, L"Tahoma", {9, L"MS Shell Dlg 2"}, false}),
    [](const auto& test) { return std::string(test.param.name); });

std::wstring runValue()
{
    wchar_t value[MAX_PATH + 3] = L"";
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Orrin", RRF_RT_REG_SZ,
                     nullptr, value, &size)
        != ERROR_SUCCESS)
        return {};
    return value;
}

TEST(Autostart, WritesTheQuotedProgramPathWithItsArgumentAndRemovesIt)
{
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const wchar_t* approved = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    const BYTE turnedOff[12] = {3};

    ASSERT_TRUE(setAutostartEnabled(true));
    EXPECT_EQ(runValue(), L"\"" + std::wstring(program) + L"\" /autostart");
    EXPECT_TRUE(isAutostartEnabled());
    RegSetKeyValueW(HKEY_CURRENT_USER, approved, L"Orrin", REG_BINARY, turnedOff, sizeof turnedOff);
    EXPECT_FALSE(isAutostartEnabled());
    ASSERT_TRUE(setAutostartEnabled(true));
    EXPECT_TRUE(isAutostartEnabled());

    ASSERT_TRUE(setAutostartEnabled(false));
    EXPECT_EQ(runValue(), L"");
    EXPECT_FALSE(isAutostartEnabled());
    EXPECT_TRUE(setAutostartEnabled(false));
}

TEST(Autostart, OnlyTheArgumentOfTheRunValueMovesToTheProfileFolder)
{
    const std::wstring profile = _wgetenv(L"USERPROFILE");
    SetCurrentDirectoryW(L"C:\\");
    enterLoginFolder(L"other.dat");
    EXPECT_NE(std::filesystem::current_path().wstring(), profile);
    enterLoginFolder(autostartArgument);
    EXPECT_EQ(std::filesystem::current_path().wstring(), profile);
}

}  // namespace
