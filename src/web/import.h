// The browser's "記録を読み込む…": which files are taken in as the records, and as what text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune::web {

// The largest records file taken in: far above any real one, far below the storage quota.
// The page does not even read a larger file.
inline constexpr std::size_t kImportLimit = 256 * 1024;

// The text to store for the bytes of a file the player chose: the file as Unicode text (a
// byte-order mark, comments and line breaks kept) when the settings reader takes it as this
// game's settings; nothing for a larger file or any other.
std::optional<std::string> ImportedSettingsText(std::string_view bytes);

}  // namespace kestrune::web
