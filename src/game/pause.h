// Pausing the game for a while, as the tower ending does between its pictures.
#pragma once

namespace kestrune {

class IPause {
public:
    virtual ~IPause() = default;
    // Waits about `milliseconds`. False when the wait was cut short because the game window
    // is closing: the caller then stops what it was doing and returns at once.
    virtual bool Pause(int milliseconds) = 0;
};

}  // namespace kestrune
