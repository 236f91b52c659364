#include "settings/layout_setting.h"

#include <optional>
#include <string>

namespace kestrune {

LayoutKind ReadLayout(SettingsFile& settings, LayoutKind fallback) {
    const std::optional<std::string> stored = settings.FindSetting(kSettingsSection, kLayoutKey);
    if (!stored) return fallback;
    if (*stored == "classic") return LayoutKind::Classic;
    if (*stored == "fit") return LayoutKind::Fit;
    return fallback;
}

bool StoreLayout(SettingsFile& settings, LayoutKind layout) {
    return settings.WriteSetting(kSettingsSection, kLayoutKey,
                                 layout == LayoutKind::Fit ? "fit" : "classic");
}

}  // namespace kestrune
