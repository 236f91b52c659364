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

bool IsCommentOrBlank(const std::string& text, size_t first, size_t end) {
    return first >= end || text[first] == ';' || text[first] == '#';
}

// Lines that are neither a section, an entry, a comment nor blank: a "[" with no "]", or text
// with no "=". SimpleIni keeps the first kind inside the next comment and writes it back once
// more at every save (each write made the file longer, doubling it after a blank line and a
// comment), and drops the second kind at the next save. Keeping such a line as a comment of
// its own leaves its text in the file, and neither happens.
std::string CommentOutNonEntries(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        size_t first = text.find_first_not_of(" \t", start);
        if (first > end) first = end;
        const auto lineBegin = text.begin() + static_cast<std::ptrdiff_t>(first);
        const auto lineEnd = text.begin() + static_cast<std::ptrdiff_t>(end);
        const bool opensSection = first < end && text[first] == '[';
        const bool section = opensSection && std::find(lineBegin, lineEnd, ']') != lineEnd;
        const bool entry = !opensSection && std::find(lineBegin, lineEnd, '=') != lineEnd;
        if (!IsCommentOrBlank(text, first, end) && !section && !entry) out += ';';
        out.append(text, start, end - start);
        // Copy the line end as it was.
        while (end < text.size() && (text[end] == '\r' || text[end] == '\n')) out += text[end++];
        start = end;
    }
    return out;
}

// The comments and blank lines after the last section or entry. SimpleIni ties a comment to
// the entry that follows it, so these have none and would be lost at the next save.
std::string TrailingComments(const std::string& text) {
    size_t start = 0, tail = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        size_t first = text.find_first_not_of(" \t", start);
        if (first > end) first = end;
        const bool commentOrBlank = IsCommentOrBlank(text, first, end);
        while (end < text.size() && (text[end] == '\r' || text[end] == '\n')) ++end;
        if (!commentOrBlank) tail = end;
        start = end;
    }
    const std::string rest = text.substr(tail);
    return rest.find_first_of(";#") == std::string::npos ? std::string() : rest;
}

// A value, key or section name is one line of the file: line breaks or a NUL in it (a name
// pasted into the record box) would start new entries and could forge other records.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return text;
}

// Loads the file; `prepared` receives the text as parsed.
bool LoadIni(CSimpleIniA& ini, const std::string& path, std::string* prepared = nullptr) {
    auto bytes = ReadWholeFile(path);
    if (!bytes) return false;
    // A NUL byte would end the parse early and hide every record after it.
    std::replace(bytes->begin(), bytes->end(), '\0', '\n');
    std::string text = CommentOutNonEntries(*bytes);
    const bool ok = ini.LoadData(text) >= 0;
    if (prepared) *prepared = std::move(text);
    return ok;
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
    // Every write replaces the file through a temporary one beside it, so the directory
    // itself must be writable.
    if (writable && (exists || !installed)) {
        m_settingsPath = beside;
        return;
    }
    // An installed game cannot write its own directory: keep the records per user instead,
    // starting from the ones that lie beside the program.
    m_settingsPath = join(configDir.empty() ? UserConfigDirectory() : configDir);
    if (exists && !fs::exists(m_settingsPath, ec)) {
        fs::create_directories(fs::path(m_settingsPath).parent_path(), ec);
        if (auto bytes = ReadWholeFile(beside)) WriteFileAtomically(m_settingsPath, *bytes);
    }
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

std::optional<std::string> SettingsFile::FindSetting(const std::string& section,
                                                     const std::string& key,
                                                     const std::string& file) {
    CSimpleIniA ini;
    Configure(ini);
    if (!LoadIni(ini, file.empty() ? m_settingsPath : file)) return std::nullopt;
    std::string value = CutValue(ini.GetValue(section.c_str(), key.c_str(), ""));
    if (value.empty()) return std::nullopt;
    return value;
}

bool SettingsFile::WriteSetting(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file) {
    const std::string& path = file.empty() ? m_settingsPath : file;
    CSimpleIniA ini;
    Configure(ini);
    std::error_code ec;
    std::string before;
    if (fs::exists(path, ec) && !LoadIni(ini, path, &before)) return false;  // unreadable: keep it
    if (ini.SetValue(OneLine(section).c_str(), OneLine(key).c_str(), OneLine(value).c_str()) < 0)
        return false;
    std::string text;
    if (ini.Save(text) < 0) return false;
    if (const std::string trailing = TrailingComments(before); !trailing.empty()) {
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += trailing;
    }
    const fs::path dir = fs::path(path).parent_path();
    if (!dir.empty()) fs::create_directories(dir, ec);
    return WriteFileAtomically(path, text);
}

}  // namespace kestrune
