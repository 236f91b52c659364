// Reads what the music layer needs to know about a Standard MIDI File without playing it:
// its shape, its length through the tempo map, and whether every note it starts also ends.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrune {

struct MidiTrackSummary {
    int64_t endTick = 0;  // tick of the end-of-track event
    int noteOns = 0;
    int hangingNotes = 0;  // notes still sounding at the end of the track
};

struct MidiSummary {
    int format = 0;
    int division = 0;  // ticks per quarter note; negative for SMPTE time
    std::vector<MidiTrackSummary> tracks;
    int64_t lengthTicks = 0;  // the latest end of track
    double lengthSeconds = 0.0;
    std::set<std::pair<int, int>> programs;  // (channel, program) pairs that are selected
};

// nullopt when the bytes are not a well-formed MIDI file: a bad header, a chunk or an event
// running past the end of the data, or a track with no end-of-track event.
std::optional<MidiSummary> ReadMidiSummary(std::string_view bytes);

}  // namespace kestrune
