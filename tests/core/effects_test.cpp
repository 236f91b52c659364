// Where effect files are found, and that each is decoded once.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "media/effects.h"
#include "test_support.h"

namespace kestrune {
namespace {

void Touch(const std::string& path) {
    std::ofstream(path) << "RIFF";
}

// Records loads and plays; paths in `broken` fail to decode.
class RecordingPlayer final : public IEffectPlayer {
public:
    std::vector<std::string> loads;
    std::vector<SoundId> plays;
    std::set<std::string> broken;
    std::optional<SoundId> Load(const std::string& path) override {
        loads.push_back(path);
        if (broken.count(path)) return std::nullopt;
        return static_cast<SoundId>(loads.size() - 1);
    }
    void Play(SoundId sound) override { plays.push_back(sound); }
};

// Runs the test body from inside a directory, then goes back.
class InDirectory {
public:
    explicit InDirectory(const std::string& dir) : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~InDirectory() { std::filesystem::current_path(m_previous); }

private:
    std::filesystem::path m_previous;
};

TEST(FindEffectFile, CurrentDirectoryComesBeforeTheProgramsDirectory) {
    test::TempDir here, program;
    std::filesystem::create_directory(program.file("Kestrune Game"));
    const std::string programDir = program.file("Kestrune Game");
    Touch(programDir + "/dom.wav");
    Touch(programDir + "/Za.wav");
    Touch(here.file("Za.wav"));
    InDirectory cd(here.path());
    EXPECT_EQ(std::filesystem::path(FindEffectFile("Za.wav", programDir)), "./Za.wav");
    EXPECT_EQ(FindEffectFile("dom.wav", programDir), programDir + "/dom.wav");
    EXPECT_EQ(FindEffectFile("kestrune-no-such-effect.wav", programDir), "");
    // Names are exact: "za.wav" is another file.
    EXPECT_EQ(FindEffectFile("za.wav", programDir), "");
}

TEST(SoundEffects, DecodesEachFileOnceAndPlaysEveryRequest) {
    RecordingPlayer player;
    SoundEffects effects(player, [](const std::string& name) { return "/data/" + name; });
    for (const char* name : {"dom.wav", "Za.wav", "Za.wav", "dom.wav", "Za.wav"})
        effects.PlayEffect(name);
    EXPECT_EQ(player.loads, (std::vector<std::string>{"/data/dom.wav", "/data/Za.wav"}));
    EXPECT_EQ(player.plays, (std::vector<IEffectPlayer::SoundId>{0, 1, 1, 0, 1}));
}

// A missing file plays nothing and is looked for again, so it is found once it exists.
TEST(SoundEffects, MissingFileIsSilentUntilItAppears) {
    RecordingPlayer player;
    bool present = false;
    int lookups = 0;
    SoundEffects effects(player, [&](const std::string& name) {
        ++lookups;
        return present ? "/data/" + name : std::string();
    });
    effects.PlayEffect("dom.wav");
    effects.PlayEffect("dom.wav");
    EXPECT_TRUE(player.loads.empty());
    EXPECT_TRUE(player.plays.empty());
    EXPECT_EQ(lookups, 2);
    present = true;
    effects.PlayEffect("dom.wav");
    effects.PlayEffect("dom.wav");
    EXPECT_EQ(player.loads.size(), 1u);
    EXPECT_EQ(player.plays.size(), 2u);
}

// A file that is there but cannot be decoded is not read again on every step.
TEST(SoundEffects, UndecodableFileIsSilentAndNotRetried) {
    RecordingPlayer player;
    player.broken = {"/data/Za.wav"};
    SoundEffects effects(player, [](const std::string& name) { return "/data/" + name; });
    for (int i = 0; i < 3; ++i) effects.PlayEffect("Za.wav");
    EXPECT_EQ(player.loads.size(), 1u);
    EXPECT_TRUE(player.plays.empty());
}

}  // namespace
}  // namespace kestrune
