#pragma once
#include "core/profilesection.h"

#include <array>
#include <string>

// The settings kept per user in the profile store: read once at start,
// written once at exit, wiped by the delete command.
struct StoredSettings {
    int windowX = 100;
    int windowY = 100;
    int windowWidth = 300;
    // Outer height; the default depends on the desktop (defaultWindowHeight).
    int windowHeight = 0;
    bool noDisplay = false;
};

// The section that holds the settings, and every section the delete command
// removes, in the order it removes them.
inline constexpr char settingsSection[] = "Settings";
inline constexpr std::array<const char*, 2> deletedSections{settingsSection, "WindowPosition"};

// The hot key's value in the settings section. Its key text may be of any
// script, so each front end keeps it in the store's own Unicode text, past
// the code page of the other strings (see hotkeyrule.h for what it holds).
inline constexpr char hotKeyEntry[] = "HotKey";

// The default outer height: the sizing border above and below the entry box.
int defaultWindowHeight(int sizingBorder);

// Reads the settings, each missing value as its default. Values are taken as
// stored: there is no check against the screen, no minimum and no maximum.
StoredSettings loadSettings(ProfileSection& section, int defaultHeight);
// Writes every setting, in the order they are read.
void saveSettings(ProfileSection& section, const StoredSettings& settings);
