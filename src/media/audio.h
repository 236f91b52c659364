// What the game asks of music and sound effects. The audio objects own their on/off state,
// so no caller ever checks whether sound works.
#pragma once

#include <string>

namespace kestrune {

// Background music: start a MIDI piece from its beginning (looping), or stop it.
class IMusic {
public:
    virtual ~IMusic() = default;
    virtual void StartMusic(const std::string& fileName) = 0;
    virtual void StopMusic() = 0;
    // The loop watchdog: restarts a piece that has played to its end (asked at each plain
    // redraw; the device's end-of-piece report asks it too).
    virtual void Timer2_Timer() {}
};

// Short effects by file name ("dom.wav", "Za.wav"), played without waiting; a new effect
// cuts off one still playing; a missing file is silent.
class ISoundEffects {
public:
    virtual ~ISoundEffects() = default;
    virtual void PlayEffect(const std::string& fileName) = 0;
};

}  // namespace kestrune
