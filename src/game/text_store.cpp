#include "game/text_store.h"

#include <filesystem>

#include "game/files.h"

namespace kestrune {

namespace fs = std::filesystem;

bool FileTextStore::Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::optional<std::string> FileTextStore::Read(const std::string& path) {
    return ReadWholeFile(path);
}

bool FileTextStore::Write(const std::string& path, const std::string& text) {
    return WriteFileAtomically(path, text);
}

bool FileTextStore::Remove(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
    return !ec;
}

ITextStore& Files() {
    static FileTextStore store;
    return store;
}

}  // namespace kestrune
