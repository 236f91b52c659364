// Sound on SDL2_mixer: the mixer owns the output device and plays the effects on one
// channel; the music comes from our FluidSynth device through the mixer's music hook.
#pragma once

#include <memory>
#include <string>

#include "media/audio_system.h"

namespace kestrune {

class FluidMusicDevice;

// Opens the default sound device. Without one (or with SDL_AUDIODRIVER naming none that
// works) it is silent: nothing printed, nothing waited for. Create at most one at a time.
std::unique_ptr<AudioSystem> CreateSdlAudio(const std::string& programDirectory);

// The concrete system, for tests and measurements that look at the device.
class SdlAudio final : public AudioSystem {
public:
    explicit SdlAudio(const std::string& programDirectory);
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    Music& music() override;
    ISoundEffects& effects() override;
    bool hasSound() const override;

    // Null when silent.
    FluidMusicDevice* musicDevice();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace kestrune
