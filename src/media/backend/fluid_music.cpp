#include "media/backend/fluid_music.h"

#include <fluidsynth.h>

#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>

#include "game/files.h"
#include "media/midi_file.h"

// Why we drive FluidSynth ourselves instead of through Mix_LoadMUS/Mix_PlayMusic:
// SDL2_mixer 2.6 builds a new synthesizer and reads the soundfont again for every
// Mix_LoadMUS, and its FluidSynth music cannot seek, so a kept Mix_Music that was halted
// resumes where it stopped instead of "from 0". Here the synthesizer and its soundfont
// live as long as the device; a new sequencer on the kept file bytes costs microseconds.
//
// Seamless loop: the sequencer loops by itself (loop count -1) at the end of the tracks,
// which our piece places exactly on its last bar line, so the restart happens inside the
// render of one 64-sample block, well within 10 ms of the musical end. The synthesizer is
// not reset between rounds, so the last chord's release and reverb ring into the first bar
// as they would in a repeat. Should the sequencer ever end on its own, Render reports it and
// the game restarts the piece, as the watchdog would at the next plain redraw.

namespace kestrune {

namespace fs = std::filesystem;

std::vector<std::string> DefaultSoundFonts() {
    return {"/usr/share/sounds/sf3/default-GM.sf3", "/usr/share/sounds/sf2/TimGM6mb.sf2"};
}

namespace {

// FluidSynth reports to stderr by default; a missing preset is no news to a player.
void QuietFluidSynthLog() {
    static const bool quiet = [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        return true;
    }();
    (void)quiet;
}

struct FileStamp {
    std::uintmax_t size = 0;
    fs::file_time_type written{};
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> StampOf(const std::string& path) {
    std::error_code ec;
    FileStamp stamp;
    stamp.size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    stamp.written = fs::last_write_time(path, ec);
    if (ec) return std::nullopt;
    return stamp;
}

}  // namespace

struct FluidMusicDevice::Impl {
    Options options;

    // Guards the synthesizer and the sequencer against the audio thread's Render. The user
    // interface thread holds it only for microseconds (swapping a sequencer).
    mutable std::mutex mutex;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    bool synthFailed = false;
    std::function<void()> ended;  // guarded by the mutex
    bool endReported = false;     // for the current player; guarded by the mutex

    // The open piece (alias empty: nothing open) and the kept bytes of the last file read.
    std::string alias;
    std::string piecePath;
    std::optional<FileStamp> pieceStamp;
    std::string pieceBytes;

    int soundFontLoads = 0;
    int pieceLoads = 0;

    // Builds the synthesizer on first use, outside the lock: reading the soundfont takes
    // tens of milliseconds and the audio thread must not wait for it.
    bool EnsureSynth() {
        if (synth) return true;
        if (synthFailed) return false;
        QuietFluidSynthLog();
        fluid_settings_t* s = new_fluid_settings();
        fluid_synth_t* created = nullptr;
        if (s) {
            fluid_settings_setnum(s, "synth.sample-rate", options.sampleRate);
            fluid_settings_setnum(s, "synth.gain", options.gain);
            fluid_settings_setint(s, "synth.lock-memory", 0);
            fluid_settings_setint(s, "player.reset-synth", 0);
            created = new_fluid_synth(s);
        }
        bool loaded = false;
        for (const std::string& font : options.soundFonts) {
            std::error_code ec;
            if (!created || !fs::is_regular_file(font, ec)) continue;
            if (fluid_synth_sfload(created, font.c_str(), 1) != FLUID_FAILED) {
                ++soundFontLoads;
                loaded = true;
                break;
            }
        }
        if (!loaded) {
            if (created) delete_fluid_synth(created);
            if (s) delete_fluid_settings(s);
            synthFailed = true;
            return false;
        }
        std::lock_guard lock(mutex);
        settings = s;
        synth = created;
        return true;
    }

    // Lets every sounding note go into its release, pedals included. Lock held.
    void ReleaseNotes() {
        const int channels = fluid_synth_count_midi_channels(synth);
        for (int channel = 0; channel < channels; ++channel) {
            fluid_synth_cc(synth, channel, 64, 0);  // sustain
            fluid_synth_cc(synth, channel, 66, 0);  // sostenuto
        }
        fluid_synth_all_notes_off(synth, -1);
    }

    // Lock held.
    void DropPlayer() {
        if (!player) return;
        ReleaseNotes();
        delete_fluid_player(player);
        player = nullptr;
    }

