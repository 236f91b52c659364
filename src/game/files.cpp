#include "game/files.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/numbers.h"

#ifndef KESTRUNE_DATADIR
#define KESTRUNE_DATADIR ""
#endif

namespace kestrune {

namespace fs = std::filesystem;

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const fs::path target(path);
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string name(1, '.');
    name.append(target.filename().string()).append(".XXXXXX");
    std::string tmpl = (dir / name).string();
    int fd = mkstemp(tmpl.data());
    if (fd < 0) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            ok = false;
        else
            done += static_cast<size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    // Keep the permissions an existing file had; a new one gets the usual 0644.
    std::error_code ec;
    auto perms = fs::status(target, ec).permissions();
    if (ec || perms == fs::perms::unknown)
        perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read;
    fs::permissions(tmpl, perms, ec);
    if (ok && std::rename(tmpl.c_str(), path.c_str()) == 0) return true;
    std::remove(tmpl.c_str());
    return false;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string IntegerLinesText(const std::vector<long long>& values) {
    std::string text;
    for (long long v : values) text += std::to_string(v) + "\r\n";
    return text;
}

bool WriteIntegerLines(const std::string& path, const std::vector<long long>& values) {
    return WriteFileAtomically(path, IntegerLinesText(values));
}

namespace {
std::vector<std::optional<long long>> IntegerLines(std::istream& in, size_t maxLines) {
    std::vector<std::optional<long long>> lines;
    std::string line;
    while (lines.size() < maxLines && std::getline(in, line)) {
        // Accept LF and CR LF endings and surrounding blanks.
        size_t b = line.find_first_not_of(" \t\r");
        size_t e = line.find_last_not_of(" \t\r");
        std::string trimmed = (b == std::string::npos) ? "" : line.substr(b, e - b + 1);
        long long v = 0;
        if (ParseWholeInteger(trimmed, v))
            lines.emplace_back(v);
        else
            lines.emplace_back(std::nullopt);
    }
    return lines;
}
}  // namespace

std::optional<std::vector<std::optional<long long>>> ReadIntegerLines(const std::string& path,
                                                                      size_t maxLines) {
    // Streamed, so a huge file costs no more than the lines asked for.
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return IntegerLines(in, maxLines);
}

std::vector<std::optional<long long>> IntegerLinesOfText(const std::string& text, size_t maxLines) {
    std::istringstream in(text);
    return IntegerLines(in, maxLines);
}

std::string ProgramDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return fs::current_path(ec).string();
    return exe.parent_path().string();
}

std::string InstalledDataDirectory() {
    return KESTRUNE_DATADIR;
}

std::string FindDataFile(const std::string& name, const std::string& programDirectory) {
    std::error_code ec;
    for (const std::string& dir : {std::string("."), programDirectory, InstalledDataDirectory()}) {
        if (dir.empty()) continue;
        fs::path candidate = fs::path(dir) / name;
        if (fs::is_regular_file(candidate, ec)) return candidate.string();
    }
    return {};
}

}  // namespace kestrune
