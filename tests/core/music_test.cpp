// The music commands and the loop watchdog, against a device that records what it is sent.
#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "media/music.h"
#include "test_support.h"

namespace kestrune {
namespace {

using Commands = std::vector<std::string>;

long PlaysIn(const Commands& commands) {
    return std::count_if(commands.begin(), commands.end(),
                         [](const std::string& c) { return c.rfind("play ", 0) == 0; });
}

// Open first, then play from the beginning; stop first, then close.
TEST(Music, StartOpensTheProgramsPieceUnderTheAliasThenPlaysAndStopCloses) {
    test::ScriptedMusicDevice device;
    Music music(device, "/opt/kestrune");
    music.StartMusic("bgm.mid");
    EXPECT_TRUE(device.isPlaying());
    music.StopMusic();
    EXPECT_EQ(device.commands,
              (Commands{"open /opt/kestrune/bgm.mid as midifile", "play midifile from 0",
                        "stop midifile", "close midifile"}));
    EXPECT_FALSE(device.isOpen());
}

// Blanks in the program's directory reach the device inside one path.
TEST(Music, ADirectoryWithBlanksStillOpensThePiece) {
    test::ScriptedMusicDevice device;
    Music music(device, "/home/mai/My Games/Kestrune 2");
    music.StartMusic("bgm.mid");
    ASSERT_FALSE(device.commands.empty());
    EXPECT_EQ(device.commands.front(), "open /home/mai/My Games/Kestrune 2/bgm.mid as midifile");
    EXPECT_TRUE(device.isPlaying());
}

// An installed game has no piece beside the program: the data directory's is played.
TEST(Music, APieceMissingBesideTheProgramComesFromTheDataDirectory) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() + "/bin");
    std::filesystem::create_directories(dir.path() + "/share");
    ASSERT_TRUE(WriteFileAtomically(dir.path() + "/share/bgm.mid", "MThd"));
    test::ScriptedMusicDevice device;
    Music installed(device, dir.path() + "/bin", dir.path() + "/share");
    installed.StartMusic("bgm.mid");
    EXPECT_EQ(device.commands.front(), "open " + dir.path() + "/share/bgm.mid as midifile");
    installed.StopMusic();
    // A portable copy with the piece beside it keeps its own.
    ASSERT_TRUE(WriteFileAtomically(dir.path() + "/bin/bgm.mid", "MThd"));
    device.commands.clear();
    installed.StartMusic("bgm.mid");
    EXPECT_EQ(device.commands.front(), "open " + dir.path() + "/bin/bgm.mid as midifile");
}

// Stopping what was never started sends the same two commands and changes nothing.
TEST(Music, StopMusicWithNothingOpenIsSilent) {
    test::ScriptedMusicDevice device;
    Music music(device, "/opt/kestrune");
    music.StopMusic();
    music.StopMusic();
    music.Timer2_Timer();
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(PlaysIn(device.commands), 0);
}

// A piece that has ended starts again from its beginning at the next watchdog tick, and
// one still playing is left alone.
TEST(MusicWatchdog, RestartsAnEndedPieceWithinOnePeriod) {
    test::ScriptedMusicDevice device;
    Music music(device, "/opt/kestrune");
    music.StartMusic("bgm.mid");
    for (int tick = 0; tick < 5; ++tick) music.Timer2_Timer();
    EXPECT_EQ(PlaysIn(device.commands), 1);

    device.EndPiece();
    device.commands.clear();
    music.Timer2_Timer();
    EXPECT_EQ(device.commands, (Commands{"status midifile mode", "play midifile from 0"}));
    EXPECT_TRUE(device.isPlaying());

    device.EndPiece();
    music.Timer2_Timer();
    EXPECT_TRUE(device.isPlaying());
}

// Once stopped, the alias is closed and the watchdog, which keeps running, never restarts.
TEST(MusicWatchdog, NeverRestartsAfterStopMusic) {
    test::ScriptedMusicDevice device;
    Music music(device, "/opt/kestrune");
    music.StartMusic("bgm.mid");
    device.EndPiece();
    music.StopMusic();
    device.commands.clear();
    for (int tick = 0; tick < 1000; ++tick) music.Timer2_Timer();
    EXPECT_EQ(PlaysIn(device.commands), 0);
    EXPECT_FALSE(device.isPlaying());
}

// A piece that never opened leaves the watchdog idle.
TEST(MusicWatchdog, StaysIdleWhenTheOpenFailed) {
    test::ScriptedMusicDevice device;
    device.openSucceeds = false;
    Music music(device, "/nowhere");
    music.StartMusic("bgm.mid");
    for (int tick = 0; tick < 10; ++tick) music.Timer2_Timer();
    EXPECT_EQ(PlaysIn(device.commands), 1);  // the play sent by StartMusic, which fails
    EXPECT_FALSE(device.isPlaying());
}

// Only the first seven letters count, in any case.
TEST(MusicWatchdog, StoppedInAnyCaseRestartsOtherModeWordsDoNot) {
    const struct {
        const char* word;
        bool restarts;
    } cases[] = {
        {"stopped", true},  {"STOPPED", true},    {"Stopped", true},  {"sToPpEd", true},
        {"stopped ", true}, {"stoppedx", true},   {"stoppe", false},  {" stopped", false},
        {"paused", false},  {"not ready", false}, {"seeking", false}, {"open", false},
        {"", false},        {"stop", false},      {"st0pped", false},
    };
    for (const auto& c : cases) {
        test::ScriptedMusicDevice device;
        device.stoppedWord = c.word;
        Music music(device, "/opt/kestrune");
        music.StartMusic("bgm.mid");
        device.EndPiece();
        music.Timer2_Timer();
        EXPECT_EQ(device.isPlaying(), c.restarts) << "mode word \"" << c.word << "\"";
    }
}

TEST(MusicWatchdog, NullDeviceNeverOpensSoTheWatchdogDoesNothing) {
    NullMusicDevice device;
    Music music(device, "/opt/kestrune");
    music.StartMusic("bgm.mid");
    EXPECT_EQ(device.Status(Music::kAlias).result, DeviceResult::NotOpen);
    music.Timer2_Timer();
    music.StopMusic();
}

// The device's end-of-piece report restarts the piece from its beginning, on the thread the
// report is posted to rather than the one it came from; after StopMusic, or once the music
// object is gone, a late report does nothing.
TEST(MusicEndReport, RestartsTheEndedPieceOnThePostingThread) {
    test::ScriptedMusicDevice device;
    std::vector<std::function<void()>> posted;
    auto music = std::make_unique<Music>(device, "/opt/kestrune");
    music->ListenForEnds([&](std::function<void()> task) { posted.push_back(std::move(task)); });
    music->StartMusic("bgm.mid");

    device.ReportEnd();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_FALSE(device.isPlaying());  // nothing is sent to the device from the report itself
    device.commands.clear();
    posted.front()();
    EXPECT_EQ(device.commands, (Commands{"status midifile mode", "play midifile from 0"}));
    EXPECT_TRUE(device.isPlaying());

    music->StopMusic();
    device.ReportEnd();
    device.commands.clear();
    posted.back()();
    EXPECT_EQ(PlaysIn(device.commands), 0);

    music->StartMusic("bgm.mid");
    device.ReportEnd();
    const std::function<void()> late = posted.back();
    music.reset();
    device.commands.clear();
    late();
    EXPECT_TRUE(device.commands.empty());
}

}  // namespace
}  // namespace kestrune
