// The shipped music and effects: their formats, lengths and levels, and that the scripts in
// tools/ still make exactly the committed files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>

#include "game/files.h"
#include "media/midi_file.h"
#include "test_support.h"

namespace kestrune {
namespace {

using test::SourceDir;

std::string Asset(const std::string& name) {
    auto bytes = ReadWholeFile(SourceDir() + "/assets/" + name);
    return bytes ? *bytes : std::string();
}

uint32_t Le(const std::string& b, size_t at, int count) {
    uint32_t v = 0;
    for (int i = count - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
    return v;
}

struct Wave {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;  // interleaved
    double seconds() const { return static_cast<double>(samples.size()) / channels / rate; }
};

// Walks the RIFF chunks; the data chunk is read only for 16-bit samples.
std::optional<Wave> ReadWave(const std::string& b) {
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0 ||
        Le(b, 4, 4) != b.size() - 8)
        return std::nullopt;
    Wave w;
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string tag = b.substr(at, 4);
        const uint32_t size = Le(b, at + 4, 4);
        if (at + 8 + size > b.size()) return std::nullopt;
        if (tag == "fmt " && size >= 16) {
            w.format = static_cast<int>(Le(b, at + 8, 2));
            w.channels = static_cast<int>(Le(b, at + 10, 2));
            w.rate = static_cast<int>(Le(b, at + 12, 4));
            w.bits = static_cast<int>(Le(b, at + 22, 2));
            haveFormat = true;
        } else if (tag == "data" && haveFormat && w.bits == 16) {
            w.samples.resize(size / 2);
            std::memcpy(w.samples.data(), b.data() + at + 8, w.samples.size() * 2);
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat || !haveData || w.channels < 1) return std::nullopt;
    return w;
}

class Assets : public ::testing::Test {};

TEST_F(Assets, MusicIsAFormatOneGeneralMidiPieceOfOneToTwoMinutes) {
    const std::string bytes = Asset("bgm.mid");
    ASSERT_GE(bytes.size(), 14u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("MThd\0\0\0\6", 8));
    const auto s = ReadMidiSummary(bytes);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->format, 1);
    EXPECT_GT(s->division, 0);
    EXPECT_GE(s->tracks.size(), 4u);
    EXPECT_GE(s->lengthSeconds, 60.0);
    EXPECT_LE(s->lengthSeconds, 120.0);
    std::set<int> programs;
    for (const auto& [channel, program] : s->programs) programs.insert(program);
    EXPECT_GE(programs.size(), 3u);
    int notes = 0;
    for (const auto& t : s->tracks) notes += t.noteOns;
    EXPECT_GT(notes, 200);
}

// Every track ends together on a bar line of 4/4 with no note left sounding, so a player
// that restarts at the end of the tracks loops without a gap or a stuck note.
TEST_F(Assets, MusicEndsCleanlyOnItsLastBar) {
    const auto s = ReadMidiSummary(Asset("bgm.mid"));
    ASSERT_TRUE(s);
    for (size_t i = 0; i < s->tracks.size(); ++i) {
        EXPECT_EQ(s->tracks[i].endTick, s->lengthTicks) << "track " << i;
        EXPECT_EQ(s->tracks[i].hangingNotes, 0) << "track " << i;
    }
    EXPECT_EQ(s->lengthTicks % (4 * s->division), 0);
}

TEST_F(Assets, EffectsAreShortUnclippedSixteenBitPcm) {
    const struct {
        const char* name;
        double minSeconds, maxSeconds;
    } effects[] = {{"dom.wav", 0.12, 0.18}, {"Za.wav", 0.08, 0.12}};
    for (const auto& e : effects) {
        SCOPED_TRACE(e.name);
        const auto w = ReadWave(Asset(e.name));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->format, 1);
        EXPECT_EQ(w->bits, 16);
        EXPECT_TRUE(w->rate == 22050 || w->rate == 44100) << w->rate;
        EXPECT_GE(w->seconds(), e.minSeconds);
        EXPECT_LE(w->seconds(), e.maxSeconds);
        int peak = 0;
        for (int16_t v : w->samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_LT(peak, 32767) << "clipped";
        EXPECT_GT(peak, 3000) << "too quiet to hear";
        // Starting and ending near zero: no click at either edge.
        EXPECT_LT(std::abs(w->samples.front()), 200);
        EXPECT_LT(std::abs(w->samples.back()), 200);
    }
}

TEST_F(Assets, GeneratorScriptsReproduceTheCommittedFiles) {
    if (std::system("python3 --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
    test::TempDir out;
    for (const char* script : {"make_bgm.py", "make_effects.py"}) {
        std::string command = "python3 '";
        command.append(SourceDir()).append("/tools/").append(script);
        command.append("' '").append(out.path()).append("' > /dev/null");
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    for (const char* name : {"bgm.mid", "dom.wav", "Za.wav"}) {
        const auto made = ReadWholeFile(out.file(name));
        ASSERT_TRUE(made) << name;
        EXPECT_TRUE(*made == Asset(name)) << name << " differs from its generator's output";
    }
}

}  // namespace
}  // namespace kestrune
