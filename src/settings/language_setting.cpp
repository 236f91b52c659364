#include "settings/language_setting.h"

#include <string>

namespace kestrune {

text::Language StartLanguage(SettingsFile& settings, std::string_view systemLocale) {
    if (const auto stored = settings.FindSetting(kSettingsSection, kLanguageKey))
        if (const auto language = text::LanguageFromCode(*stored)) return *language;
    return text::LanguageForLocale(systemLocale);
}

bool StoreLanguage(SettingsFile& settings, text::Language language) {
    return settings.WriteSetting(kSettingsSection, kLanguageKey,
                                 std::string(text::LanguageCode(language)));
}

}  // namespace kestrune
