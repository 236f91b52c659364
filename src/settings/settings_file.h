// The INI settings file "kestrune.ini": the animation setting and the twelve best times.
#pragma once

#include <optional>
#include <string>

namespace kestrune {

inline constexpr const char* kSettingsSection = "Kestrune";
inline constexpr const char* kSettingsFileName = "kestrune.ini";

// Where the game's executable is installed (configured at build time).
std::string InstalledBinDirectory();

// Private-profile behaviour on an INI file: section and key matched without regard to case,
// a missing or empty value read as the default (which is then stored), writes that create
// file, section and key or replace the value in place. Nothing is cached: every call reads
// the file again.
class SettingsFile {
public:
    // Chooses the file: the program's directory when the file exists there or the directory
    // can be written, otherwise the per-user configuration directory. `configDir` is that
    // fallback; empty means $XDG_CONFIG_HOME/kestrune, else ~/.config/kestrune. The installed
    // program's directory `installedBinDir` counts as unwritable (empty: the one configured
    // at build time).
    void LocateSettingsFile(const std::string& programDir, const std::string& configDir = {},
                            const std::string& installedBinDir = InstalledBinDirectory());

    // Returns the stored value cut to 254 characters, or `defaultValue` (then also stored)
    // when the key is missing or empty. An empty `file` means SettingsPath.
    std::string ReadSetting(const std::string& section, const std::string& key,
                            const std::string& defaultValue, const std::string& file = {});

    // The stored value as ReadSetting reads it, or nullopt when the key is missing or empty;
    // unlike ReadSetting it never writes.
    std::optional<std::string> FindSetting(const std::string& section, const std::string& key,
                                           const std::string& file = {});

    // Stores the value, replacing the whole file atomically; false when it could not.
    bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file = {});

    const std::string& SettingsPath() const { return m_settingsPath; }
    void SetSettingsPath(const std::string& path) { m_settingsPath = path; }

private:
    std::string m_settingsPath;
};

// The per-user fallback directory: $XDG_CONFIG_HOME/kestrune, else ~/.config/kestrune.
std::string UserConfigDirectory();

}  // namespace kestrune
