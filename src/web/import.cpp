#include "web/import.h"

#include "settings/settings_file.h"

namespace kestrune::web {

std::optional<std::string> ImportedSettingsText(std::string_view bytes) {
    if (bytes.size() > kImportLimit) return std::nullopt;
    std::string text = SettingsFile::SettingsTextInUtf8(bytes);
    if (!SettingsFile::IsSettingsText(text)) return std::nullopt;
    return text;
}

}  // namespace kestrune::web