    bool IsOpen(const std::string& name) const { return !alias.empty() && name == alias; }
};

FluidMusicDevice::FluidMusicDevice(Options options) : m_impl(std::make_unique<Impl>()) {
    m_impl->options = std::move(options);
}

FluidMusicDevice::~FluidMusicDevice() {
    std::lock_guard lock(m_impl->mutex);
    if (m_impl->player) delete_fluid_player(m_impl->player);
    if (m_impl->synth) delete_fluid_synth(m_impl->synth);
    if (m_impl->settings) delete_fluid_settings(m_impl->settings);
}

DeviceResult FluidMusicDevice::Open(const std::string& path, const std::string& alias) {
    Impl& d = *m_impl;
    if (alias.empty() || !d.alias.empty()) return DeviceResult::Failed;  // one piece at a time
    const std::optional<FileStamp> stamp = StampOf(path);
    if (!stamp) return DeviceResult::Failed;
    if (path != d.piecePath || stamp != d.pieceStamp) {
        std::optional<std::string> bytes = ReadWholeFile(path);
        std::optional<MidiSummary> summary;
        if (bytes) summary = ReadMidiSummary(*bytes);
        // A piece of no length would have the sequencer loop without ever advancing.
        if (!summary || summary->lengthTicks <= 0) return DeviceResult::Failed;
        ++d.pieceLoads;
        d.piecePath = path;
        d.pieceStamp = stamp;
        d.pieceBytes = std::move(*bytes);
    }
    if (!d.EnsureSynth()) return DeviceResult::Failed;
    d.alias = alias;
    return DeviceResult::Ok;
}

DeviceResult FluidMusicDevice::PlayFromStart(const std::string& alias) {
    Impl& d = *m_impl;
    if (!d.IsOpen(alias)) return DeviceResult::NotOpen;
    std::lock_guard lock(d.mutex);
    d.DropPlayer();
    fluid_player_t* player = new_fluid_player(d.synth);
    if (!player) return DeviceResult::Failed;
    if (fluid_player_add_mem(player, d.pieceBytes.data(), d.pieceBytes.size()) != FLUID_OK) {
        delete_fluid_player(player);
        return DeviceResult::Failed;
    }
    fluid_player_set_loop(player, -1);
    fluid_player_play(player);
    d.player = player;
    d.endReported = false;
    return DeviceResult::Ok;
}

DeviceResult FluidMusicDevice::Stop(const std::string& alias) {
    Impl& d = *m_impl;
    if (!d.IsOpen(alias)) return DeviceResult::NotOpen;
    std::lock_guard lock(d.mutex);
    d.DropPlayer();
    return DeviceResult::Ok;
}

DeviceResult FluidMusicDevice::Close(const std::string& alias) {
    Impl& d = *m_impl;
    if (!d.IsOpen(alias)) return DeviceResult::NotOpen;
    {
        std::lock_guard lock(d.mutex);
        d.DropPlayer();
    }
    d.alias.clear();
    return DeviceResult::Ok;
}

MusicStatus FluidMusicDevice::Status(const std::string& alias) {
    const Impl& d = *m_impl;
    if (!d.IsOpen(alias)) return {DeviceResult::NotOpen, {}};
    // Only this thread swaps the sequencer, and its status is an atomic read: no lock.
    const bool playing = d.player && fluid_player_get_status(d.player) == FLUID_PLAYER_PLAYING;
    return {DeviceResult::Ok, playing ? "playing" : "stopped"};
}

void FluidMusicDevice::Render(int16_t* stereo, int frames) {
    std::lock_guard lock(m_impl->mutex);
    if (!m_impl->synth) {
        std::memset(stereo, 0, sizeof(int16_t) * 2 * static_cast<size_t>(frames));
        return;
    }
    fluid_synth_write_s16(m_impl->synth, frames, stereo, 0, 2, stereo, 1, 2);
    Impl& d = *m_impl;
    if (d.player && !d.endReported && fluid_player_get_status(d.player) == FLUID_PLAYER_DONE) {
        d.endReported = true;
        if (d.ended) d.ended();
    }
}

void FluidMusicDevice::SetEndedHandler(std::function<void()> ended) {
    std::lock_guard lock(m_impl->mutex);
    m_impl->ended = std::move(ended);
}

int FluidMusicDevice::soundFontLoads() const {
    return m_impl->soundFontLoads;
}

int FluidMusicDevice::pieceLoads() const {
    return m_impl->pieceLoads;
}

int FluidMusicDevice::currentTick() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->player ? fluid_player_get_current_tick(m_impl->player) : -1;
}

}  // namespace kestrune
