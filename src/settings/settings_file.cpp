#include "settings/settings_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>

#include "game/files.h"
#include "settings/cp932.h"

#ifndef KESTRUNE_BINDIR
#define KESTRUNE_BINDIR ""
#endif

namespace kestrune {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A NUL ends a line too, so that binary garbage never hides the records after it.
constexpr std::string_view kLineBreaks{"\r\n\0", 3};

// True when a line of the text is not UTF-8: the file was saved by Japanese Windows.
bool HasCp932Line(std::string_view text) {
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of(kLineBreaks), text.size());
        if (!IsValidUtf8(text.substr(0, end))) return true;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return false;
}

// Whether valid UTF-8 could have been saved by Japanese Windows: short code page 932 text can
// be valid UTF-8 too (half-width "ﾄｷ" is C4 B7, also "ķ"). Only two-byte UTF-8 characters can
// be such a coincidence (Japanese typed into this game is three bytes each); a file with other
// code page 932 lines then decides it.
bool MayBeCp932(std::string_view value) {
    bool nonAscii = false;
    for (const char c : value) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0xE0) return false;
        nonAscii = nonAscii || b >= 0x80;
    }
    return nonAscii && Cp932ToUtf8(value).find("\xEF\xBF\xBD") == std::string::npos;
}

// The value a private-profile read hands back: ended at a NUL, in UTF-8 (a value that is not
// UTF-8, or that only looks like it in a file of such names, was saved by Japanese Windows in
// code page 932), 254 characters at most. `text` is the file the value was found in.
std::string CutValue(std::string_view raw, std::string_view text = {}) {
    std::string value(raw.substr(0, raw.find('\0')));
    if (!IsValidUtf8(value) || (MayBeCp932(value) && HasCp932Line(text)))
        value = Cp932ToUtf8(value);
    size_t chars = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        // Count UTF-8 lead bytes, so a multi-byte character is never split.
        if ((static_cast<unsigned char>(value[i]) & 0xC0) != 0x80 && ++chars > 254)
            return value.substr(0, i);
    }
    return value;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// A value, key or section name is one line of the file: line breaks or a NUL in it (a name
// pasted into the record box) would start new entries and could forge other records.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return text;
}

// The line break the file already uses, for the lines a write adds.
std::string LineBreakOf(const std::string& text) {
    const size_t at = text.find_first_of("\r\n");
    if (at == std::string::npos || text[at] == '\n') return "\n";
    return (at + 1 < text.size() && text[at + 1] == '\n') ? "\r\n" : "\r";
}

// Where a key stands in the file. The file is edited as text, line by line, as the platform's
// private-profile service does: every other byte (a byte-order mark, comments, stray lines,
// names in another code page, the line breaks) stays exactly as it was.
struct Place {
    bool sectionFound = false;
    size_t insertAt = 0;            // after the last entry (or the header) of the first section
    bool insertNeedsBreak = false;  // that line is the file's last and has no line break
    bool entryFound = false;        // the section holds an entry, the key's or another
    bool keyFound = false;
    size_t valueBegin = 0, valueEnd = 0;  // the key's value, blanks around it excluded
};

Place Find(const std::string& text, std::string_view section, std::string_view key) {
    Place place;
    size_t pos = text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0 ? 3 : 0;
    bool inSection = false, inFirstSection = false;
    while (pos < text.size()) {
        size_t end = text.find_first_of(kLineBreaks, pos);
        if (end == std::string::npos) end = text.size();
        size_t next = end;
        if (end < text.size())
            next += (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
        const std::string_view line = Trim(std::string_view(text).substr(pos, end - pos));
        const size_t close = line.find(']');
        if (!line.empty() && line.front() == '[' && close != std::string_view::npos) {
            inSection = SameName(Trim(line.substr(1, close - 1)), section);
            inFirstSection = inSection && !place.sectionFound;
            if (inFirstSection) {
                place.sectionFound = true;
                place.insertAt = next;
                place.insertNeedsBreak = next == end;
            }
        } else if (inSection && !line.empty() && line.front() != ';' && line.front() != '#') {
            const size_t eq = line.find('=');
            if (eq != std::string_view::npos) {
                place.entryFound = true;
                if (SameName(Trim(line.substr(0, eq)), key)) {
                    const std::string_view value = Trim(line.substr(eq + 1));
                    place.keyFound = true;
                    place.valueBegin = static_cast<size_t>(value.data() - text.data());
                    place.valueEnd = place.valueBegin + value.size();
                    return place;
                }
                if (inFirstSection) {
                    place.insertAt = next;
                    place.insertNeedsBreak = next == end;
                }
            }
        }
        pos = next;
    }
    return place;
}

// The text with the key set to the value: in place, at the end of the section's entries, or
// in a new section at the end.
void SetValue(std::string& text, const std::string& section, const std::string& key,
              const std::string& value) {
    const Place place = Find(text, section, key);
    const std::string br = LineBreakOf(text);
    if (place.keyFound) {
        text.replace(place.valueBegin, place.valueEnd - place.valueBegin, value);
    } else if (place.sectionFound) {
        text.insert(place.insertAt, (place.insertNeedsBreak ? br : "") + key + "=" + value + br);
    } else {
        const bool bare = text.empty() || text == kByteOrderMark;
        if (!bare && text.back() != '\n' && text.back() != '\r') text += br;
        text += "[" + section + "]" + br + key + "=" + value + br;
    }
}

}  // namespace

