// The layout setting: the key "Layout" ("classic" or "fit") of the settings file's section.
#pragma once

#include "settings/settings_file.h"

namespace kestrune {

// classic: the window as designed, at its design size whatever the window's size;
// fit: the whole design scaled to the window, or the compact arrangement on small touch screens.
enum class LayoutKind { Classic, Fit };

inline constexpr const char* kLayoutKey = "Layout";

// The stored layout; a missing or unknown value gives the shell's default.
LayoutKind ReadLayout(SettingsFile& settings, LayoutKind fallback);

// Stores the player's choice; false when the file could not be written.
bool StoreLayout(SettingsFile& settings, LayoutKind layout);

}  // namespace kestrune
