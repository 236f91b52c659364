// The INI settings file "kestrune.ini": the animation setting and the twelve best times.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "game/text_store.h"

namespace kestrune {

inline constexpr const char* kSettingsSection = "Kestrune";
inline constexpr const char* kSettingsFileName = "kestrune.ini";

// Where the game's executable is installed (configured at build time).
std::string InstalledBinDirectory();

// Private-profile behaviour on an INI file: section and key matched without regard to case,
// a missing or empty value read as the default (which is then stored), writes that create
// file, section and key or replace the value in place. The file is edited line by line, so
// everything else in it keeps its bytes: a byte-order mark, comments, the line breaks, and
// names saved by Japanese Windows in code page 932 (which are read as such). Nothing is
// cached: every call reads the file again, except for values that could not be written.
// The file lives in a text store: files on the desktop, the page's storage in the browser.
class SettingsFile {
public:
    explicit SettingsFile(ITextStore& store = Files()) : m_store(store) {}

    // Chooses the file: the program's directory when the file exists there or the directory
    // can be written, otherwise the per-user configuration directory. `configDir` is that
    // fallback; empty means $XDG_CONFIG_HOME/kestrune, else ~/.config/kestrune. The installed
    // program's directory `installedBinDir` counts as unwritable (empty: the one configured
    // at build time). A file beside an unwritable program is read until the first write,
    // which starts the per-user file from it; nothing is written here.
    void LocateSettingsFile(const std::string& programDir, const std::string& configDir = {},
                            const std::string& installedBinDir = InstalledBinDirectory());

    // Returns the stored value (UTF-8) cut to 254 characters, or `defaultValue` (then also
    // stored) when the key is missing or empty. An empty `file` means SettingsPath.
    std::string ReadSetting(const std::string& section, const std::string& key,
                            const std::string& defaultValue, const std::string& file = {});

    // The stored value as ReadSetting reads it, or nullopt when the key is missing or empty;
    // unlike ReadSetting it never writes.
    std::optional<std::string> FindSetting(const std::string& section, const std::string& key,
                                           const std::string& file = {});

    // Stores the value, replacing the whole file atomically; false when it could not (a full
    // disk, a read-only or unreadable file). The file is then left as it was and the value
    // is kept in memory: later reads in this run return it.

    bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file = {});

    // Keeps the value for later reads in this run without touching the file.
    void KeepInMemory(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file = {});

    // Forgets every value kept in memory: the stored text was replaced as a whole.
    void DiscardUnsaved() { m_unsaved.clear(); }

    const std::string& SettingsPath() const { return m_settingsPath; }
    void SetSettingsPath(const std::string& path) {
        m_settingsPath = path;
        m_seedPath.clear();
    }

    // True when `text` reads as a settings file of this game: the section "Kestrune" holds at
    // least one entry, as this reader finds them. For records brought in by the player.
    static bool IsSettingsText(const std::string& text);

    // A settings file's bytes as Unicode text, for a store that holds only such text (the
    // browser's): a line that is not UTF-8 was saved by Japanese Windows and becomes UTF-8
    // from code page 932, a NUL (which ends a line for this reader) a line break; the rest,
    // a byte-order mark and the line breaks included, stays as it was.
    static std::string SettingsTextInUtf8(std::string_view bytes);

private:
    // The file a read of `path` looks at: the records beside the program until the per-user
    // file exists.
    std::string SourceOf(const std::string& path) const;
    static std::string MemoryKey(const std::string& path, const std::string& section,
                                 const std::string& key);

    ITextStore& m_store;
    std::string m_settingsPath;
    std::string m_seedPath;
    std::map<std::string, std::string> m_unsaved;  // by MemoryKey
};

// The per-user fallback directory: $XDG_CONFIG_HOME/kestrune, else ~/.config/kestrune.
std::string UserConfigDirectory();

}  // namespace kestrune
