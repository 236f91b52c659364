// The FluidSynth music device driven offline: the test renders the audio itself, so
// playback time passes without waiting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "game/files.h"
#include "media/backend/fluid_music.h"
#include "test_support.h"

namespace kestrune {
namespace {

constexpr int kRate = 44100;
constexpr const char* kAlias = "midifile";

bool HaveSoundFont() {
    for (const std::string& font : DefaultSoundFonts())
        if (std::filesystem::exists(font)) return true;
    return false;
}

// Renders `seconds` of audio in the mixer's 1024-frame pieces; returns the loudest sample.
int RenderSeconds(FluidMusicDevice& device, double seconds) {
    std::vector<int16_t> buffer(2 * 1024);
    int peak = 0;
    for (int left = static_cast<int>(seconds * kRate); left > 0; left -= 1024) {
        const int frames = std::min(left, 1024);
        device.Render(buffer.data(), frames);
        for (int i = 0; i < 2 * frames; ++i)
            peak = std::max(peak, std::abs(static_cast<int>(buffer[static_cast<size_t>(i)])));
    }
    return peak;
}

// One held note over a 4/4 bar at 120 per minute (480 ticks a quarter): 1920 ticks, 2 s.
std::string OneBarPiece() {
    const unsigned char bytes[] = {
        'M',  'T',  'h',  'd',  0,    0, 0, 6,  0, 0, 0, 1, 0x01, 0xE0,  // format 0, one track, 480
        'M',  'T',  'r',  'k',  0,    0, 0, 17,                          //
        0x00, 0xC0, 0,                                                   // piano
        0x00, 0x90, 60,   100,                                           // middle C at 0
        0x8E, 0x00, 0x80, 60,   0,                                       // released at 1792
        0x81, 0x00, 0xFF, 0x2F, 0x00,                                    // end of track at 1920
    };
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class FluidMusic : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI soundfont installed";
        const std::string source = kestrune::test::SourceDir();
        std::filesystem::create_directory(m_dir.file("Kestrune Game"));
        m_piece = m_dir.file("Kestrune Game") + "/bgm.mid";
        std::filesystem::copy_file(source + "/assets/bgm.mid", m_piece);
    }
    test::TempDir m_dir;
    std::string m_piece;
};

TEST_F(FluidMusic, OpenPlayStopCloseAsTheWatchdogSeesIt) {
    FluidMusicDevice device({});
    EXPECT_EQ(device.Status(kAlias).result, DeviceResult::NotOpen);
    ASSERT_EQ(device.Open(m_piece, kAlias), DeviceResult::Ok);
    EXPECT_EQ(device.Status(kAlias).mode, "stopped");
    EXPECT_EQ(device.Status("other").result, DeviceResult::NotOpen);

    ASSERT_EQ(device.PlayFromStart(kAlias), DeviceResult::Ok);
    EXPECT_GT(RenderSeconds(device, 1.0), 500) << "the piece should be audible";
    const MusicStatus playing = device.Status(kAlias);
    EXPECT_EQ(playing.result, DeviceResult::Ok);
    EXPECT_EQ(playing.mode, "playing");

    EXPECT_EQ(device.Stop(kAlias), DeviceResult::Ok);
    EXPECT_EQ(device.Status(kAlias).mode, "stopped");
    EXPECT_EQ(device.Close(kAlias), DeviceResult::Ok);
    EXPECT_EQ(device.Status(kAlias).result, DeviceResult::NotOpen);
    EXPECT_EQ(device.PlayFromStart(kAlias), DeviceResult::NotOpen);
    EXPECT_EQ(device.Stop(kAlias), DeviceResult::NotOpen);
    EXPECT_EQ(device.Close(kAlias), DeviceResult::NotOpen);
}

// A new maze stops and starts the music: the soundfont and the file are read only once,
// unless the file itself has been replaced.
TEST_F(FluidMusic, ReopeningKeepsTheSoundFontAndThePiece) {
    FluidMusicDevice device({});
    for (int maze = 0; maze < 3; ++maze) {
        ASSERT_EQ(device.Open(m_piece, kAlias), DeviceResult::Ok);
        ASSERT_EQ(device.PlayFromStart(kAlias), DeviceResult::Ok);
        RenderSeconds(device, 0.05);
        device.Stop(kAlias);
        device.Close(kAlias);
    }
    EXPECT_EQ(device.soundFontLoads(), 1);
    EXPECT_EQ(device.pieceLoads(), 1);

    std::filesystem::remove(m_piece);
    std::ofstream(m_piece, std::ios::binary) << OneBarPiece();
    ASSERT_EQ(device.Open(m_piece, kAlias), DeviceResult::Ok);
    EXPECT_EQ(device.pieceLoads(), 2);
    EXPECT_EQ(device.soundFontLoads(), 1);
}

// Playing again after a stop begins at the first tick, not where the music was stopped.
TEST_F(FluidMusic, PlayAfterStopStartsFromTheBeginning) {
    FluidMusicDevice device({});
    ASSERT_EQ(device.Open(m_piece, kAlias), DeviceResult::Ok);
    ASSERT_EQ(device.PlayFromStart(kAlias), DeviceResult::Ok);
    RenderSeconds(device, 3.0);
    EXPECT_GT(device.currentTick(), 1500);  // 80 per minute, 480 a quarter: 640 a second
    device.Stop(kAlias);
    ASSERT_EQ(device.PlayFromStart(kAlias), DeviceResult::Ok);
    RenderSeconds(device, 0.1);
    EXPECT_LT(device.currentTick(), 100);
}

// The piece loops by itself within 10 ms of its end and never reports stopped, so the
// watchdog has nothing to do while it plays.
TEST_F(FluidMusic, LoopsWithinTenMillisecondsOfTheEnd) {
    std::ofstream(m_dir.file("bar.mid"), std::ios::binary) << OneBarPiece();
    FluidMusicDevice device({});
    ASSERT_EQ(device.Open(m_dir.file("bar.mid"), kAlias), DeviceResult::Ok);
    ASSERT_EQ(device.PlayFromStart(kAlias), DeviceResult::Ok);
    RenderSeconds(device, 1.9);
    EXPECT_NEAR(device.currentTick(), 1.9 * 960, 10);
    RenderSeconds(device, 0.35);                        // 0.25 s into the second round
    EXPECT_NEAR(device.currentTick(), 0.25 * 960, 10);  // 10 ticks: about 10 ms
    EXPECT_EQ(device.Status(kAlias).mode, "playing");
    RenderSeconds(device, 4.0);
    EXPECT_EQ(device.Status(kAlias).mode, "playing");
}

// Stopping lets the notes die away: nothing keeps sounding afterwards.
TEST_F(FluidMusic, StoppedMusicFallsSilent) {
    FluidMusicDevice device({});
    ASSERT_EQ(device.Open(m_piece, kAlias), DeviceResult::Ok);
    ASSERT_EQ(device.PlayFromStart(kAlias), DeviceResult::Ok);
    RenderSeconds(device, 2.0);
    device.Stop(kAlias);
    RenderSeconds(device, 4.0);
    EXPECT_LT(RenderSeconds(device, 0.5), 30);
}

TEST_F(FluidMusic, UnusableFilesAndSoundFontsFailSilently) {
    FluidMusicDevice device({});
    EXPECT_EQ(device.Open(m_dir.file("missing.mid"), kAlias), DeviceResult::Failed);
    std::ofstream(m_dir.file("text.mid")) << "not a piece of music";
    EXPECT_EQ(device.Open(m_dir.file("text.mid"), kAlias), DeviceResult::Failed);
    // A piece of no length would loop forever without advancing.
    const unsigned char empty[] = {'M',  'T', 'h', 'd', 0,   0, 0, 6, 0, 0,    0,    1,    0x01,
                                   0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, 4, 0x00, 0xFF, 0x2F, 0};
    std::ofstream(m_dir.file("empty.mid"), std::ios::binary)
        .write(reinterpret_cast<const char*>(empty), sizeof empty);
    EXPECT_EQ(device.Open(m_dir.file("empty.mid"), kAlias), DeviceResult::Failed);
    EXPECT_EQ(device.Status(kAlias).result, DeviceResult::NotOpen);
    EXPECT_EQ(device.soundFontLoads(), 0);  // nothing worth loading it for

    FluidMusicDevice::Options noFont;
    noFont.soundFonts = {m_dir.file("none.sf2")};
    FluidMusicDevice mute(noFont);
    EXPECT_EQ(mute.Open(m_piece, kAlias), DeviceResult::Failed);
    EXPECT_EQ(mute.Status(kAlias).result, DeviceResult::NotOpen);
    std::vector<int16_t> buffer(2 * 256, 1234);
    mute.Render(buffer.data(), 256);
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](int16_t v) { return v == 0; }));
}

}  // namespace
}  // namespace kestrune
