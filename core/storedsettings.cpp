#include "core/storedsettings.h"

namespace {

const char* const windowXEntry = "WindowX";
const char* const windowYEntry = "WindowY";
const char* const windowWidthEntry = "WindowWidth";
const char* const windowHeightEntry = "WindowHeight";
const char* const noDisplayEntry = "NoDisplay";

// The height of the entry box between the borders.
constexpr int entryBoxHeight = 22;

}  // namespace

int defaultWindowHeight(int sizingBorder)
{
    return 2 * sizingBorder + entryBoxHeight;
}

StoredSettings loadSettings(ProfileSection& section, int defaultHeight)
{
    const StoredSettings defaults;
    section.m_strSection = settingsSection;
    StoredSettings settings;
    settings.windowX = section.GetInt(windowXEntry, defaults.windowX);
    settings.windowY = section.GetInt(windowYEntry, defaults.windowY);
    settings.windowWidth = section.GetInt(windowWidthEntry, defaults.windowWidth);
    settings.windowHeight = section.GetInt(windowHeightEntry, defaultHeight);
    settings.noDisplay = section.GetBool(noDisplayEntry, defaults.noDisplay);
    return settings;
}

void saveSettings(ProfileSection& section, const StoredSettings& settings)
{
    section.m_strSection = settingsSection;
    section.WriteInt(windowXEntry, settings.windowX);
    section.WriteInt(windowYEntry, settings.windowY);
    section.WriteInt(windowWidthEntry, settings.windowWidth);
    section.WriteInt(windowHeightEntry, settings.windowHeight);
    section.WriteBool(noDisplayEntry, settings.noDisplay);
}
