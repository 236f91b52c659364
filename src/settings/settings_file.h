// The INI settings file "kestrune.ini": the animation setting and the twelve best times.
#pragma once

#include <string>

#include "game/text_store.h"

namespace kestrune {

inline constexpr const char* kSettingsSection = "Kestrune";
inline constexpr const char* kSettingsFileName = "kestrune.ini";

// Where the game's executable is installed (configured at build time).
std::string InstalledBinDirectory();

// Private-profile behaviour on an INI file: section and key matched without regard to case,
// a missing or empty value read as the default (which is then stored), writes that create
// file, section and key or replace the value in place. Nothing is cached: every call reads
// the file again. The file lives in a text store: files on the desktop.
class SettingsFile {
public:
    explicit SettingsFile(ITextStore& store = Files()) : m_store(store) {}

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

    // Stores the value, replacing the whole file atomically; false when it could not.
    bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file = {});

    const std::string& SettingsPath() const { return m_settingsPath; }
    void SetSettingsPath(const std::string& path) { m_settingsPath = path; }

    // True when `text` reads as a settings file of this game: the same reader finds the
    // section "Kestrune" with at least one entry in it. For records brought in by the player.
    static bool IsSettingsText(const std::string& text);

private:
    ITextStore& m_store;
    std::string m_settingsPath;
};

// The per-user fallback directory: $XDG_CONFIG_HOME/kestrune, else ~/.config/kestrune.
std::string UserConfigDirectory();

}  // namespace kestrune
