// The windows' description (forms/windows.h) as JSON for the page, with every text from the
// catalogue in the current language: menus, panel, title window, ranking table and About box.
#pragma once

#include <array>
#include <string>

#include "navigation/key_bindings.h"
#include "navigation/records.h"
#include "web/json.h"

namespace kestrune::web {

// The title window, the game window's menus, panel, strip and clear panel, in the current
// language; the auto cruise item shows the caption given.
std::string WindowDescriptionJson(const std::string& autoCruiseCaption);
// The ranking table with the twelve cells.
std::string RankingWindowJson(const std::array<RankingCell, 12>& cells);
// The About box.
std::string VersionWindowJson();
// The key settings dialog for these keys.
std::string KeySettingsJson(const KeyBindings& keys);
// The keys' names for the player's eyes, as a member "keys" of the object being written.
void KeyNamesJson(JsonWriter& json, const KeyBindings& keys);
// The help page beside the game's page.
std::string HelpPageAddress();

}  // namespace kestrune::web
