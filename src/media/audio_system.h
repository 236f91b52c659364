// What the game window holds for sound: the music (with its watchdog) and the effects.
// A backend owns its devices; a silent one serves machines and tests without sound.
#pragma once

#include <memory>
#include <string>

#include "media/audio.h"
#include "media/music.h"

namespace kestrune {

class AudioSystem {
public:
    virtual ~AudioSystem() = default;
    virtual Music& music() = 0;
    virtual ISoundEffects& effects() = 0;
    // False when sound could not be set up and everything is silent by design.
    virtual bool hasSound() const = 0;
};

// Music never opens and effects play nothing; every call is still accepted.
std::unique_ptr<AudioSystem> CreateSilentAudio(const std::string& programDirectory);

}  // namespace kestrune
