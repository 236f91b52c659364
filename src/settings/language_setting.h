// The language setting: the key "Language" ("ja" or "en") of the settings file's section.
#pragma once

#include <string_view>

#include "settings/settings_file.h"
#include "text/catalogue.h"

namespace kestrune {

inline constexpr const char* kLanguageKey = "Language";

// The language to start in: the stored choice, else the system locale's (Japanese for "ja…",
// English otherwise). Only reads: the key is written when the player chooses.
text::Language StartLanguage(SettingsFile& settings, std::string_view systemLocale);

// Stores the player's choice; false when the file could not be written.
bool StoreLanguage(SettingsFile& settings, text::Language language);

}  // namespace kestrune