std::string InstalledBinDirectory() {
    return KESTRUNE_BINDIR;
}

std::string UserConfigDirectory() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return (fs::path(xdg) / "kestrune").string();
    if (const char* home = std::getenv("HOME"); home && *home)
        return (fs::path(home) / ".config" / "kestrune").string();
    return (fs::current_path() / ".kestrune").string();
}

void SettingsFile::LocateSettingsFile(const std::string& programDir, const std::string& configDir,
                                      const std::string& installedBinDir) {
    auto join = [](const std::string& dir) {
        return dir + ((!dir.empty() && dir.back() == '/') ? "" : "/") + kSettingsFileName;
    };
    const std::string beside = join(programDir);
    std::error_code ec;
    // The installed program's directory (/usr/bin) is writable for root, but records do not
    // belong there; a portable copy or the build tree keeps them beside the program.
    const bool installed =
        !installedBinDir.empty() && fs::equivalent(programDir, installedBinDir, ec);
    const bool writable = ::access(programDir.c_str(), W_OK) == 0;
    const bool exists = fs::exists(beside, ec);
    m_seedPath.clear();
    // Every write replaces the file through a temporary one beside it, so the directory
    // itself must be writable.
    if (writable && (exists || !installed)) {
        m_settingsPath = beside;
        return;
    }
    // An installed game cannot write its own directory: keep the records per user instead,
    // starting from the ones that lie beside the program. They are copied at the first write,
    // so a game closed on its title window leaves every file as it was.
    m_settingsPath = join(configDir.empty() ? UserConfigDirectory() : configDir);
    if (exists) m_seedPath = beside;
}

std::string SettingsFile::SourceOf(const std::string& path) const {
    if (path == m_settingsPath && !m_seedPath.empty() && !m_store.Exists(path)) return m_seedPath;
    return path;
}

std::string SettingsFile::MemoryKey(const std::string& path, const std::string& section,
                                    const std::string& key) {
    // Section and key match without regard to case, the path with it.
    std::string names = OneLine(section) + '\n' + OneLine(key);
    for (char& c : names)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return path + '\n' + names;
}

std::optional<std::string> SettingsFile::FindSetting(const std::string& section,
                                                     const std::string& key,
                                                     const std::string& file) {
    const std::string& path = file.empty() ? m_settingsPath : file;
    std::string value;
    if (const auto kept = m_unsaved.find(MemoryKey(path, section, key)); kept != m_unsaved.end()) {
        value = CutValue(kept->second);
    } else if (const auto text = m_store.Read(SourceOf(path))) {
        const Place place = Find(*text, section, key);
        if (place.keyFound)
            value = CutValue(
                std::string_view(*text).substr(place.valueBegin, place.valueEnd - place.valueBegin),
                *text);
    }
    if (value.empty()) return std::nullopt;
    return value;
}

std::string SettingsFile::ReadSetting(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, const std::string& file) {
    if (auto value = FindSetting(section, key, file)) return *value;
    // The default of a value held in memory stays there: in the file it would replace what is
    // stored (the old holder's name of an unsaved record).
    const std::string& path = file.empty() ? m_settingsPath : file;
    if (const auto kept = m_unsaved.find(MemoryKey(path, section, key)); kept != m_unsaved.end())
        kept->second = defaultValue;
    else
        WriteSetting(section, key, defaultValue, file);
    return defaultValue;
}

bool SettingsFile::WriteSetting(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file) {
    const std::string& path = file.empty() ? m_settingsPath : file;
    const std::string source = SourceOf(path);
    std::error_code ec;
    std::optional<std::string> text = std::string();
    // A file that exists but cannot be read is never replaced: that would lose its records.
    if (m_store.Exists(source)) text = m_store.Read(source);
    bool stored = false;
    if (text) {
        SetValue(*text, OneLine(section), OneLine(key), OneLine(value));
        // A per-user file may need its directory (names in the browser's storage have none).
        const fs::path dir = fs::path(path).parent_path();
        if (!dir.empty()) fs::create_directories(dir, ec);
        stored = m_store.Write(path, *text);
    }
    if (stored)
        m_unsaved.erase(MemoryKey(path, section, key));
    else
        KeepInMemory(section, key, value, file);
    return stored;
}

bool SettingsFile::IsSettingsText(const std::string& text) {
    return Find(text, kSettingsSection, {}).entryFound;
}

std::string SettingsFile::SettingsTextInUtf8(std::string_view bytes) {
    std::string text;
    const bool windows = HasCp932Line(bytes);
    while (!bytes.empty()) {
        const size_t end = std::min(bytes.find_first_of(kLineBreaks), bytes.size());
        const std::string_view line = bytes.substr(0, end);
        const bool cp932 = !IsValidUtf8(line) || (windows && MayBeCp932(line));
        text += cp932 ? Cp932ToUtf8(line) : std::string(line);
        if (end < bytes.size()) text += bytes[end] == '\0' ? '\n' : bytes[end];
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    return text;
}

void SettingsFile::KeepInMemory(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file) {
    const std::string& path = file.empty() ? m_settingsPath : file;
    m_unsaved[MemoryKey(path, section, key)] = OneLine(value);
}

}  // namespace kestrune
