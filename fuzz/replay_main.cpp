// Runs a fuzz target over every file of its committed corpus, without libFuzzer, so the
// ordinary test build (any compiler) keeps the corpus passing.
// Usage: <target>_replay [gtest flags] CORPUS_DIR
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_support.h"

namespace {

std::filesystem::path g_corpus;

TEST(CorpusReplay, EveryCommittedInputKeepsTheProperties) {
    ASSERT_TRUE(std::filesystem::is_directory(g_corpus)) << g_corpus;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(g_corpus))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 5u) << "the corpus lost its seeds: " << g_corpus;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        // A failed property aborts; this line names the input that did it.
        std::fprintf(stderr, "replaying %s (%zu bytes)\n", file.c_str(), bytes.size());
        EXPECT_EQ(
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
            0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s [gtest flags] CORPUS_DIR\n", argv[0]);
        return 2;
    }
    g_corpus = argv[1];
    return RUN_ALL_TESTS();
}
