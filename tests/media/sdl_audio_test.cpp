// The SDL2_mixer backend as the game uses it, on SDL's dummy driver (set by CTest).
#include <gtest/gtest.h>

#include <SDL_mixer.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "game/files.h"
#include "media/backend/fluid_music.h"
#include "media/backend/sdl_audio.h"
#include "test_support.h"

namespace kestrune {
namespace {

// Sets an environment variable for one scope, then puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// Collects what is written to stderr while it lives.
class StderrCapture {
public:
    StderrCapture() {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        m_file = std::tmpfile();
        dup2(fileno(m_file), STDERR_FILENO);
    }
    std::string text() {
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        std::string out;
        std::rewind(m_file);
        for (int c; (c = std::fgetc(m_file)) != EOF;) out += static_cast<char>(c);
        std::fclose(m_file);
        return out;
    }

private:
    int m_saved = -1;
    std::FILE* m_file = nullptr;
};

class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string source = kestrune::test::SourceDir();
        m_program = m_dir.file("Program Files") + "/Kestrune Game";
        std::filesystem::create_directories(m_program);
        for (const char* name : {"bgm.mid", "dom.wav", "Za.wav"})
            std::filesystem::copy_file(source + "/assets/" + name, m_program + "/" + name);
    }
    test::TempDir m_dir;
    std::string m_program;
};

// Opening, playing, the status while playing, closing, and a new maze's reopening, which
// reads neither the soundfont nor the piece again.
TEST_F(SdlAudioTest, MusicPlaysFromADirectoryWithBlanksAndReopensWithoutReloading) {
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    SdlAudio audio(m_program);
    ASSERT_TRUE(audio.hasSound());
    FluidMusicDevice* device = audio.musicDevice();
    ASSERT_NE(device, nullptr);

    audio.music().StartMusic("bgm.mid");
    MusicStatus status = device->Status(Music::kAlias);
    EXPECT_EQ(status.result, DeviceResult::Ok);
    EXPECT_EQ(status.mode, "playing");
    audio.music().Timer2_Timer();
    EXPECT_EQ(device->Status(Music::kAlias).mode, "playing");

    audio.music().StopMusic();
    EXPECT_EQ(device->Status(Music::kAlias).result, DeviceResult::NotOpen);
    audio.music().Timer2_Timer();
    EXPECT_EQ(device->Status(Music::kAlias).result, DeviceResult::NotOpen);

    audio.music().StartMusic("bgm.mid");
    EXPECT_EQ(device->Status(Music::kAlias).mode, "playing");
    EXPECT_EQ(device->soundFontLoads(), 1);
    EXPECT_EQ(device->pieceLoads(), 1);
    audio.music().StopMusic();
}

// Both effects share one mixing channel, so the second replaces the first; a missing file
// changes nothing.
TEST_F(SdlAudioTest, EffectsShareOneChannelAndMissingOnesAreSilent) {
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    SdlAudio audio(m_program);
    ASSERT_TRUE(audio.hasSound());
    EXPECT_EQ(Mix_AllocateChannels(-1), 1);
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_TRUE(Mix_QuerySpec(&frequency, &format, &channels));
    const auto bytesFor = [&](double seconds) {
        return static_cast<Uint32>(seconds * frequency + 0.5) * 2u * static_cast<Uint32>(channels);
    };

    audio.effects().PlayEffect("dom.wav");
    ASSERT_NE(Mix_GetChunk(0), nullptr);
    EXPECT_EQ(Mix_GetChunk(0)->alen, bytesFor(0.15));
    audio.effects().PlayEffect("Za.wav");
    EXPECT_EQ(Mix_GetChunk(0)->alen, bytesFor(0.10));
    audio.effects().PlayEffect("kestrune-missing.wav");
    EXPECT_EQ(Mix_GetChunk(0)->alen, bytesFor(0.10));
}

// SDL would otherwise take over SIGINT and SIGTERM, and the game would ignore them.
TEST_F(SdlAudioTest, InterruptAndTerminateKeepTheirHandlers) {
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    SdlAudio audio(m_program);
    ASSERT_TRUE(audio.hasSound());
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        sigaction(signal, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signal;
    }
}

// No usable driver: silent, quiet, and every call still accepted.
TEST_F(SdlAudioTest, WithoutASoundDeviceEverythingIsSilentAndQuiet) {
    ScopedEnv driver("SDL_AUDIODRIVER", "kestrune-no-such-driver");
    StderrCapture err;
    {
        SdlAudio audio(m_program);
        EXPECT_FALSE(audio.hasSound());
        EXPECT_EQ(audio.musicDevice(), nullptr);
        audio.music().StartMusic("bgm.mid");
        audio.music().Timer2_Timer();
        audio.effects().PlayEffect("dom.wav");
        audio.music().StopMusic();
    }
    EXPECT_EQ(err.text(), "");
}

// ALSA with no card writes a page of errors while SDL probes it; none may reach the user.
// (On a machine with a card this opens it and must be just as quiet.)
TEST_F(SdlAudioTest, ProbingAlsaPrintsNothing) {
    ScopedEnv driver("SDL_AUDIODRIVER", "alsa");
    StderrCapture err;
    { SdlAudio audio(m_program); }
    EXPECT_EQ(err.text(), "");
}

}  // namespace
}  // namespace kestrune
