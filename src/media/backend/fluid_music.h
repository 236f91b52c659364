// The music device on FluidSynth: one synthesizer whose soundfont is loaded once, and a
// sequencer started afresh from the kept file bytes whenever the piece plays from its start.
// It renders into a buffer handed over by the audio thread and knows nothing of SDL.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/music.h"

namespace kestrune {

// Debian's default General MIDI soundfont, then the small one it usually points to.
std::vector<std::string> DefaultSoundFonts();

class FluidMusicDevice final : public IMusicDevice {
public:
    struct Options {
        int sampleRate = 44100;
        std::vector<std::string> soundFonts = DefaultSoundFonts();
        double gain = 0.8;  // keeps our piece near -10 dBFS at its loudest
    };

    explicit FluidMusicDevice(Options options);
    ~FluidMusicDevice() override;
    FluidMusicDevice(const FluidMusicDevice&) = delete;
    FluidMusicDevice& operator=(const FluidMusicDevice&) = delete;

    DeviceResult Open(const std::string& path, const std::string& alias) override;
    DeviceResult PlayFromStart(const std::string& alias) override;
    DeviceResult Stop(const std::string& alias) override;
    DeviceResult Close(const std::string& alias) override;
    MusicStatus Status(const std::string& alias) override;
    // Called from Render, on the audio thread, once per piece that plays to its end.
    void SetEndedHandler(std::function<void()> ended) override;

    // Audio thread: fills `frames` interleaved stereo frames (silence when nothing sounds).
    void Render(int16_t* stereo, int frames);

    // How often the soundfont and a piece file were read, and where the sequencer is in the
    // piece (-1 when it is not running). For tests and measurements.
    int soundFontLoads() const;
    int pieceLoads() const;
    int currentTick() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace kestrune
