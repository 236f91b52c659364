// Shared by the fuzz targets: a failed property aborts, which both libFuzzer and the corpus
// replay in the test suite report as a crash with the message printed first.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

namespace kestrune::fuzz {

// One scratch directory per process, removed at exit, on a memory file system when there is
// one: the code under test fsyncs every write, which would otherwise dominate each run.
class ScratchDir {
public:
    ScratchDir() {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec) || ::access(base.c_str(), W_OK) != 0)
            base = std::filesystem::temp_directory_path();
        m_path = (base / "kestrune-fuzz-XXXXXX").string();
        if (!mkdtemp(m_path.data())) std::abort();
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

inline const std::string& ScratchDirectory() {
    static const ScratchDir dir;
    return dir.path();
}

// Puts the fuzzed bytes into a file, exactly, replacing what was there.
inline std::string PlaceFile(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = ScratchDirectory() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    FUZZ_CHECK(out.good());
    return path;
}

}  // namespace kestrune::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
