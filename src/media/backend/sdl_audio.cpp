// SDL2_mixer backend of the music device and the effects player.
#include "media/backend/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "media/backend/fluid_music.h"
#include "media/effects.h"

namespace kestrune {

namespace {

constexpr int kSampleRate = 44100;
constexpr int kChunkFrames = 1024;  // about 23 ms: short enough for a step's sound
constexpr int kEffectChannel = 0;   // the only mixing channel

extern "C" void QuietAlsaHandler(const char*, int, const char*, int, const char*, ...) {}

// Without a sound card, ALSA writes a page of errors to stderr while SDL probes it. The
// handler is process-wide, so setting it on our own handle of the library covers SDL's.
void QuietAlsaMessages() {
    static const bool quiet = [] {
        void* lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!lib) return false;
        using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
        using SetHandler = int (*)(Handler);
        void* symbol = dlsym(lib, "snd_lib_error_set_handler");
        if (!symbol) return false;
        SetHandler set = nullptr;
        std::memcpy(&set, &symbol, sizeof set);
        set(&QuietAlsaHandler);
        return true;  // the library stays loaded, so the handler stays in place
    }();
    (void)quiet;
}

// Plays each loaded WAV on the one channel; Mix_PlayChannel on a busy channel replaces
// what it was playing.
class SdlEffectPlayer final : public IEffectPlayer {
public:
    ~SdlEffectPlayer() override {
        Mix_HaltChannel(-1);
        for (Mix_Chunk* chunk : m_chunks) Mix_FreeChunk(chunk);
    }
    std::optional<SoundId> Load(const std::string& path) override {
        Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
        if (!chunk) return std::nullopt;
        m_chunks.push_back(chunk);
        return static_cast<SoundId>(m_chunks.size() - 1);
    }
    void Play(SoundId sound) override {
        if (sound >= 0 && static_cast<size_t>(sound) < m_chunks.size())
            Mix_PlayChannel(kEffectChannel, m_chunks[static_cast<size_t>(sound)], 0);
    }

private:
    std::vector<Mix_Chunk*> m_chunks;
};

// What the mixer's music hook needs. It runs on the audio thread, so it calls no Mix_*
// function: only the device's Render.
struct MusicFeed {
    FluidMusicDevice* device = nullptr;
    int channels = 2;
    std::array<int16_t, 2 * kChunkFrames> stereo{};
};

void SDLCALL FeedMusic(void* data, Uint8* stream, int length) {
    auto* feed = static_cast<MusicFeed*>(data);
    auto* out = reinterpret_cast<int16_t*>(stream);
    int frames = length / static_cast<int>(sizeof(int16_t)) / feed->channels;
    if (feed->channels == 2) {
        feed->device->Render(out, frames);
        return;
    }
    // Other layouts: render stereo in pieces, then fold to mono or fill the front pair.
    while (frames > 0) {
        const int n = std::min(frames, kChunkFrames);
        feed->device->Render(feed->stereo.data(), n);
        for (int i = 0; i < n; ++i) {
            const int16_t left = feed->stereo[2 * static_cast<size_t>(i)];
            const int16_t right = feed->stereo[2 * static_cast<size_t>(i) + 1];
            int16_t* frame = out + static_cast<ptrdiff_t>(i) * feed->channels;
            if (feed->channels == 1) {
                frame[0] = static_cast<int16_t>((left + right) / 2);
            } else {
                frame[0] = left;
                frame[1] = right;
                std::fill(frame + 2, frame + feed->channels, int16_t{0});
            }
        }
        out += static_cast<ptrdiff_t>(n) * feed->channels;
        frames -= n;
    }
}

}  // namespace

struct SdlAudio::Impl {
    bool sdlStarted = false;
    bool mixerOpen = false;
    std::unique_ptr<IMusicDevice> device;
    FluidMusicDevice* fluid = nullptr;
    std::unique_ptr<IEffectPlayer> player;
    std::unique_ptr<Music> music;
    std::unique_ptr<SoundEffects> effects;
    MusicFeed feed;

    // Opens the sound device; false leaves everything silent.
    bool OpenDevice() {
        QuietAlsaMessages();
        // Otherwise SDL installs its own SIGINT/SIGTERM handlers and the game ignores them.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        sdlStarted = true;
        if (Mix_OpenAudio(kSampleRate, AUDIO_S16SYS, 2, kChunkFrames) != 0) return false;
        mixerOpen = true;
        int frequency = 0, channels = 0;
        Uint16 format = 0;
        // We asked for 16-bit samples; SDL converts if the hardware wants something else.
        if (!Mix_QuerySpec(&frequency, &format, &channels) || format != AUDIO_S16SYS ||
            channels < 1)
            return false;
        Mix_AllocateChannels(1);
        FluidMusicDevice::Options options;
        options.sampleRate = frequency;
        auto fluidDevice = std::make_unique<FluidMusicDevice>(options);
        fluid = fluidDevice.get();
        device = std::move(fluidDevice);
        player = std::make_unique<SdlEffectPlayer>();
        feed.device = fluid;
        feed.channels = channels;
        Mix_HookMusic(&FeedMusic, &feed);
        return true;
    }

    void CloseDevice() {
        if (mixerOpen) {
            // Returns once the audio thread is out of the hook; it is never called again.
            Mix_HookMusic(nullptr, nullptr);
            Mix_HaltChannel(-1);
        }
        effects.reset();
        music.reset();
        player.reset();
        device.reset();
        fluid = nullptr;
        if (mixerOpen) Mix_CloseAudio();
        if (sdlStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        mixerOpen = sdlStarted = false;
    }
};

SdlAudio::SdlAudio(const std::string& programDirectory) : m_impl(std::make_unique<Impl>()) {
    Impl& d = *m_impl;
    if (!d.OpenDevice()) {
        d.CloseDevice();
        d.device = std::make_unique<NullMusicDevice>();
        d.player = std::make_unique<NullEffectPlayer>();
    }
    d.music = std::make_unique<Music>(*d.device, programDirectory);
    d.effects = std::make_unique<SoundEffects>(*d.player, [programDirectory](const std::string& n) {
        return FindEffectFile(n, programDirectory);
    });
}

SdlAudio::~SdlAudio() {
    m_impl->CloseDevice();
}

Music& SdlAudio::music() {
    return *m_impl->music;
}

ISoundEffects& SdlAudio::effects() {
    return *m_impl->effects;
}

bool SdlAudio::hasSound() const {
    return m_impl->fluid != nullptr;
}

FluidMusicDevice* SdlAudio::musicDevice() {
    return m_impl->fluid;
}

std::unique_ptr<AudioSystem> CreateSdlAudio(const std::string& programDirectory) {
    return std::make_unique<SdlAudio>(programDirectory);
}

}  // namespace kestrune
