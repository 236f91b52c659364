// What starting the music costs: SDL2_mixer's own MIDI loading (which we avoid), our
// device's first open, the stop/start of every new maze, and one watchdog tick.
// Only built with the SDL backend; runs on SDL's dummy driver unless told otherwise.
#if __has_include(<SDL_mixer.h>)

#include <SDL.h>
#include <SDL_mixer.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "game/files.h"
#include "media/backend/fluid_music.h"
#include "media/music.h"

namespace kestrune {
namespace {

// The directory holding bgm.mid: next to the binaries after a build, else the source tree.
std::string MusicDirectory() {
    if (std::filesystem::exists(ProgramDirectory() + "/bgm.mid")) return ProgramDirectory();
    const char* source = std::getenv("KESTRUNE_SOURCE_DIR");
    return std::string(source ? source : ".") + "/assets";
}

std::string FirstSoundFont() {
    for (const std::string& font : DefaultSoundFonts())
        if (std::filesystem::exists(font)) return font;
    return {};
}

void BM_MixLoadMusPerMaze(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024)) {
        state.SkipWithError("no audio device");
        return;
    }
    Mix_SetSoundFonts(FirstSoundFont().c_str());
    const std::string piece = MusicDirectory() + "/bgm.mid";
    for (auto _ : state) {
        Mix_Music* music = Mix_LoadMUS(piece.c_str());
        if (!music) {
            state.SkipWithError("Mix_LoadMUS failed");
            break;
        }
        Mix_FreeMusic(music);
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
BENCHMARK(BM_MixLoadMusPerMaze)->Unit(benchmark::kMillisecond);

// The first StartMusic of a run: synthesizer, soundfont and piece.
void BM_FirstStartMusic(benchmark::State& state) {
    for (auto _ : state) {
        FluidMusicDevice device({});
        Music music(device, MusicDirectory());
        music.StartMusic("bgm.mid");
        if (device.Status(Music::kAlias).mode != "playing") state.SkipWithError("did not play");
        music.StopMusic();
    }
}
BENCHMARK(BM_FirstStartMusic)->Unit(benchmark::kMillisecond);

// Every later maze: StopMusic then StartMusic on the kept device.
void BM_NewMazeRestart(benchmark::State& state) {
    FluidMusicDevice device({});
    Music music(device, MusicDirectory());
    music.StartMusic("bgm.mid");
    for (auto _ : state) {
        music.StopMusic();
        music.StartMusic("bgm.mid");
    }
    if (device.soundFontLoads() != 1 || device.pieceLoads() != 1) state.SkipWithError("reloaded");
}
BENCHMARK(BM_NewMazeRestart)->Unit(benchmark::kMicrosecond);

void BM_WatchdogTick(benchmark::State& state) {
    FluidMusicDevice device({});
    Music music(device, MusicDirectory());
    music.StartMusic("bgm.mid");
    for (auto _ : state) music.Timer2_Timer();
}
BENCHMARK(BM_WatchdogTick);

// Synthesizing 1024 frames (23 ms of sound) of the piece: the audio thread's share.
void BM_RenderOneBuffer(benchmark::State& state) {
    FluidMusicDevice device({});
    Music music(device, MusicDirectory());
    music.StartMusic("bgm.mid");
    std::vector<int16_t> buffer(2 * 1024);
    for (auto _ : state) device.Render(buffer.data(), 1024);
}
BENCHMARK(BM_RenderOneBuffer)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrune

#endif
