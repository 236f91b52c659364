// Reading the shape and length of MIDI files from hand-assembled bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/midi_file.h"

namespace kestrune {
namespace {

using Bytes = std::vector<uint8_t>;

std::string Chunk(const char* tag, const Bytes& body) {
    std::string out(tag, 4);
    const uint32_t n = static_cast<uint32_t>(body.size());
    out += {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8),
            static_cast<char>(n)};
    out.append(body.begin(), body.end());
    return out;
}

std::string File(int format, int division, const std::vector<Bytes>& tracks) {
    const auto d = static_cast<uint16_t>(division);
    const auto n = static_cast<uint16_t>(tracks.size());
    std::string out = Chunk(
        "MThd", {0, static_cast<uint8_t>(format), static_cast<uint8_t>(n >> 8),
                 static_cast<uint8_t>(n), static_cast<uint8_t>(d >> 8), static_cast<uint8_t>(d)});
    for (const Bytes& t : tracks) out += Chunk("MTrk", t);
    return out;
}

const Bytes kEnd = {0xFF, 0x2F, 0x00};

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// 960 ticks at 480 per quarter and the default 120 per minute: one second.
TEST(MidiFile, DefaultTempoAndNotesInOneTrack) {
    const Bytes track = Join({{0x00, 0xC0, 0x49},         // program 73 on channel 0
                              {0x00, 0x90, 60, 100},      // note on
                              {0x83, 0x60, 0x80, 60, 0},  // 480 later: note off
                              {0x00, 0x90, 64, 90},       // note on
                              {0x83, 0x60, 64, 0},        // running status, velocity 0
                              {0x00},
                              kEnd});
    const auto s = ReadMidiSummary(File(0, 480, {track}));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->format, 0);
    EXPECT_EQ(s->division, 480);
    ASSERT_EQ(s->tracks.size(), 1u);
    EXPECT_EQ(s->tracks[0].endTick, 960);
    EXPECT_EQ(s->tracks[0].noteOns, 2);
    EXPECT_EQ(s->tracks[0].hangingNotes, 0);
    EXPECT_DOUBLE_EQ(s->lengthSeconds, 1.0);
    EXPECT_EQ(s->programs, (std::set<std::pair<int, int>>{{0, 73}}));
}

// A tempo change in the first track applies to the others; the longest track sets the length.
TEST(MidiFile, TempoMapAndLongestTrackGiveTheLength) {
    const Bytes conductor = Join({{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20},        // 500000
                                  {0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40},  // 1000000
                                  {0x00},
                                  kEnd});
    const Bytes notes = Join({{0x00, 0x91, 40, 80}, {0x87, 0x40, 0x81, 40, 0}, {0x00}, kEnd});
    const auto s = ReadMidiSummary(File(1, 480, {conductor, notes}));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->tracks[0].endTick, 480);
    EXPECT_EQ(s->tracks[1].endTick, 960);
    EXPECT_EQ(s->lengthTicks, 960);
    EXPECT_DOUBLE_EQ(s->lengthSeconds, 0.5 + 1.0);
}

TEST(MidiFile, NotesLeftSoundingAtTheEndAreCounted) {
    const Bytes track = Join({{0x00, 0x90, 60, 100},
                              {0x00, 0x90, 67, 100},
                              {0x60, 0x80, 60, 0},
                              {0x00, 0x90, 72, 1},
                              {0x00},
                              kEnd});
    const auto s = ReadMidiSummary(File(0, 96, {track}));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->tracks[0].noteOns, 3);
    EXPECT_EQ(s->tracks[0].hangingNotes, 2);
}

// SMPTE time: 25 frames of 40 ticks make 1000 ticks a second.
TEST(MidiFile, SmpteDivisionCountsTicksPerSecond) {
    const Bytes track = Join({{0x8F, 0x00}, kEnd});  // 1920 ticks
    const auto s = ReadMidiSummary(File(0, (0xE7 << 8) | 40, {track}));
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->lengthSeconds, 1.92);
}

TEST(MidiFile, SysExAndUnknownChunksAreSkipped) {
    const Bytes track = Join({{0x00, 0xF0, 0x03, 0x7E, 0x09, 0xF7}, {0x10}, kEnd});
    std::string bytes = File(0, 480, {});
    bytes[11] = 1;  // one track, after a chunk nobody knows
    bytes += Chunk("XFIH", {1, 2, 3});
    bytes += Chunk("MTrk", track);
    const auto s = ReadMidiSummary(bytes);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->tracks.size(), 1u);
    EXPECT_EQ(s->lengthTicks, 0x10);
}

TEST(MidiFile, MalformedFilesAreRejected) {
    const Bytes good = Join({{0x00, 0x90, 60, 100}, {0x10, 0x80, 60, 0}, {0x00}, kEnd});
    const std::string valid = File(0, 480, {good});
    ASSERT_TRUE(ReadMidiSummary(valid));

    EXPECT_FALSE(ReadMidiSummary(""));
    EXPECT_FALSE(ReadMidiSummary("RIFF" + valid.substr(4)));
    EXPECT_FALSE(ReadMidiSummary(valid.substr(0, valid.size() - 1)));      // chunk past the end
    EXPECT_FALSE(ReadMidiSummary(File(0, 480, {{0x00, 0x90, 60, 100}})));  // no end of track
    EXPECT_FALSE(ReadMidiSummary(File(0, 480, {Join({{0x00, 60, 100}, kEnd})})));  // no status
    EXPECT_FALSE(ReadMidiSummary(File(0, 480, {Join({{0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, kEnd})})));
    EXPECT_FALSE(ReadMidiSummary(File(0, 480, {Join({{0x00, 0xFF, 0x03, 0x20, 'a'}})})));
    EXPECT_FALSE(ReadMidiSummary(File(3, 480, {good})));  // no such format
    std::string fewer = valid;
    fewer[11] = 2;  // two tracks announced, one present
    EXPECT_FALSE(ReadMidiSummary(fewer));
}

}  // namespace
}  // namespace kestrune
