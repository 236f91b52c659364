#include "settings/settings_file.h"

// Plain bytes: UTF-8 passes through untouched and no conversion library is needed.
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "game/files.h"

#ifndef KESTRUNE_BINDIR
#define KESTRUNE_BINDIR ""
#endif

namespace kestrune {

namespace fs = std::filesystem;

namespace {

// The value a private-profile read hands back: 254 characters at most, ended at a NUL.
std::string CutValue(const char* raw) {
    std::string value(raw);
    value = value.substr(0, value.find('\0'));
    size_t chars = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        // Count UTF-8 lead bytes, so a multi-byte character is never split.
        if ((static_cast<unsigned char>(value[i]) & 0xC0) != 0x80 && ++chars > 254)
            return value.substr(0, i);
    }
    return value;
}

void Configure(CSimpleIniA& ini) {
    ini.SetUnicode(false);
    ini.SetMultiKey(false);
    ini.SetSpaces(false);
}

// A line opening with "[" but holding no "]" names no section. SimpleIni keeps such a line
// inside the next comment and writes it back once more at every save, so each write made the
// file longer (doubling it after a blank line and a comment) until the game stalled. Keeping
// the line as a comment of its own leaves its text in the file and stops the growth.
std::string CommentOutBrokenSectionLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const size_t first = text.find_first_not_of(" \t", start);
        const auto lineEnd = text.begin() + static_cast<std::ptrdiff_t>(end);
        if (first < end && text[first] == '[' &&
            std::find(text.begin() + static_cast<std::ptrdiff_t>(first), lineEnd, ']') == lineEnd)
            out += ';';
        out.append(text, start, end - start);
        // Copy the line end as it was.
        while (end < text.size() && (text[end] == '\r' || text[end] == '\n')) out += text[end++];
        start = end;
    }
    return out;
}

bool LoadIni(CSimpleIniA& ini, const std::string& path) {
    auto bytes = ReadWholeFile(path);
    if (!bytes) return false;
    // A NUL byte would end the parse early and hide every record after it.
    std::replace(bytes->begin(), bytes->end(), '\0', '\n');
    return ini.LoadData(CommentOutBrokenSectionLines(*bytes)) >= 0;
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
    if (fs::exists(beside, ec) || (!installed && ::access(programDir.c_str(), W_OK) == 0)) {
        m_settingsPath = beside;
        return;
    }
    // An installed game cannot write its own directory: keep the records per user instead.
    m_settingsPath = join(configDir.empty() ? UserConfigDirectory() : configDir);
}

std::string SettingsFile::ReadSetting(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, const std::string& file) {
    const std::string& path = file.empty() ? m_settingsPath : file;
    CSimpleIniA ini;
    Configure(ini);
    std::string value;
    if (LoadIni(ini, path)) value = CutValue(ini.GetValue(section.c_str(), key.c_str(), ""));
    if (value.empty()) {
        value = defaultValue;
        WriteSetting(section, key, defaultValue, file);
    }
    return value;
}

bool SettingsFile::WriteSetting(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file) {
    const std::string& path = file.empty() ? m_settingsPath : file;
    CSimpleIniA ini;
    Configure(ini);
    std::error_code ec;
    if (fs::exists(path, ec) && !LoadIni(ini, path)) return false;  // unreadable: keep it
    if (ini.SetValue(section.c_str(), key.c_str(), value.c_str()) < 0) return false;
    std::string text;
    if (ini.Save(text) < 0) return false;
    const fs::path dir = fs::path(path).parent_path();
    if (!dir.empty()) fs::create_directories(dir, ec);
    return WriteFileAtomically(path, text);
}

}  // namespace kestrune
