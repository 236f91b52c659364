#include "media/midi_file.h"

#include <algorithm>
#include <map>

namespace kestrune {

namespace {

constexpr int kDefaultTempo = 500000;  // microseconds per quarter note when none is given

// A cursor over bytes that refuses to read past the end.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    size_t remaining() const { return m_bytes.size() - m_pos; }

    bool byte(uint8_t& out) {
        if (atEnd()) return false;
        out = static_cast<uint8_t>(m_bytes[m_pos++]);
        return true;
    }
    bool bigEndian(int count, uint32_t& out) {
        out = 0;
        for (int i = 0; i < count; ++i) {
            uint8_t b = 0;
            if (!byte(b)) return false;
            out = (out << 8) | b;
        }
        return true;
    }
    // A variable-length quantity: at most four bytes, seven bits each.
    bool variable(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b = 0;
            if (!byte(b)) return false;
            out = (out << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool skip(size_t count) {
        if (count > remaining()) return false;
        m_pos += count;
        return true;
    }
    bool take(size_t count, std::string_view& out) {
        if (count > remaining()) return false;
        out = m_bytes.substr(m_pos, count);
        m_pos += count;
        return true;
    }

private:
    std::string_view m_bytes;
    size_t m_pos = 0;
};

// Walks one track chunk; tempo changes are collected for the whole file.
bool ReadTrack(std::string_view data, MidiTrackSummary& track,
               std::multimap<int64_t, uint32_t>& tempos, std::set<std::pair<int, int>>& programs) {
    Reader in(data);
    int64_t tick = 0;
    uint8_t running = 0;
    std::map<std::pair<int, int>, int> sounding;
    while (true) {
        uint32_t delta = 0;
        uint8_t status = 0;
        if (!in.variable(delta) || !in.byte(status)) return false;
        tick += delta;
        uint8_t first = 0;
        if (status < 0x80) {
            // Running status: this byte is the first data byte of a repeated message.
            if (running == 0) return false;
            first = status;
            status = running;
        } else if (status < 0xF0) {
            running = status;
            if (!in.byte(first)) return false;
        }
        if (status == 0xFF) {
            uint8_t kind = 0;
            uint32_t length = 0;
            std::string_view payload;
            if (!in.byte(kind) || !in.variable(length) || !in.take(length, payload)) return false;
            running = 0;
            if (kind == 0x2F) {
                track.endTick = tick;
                for (const auto& [key, count] : sounding) track.hangingNotes += count;
                return true;
            }
            if (kind == 0x51 && length == 3) {
                const auto* p = reinterpret_cast<const uint8_t*>(payload.data());
                tempos.emplace(tick, (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2]);
            }
        } else if (status == 0xF0 || status == 0xF7) {
            uint32_t length = 0;
            if (!in.variable(length) || !in.skip(length)) return false;
            running = 0;
        } else if (status >= 0xF0) {
            return false;  // system messages other than these do not belong in a file
        } else {
            const int kind = status & 0xF0;
            const int channel = status & 0x0F;
            uint8_t second = 0;
            if (kind != 0xC0 && kind != 0xD0 && !in.byte(second)) return false;
            if (kind == 0x90 && second > 0) {
                ++track.noteOns;
                ++sounding[{channel, first}];
            } else if (kind == 0x80 || kind == 0x90) {
                auto it = sounding.find({channel, first});
                if (it != sounding.end() && --it->second == 0) sounding.erase(it);
            } else if (kind == 0xC0) {
                programs.emplace(channel, first);
            }
        }
    }
}

double TicksToSeconds(int64_t ticks, int division, const std::multimap<int64_t, uint32_t>& tempos) {
    if (division < 0) {
        // SMPTE: frames per second in the high byte (negated), ticks per frame in the low.
        const int fps = -(division >> 8);
        const int perFrame = division & 0xFF;
        return perFrame > 0 && fps > 0 ? static_cast<double>(ticks) / (fps * perFrame) : 0.0;
    }
    if (division == 0) return 0.0;
    double seconds = 0.0;
    int64_t at = 0;
    uint32_t tempo = kDefaultTempo;
    for (const auto& [when, value] : tempos) {
        if (when >= ticks) break;
        seconds += static_cast<double>(when - at) * tempo / 1e6 / division;
        at = when;
        tempo = value;
    }
    return seconds + static_cast<double>(ticks - at) * tempo / 1e6 / division;
}

}  // namespace

std::optional<MidiSummary> ReadMidiSummary(std::string_view bytes) {
    Reader in(bytes);
    std::string_view tag;
    uint32_t headerLength = 0, format = 0, trackCount = 0, division = 0;
    if (!in.take(4, tag) || tag != "MThd" || !in.bigEndian(4, headerLength) || headerLength < 6 ||
        !in.bigEndian(2, format) || !in.bigEndian(2, trackCount) || !in.bigEndian(2, division) ||
        !in.skip(headerLength - 6) || format > 2 || trackCount == 0)
        return std::nullopt;

    MidiSummary summary;
    summary.format = static_cast<int>(format);
    summary.division = static_cast<int16_t>(division);
    std::multimap<int64_t, uint32_t> tempos;
    while (summary.tracks.size() < trackCount) {
        uint32_t length = 0;
        std::string_view data;
        if (!in.take(4, tag) || !in.bigEndian(4, length) || !in.take(length, data))
            return std::nullopt;
        if (tag != "MTrk") continue;  // unknown chunks are allowed and skipped
        MidiTrackSummary track;
        if (!ReadTrack(data, track, tempos, summary.programs)) return std::nullopt;
        summary.lengthTicks = std::max(summary.lengthTicks, track.endTick);
        summary.tracks.push_back(track);
    }
    summary.lengthSeconds = TicksToSeconds(summary.lengthTicks, summary.division, tempos);
    return summary;
}

}  // namespace kestrune
