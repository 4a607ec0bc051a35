#include "core/hotkeyrule.h"
#include "core/storedsettings.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

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

// A section of a profile kept in memory; it records the order of the writes.
class MemorySection : public ProfileSection {
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> written;

    int GetInt(const std::string& entry, int defaultValue) override
    {
        const auto found = values.find(m_strSection + "/" + entry);
        return found == values.end() ? defaultValue : std::stoi(found->second);
    }
    std::string GetString(const std::string& entry, const std::string& defaultValue) override
    {
        const auto found = values.find(m_strSection + "/" + entry);
        return found == values.end() ? defaultValue : found->second;
    }
    bool WriteInt(const std::string& entry, int value) override { return WriteString(entry, std::to_string(value)); }
    bool WriteString(const std::string& entry, const std::string& value) override
    {
        written.push_back(m_strSection + "/" + entry + "=" + value);
        return true;
    }
};

TEST(StoredSettings, MissingValuesReadAsDefaults)
{
    MemorySection section;
    const StoredSettings settings = loadSettings(section, defaultWindowHeight(4));
    EXPECT_EQ(settings.windowX, 100);
    EXPECT_EQ(settings.windowY, 100);
    EXPECT_EQ(settings.windowWidth, 300);
    EXPECT_EQ(settings.windowHeight, 30);
    EXPECT_FALSE(settings.noDisplay);
    EXPECT_EQ(settings.hotKey, "Ctrl+Shift+C");
}

TEST(StoredSettings, TakenAsStoredAndWrittenBackInOrder)
{
    MemorySection section;
    section.values = {{"Settings/WindowX", "-40"}, {"Settings/WindowY", "7"}, {"Settings/WindowWidth", "9"},
                      {"Settings/WindowHeight", "99999"}, {"Settings/NoDisplay", "5"}, {"Settings/HotKey", ""}};
    saveSettings(section, loadSettings(section, 0));
    EXPECT_EQ(section.written, (std::vector<std::string>{"Settings/WindowX=-40", "Settings/WindowY=7",
                                                         "Settings/WindowWidth=9", "Settings/WindowHeight=99999",
                                                         "Settings/NoDisplay=1", "Settings/HotKey="}));
}

}  // namespace
