// Background music as a short list of device commands: open, play from the start, stop,
// close, and a status query that restarts a piece that has ended, asked when the device
// reports the end and at each plain redraw.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "game/files.h"

#include "media/audio.h"

namespace kestrune {

// Result of one device command. NotOpen keeps the number the game has always tested for:
// the name given does not refer to an open piece.
enum class DeviceResult : uint32_t {
    Ok = 0,
    Failed = 1,
    NotOpen = 263,
};

// A status reply: the result, and on success the device's mode word ("playing", "stopped").
struct MusicStatus {
    DeviceResult result = DeviceResult::NotOpen;
    std::string mode;
};

// A MIDI sequencer that knows a piece by the name it was opened under. "stopped" means the
// piece is open but not sounding, for instance because it has played to its end.
class IMusicDevice {
public:
    virtual ~IMusicDevice() = default;
    virtual DeviceResult Open(const std::string& path, const std::string& alias) = 0;
    virtual DeviceResult PlayFromStart(const std::string& alias) = 0;
    virtual DeviceResult Stop(const std::string& alias) = 0;
    virtual DeviceResult Close(const std::string& alias) = 0;
    // Asked at every plain redraw: must be cheap and must never wait for the audio thread.
    virtual MusicStatus Status(const std::string& alias) = 0;
    // `ended` is called when the playing piece has reached its end, on whatever thread the
    // device plays on (the audio thread): it must not call the device. Empty: no calls.
    virtual void SetEndedHandler(std::function<void()> ended) { (void)ended; }
};

// For machines without sound: nothing ever opens, so the watchdog stays idle.
class NullMusicDevice final : public IMusicDevice {
public:
    DeviceResult Open(const std::string&, const std::string&) override {
        return DeviceResult::Failed;
    }
    DeviceResult PlayFromStart(const std::string&) override { return DeviceResult::NotOpen; }
    DeviceResult Stop(const std::string&) override { return DeviceResult::NotOpen; }
    DeviceResult Close(const std::string&) override { return DeviceResult::NotOpen; }
    MusicStatus Status(const std::string&) override { return {}; }
};

// The game's music commands on top of a device. Results are not looked at: when the open
// fails, the play fails too and the game goes on without music.
class Music final : public IMusic {
public:
    static constexpr const char* kAlias = "midifile";

    // programDirectory: where "bgm.mid" lives, without a trailing separator.
    // An installed game keeps its music in the data directory, not beside the program:
    // `dataDirectory` is where a piece missing from the program's directory is looked for.
    Music(IMusicDevice& device, std::string programDirectory,
          std::string dataDirectory = InstalledDataDirectory());
    ~Music() override;
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    // Runs a task later on the thread that owns this object (the user interface's).
    using Post = std::function<void(std::function<void()>)>;
    // From now on the device's end-of-piece report, posted through `post`, restarts an
    // ended piece as the watchdog does; no timer needs to keep asking.
    void ListenForEnds(Post post);

    // Opens programDirectory + "/" + fileName under the alias and plays it from the start.
    void StartMusic(const std::string& fileName) override;
    // Stops and closes the alias; harmless when nothing is open.
    void StopMusic() override;
    // The loop watchdog: a piece that has played to its end starts again from its beginning;
    // a closed alias stays silent.
    void Timer2_Timer() override;

private:
    IMusicDevice& m_device;
    std::string m_programDirectory;
    std::string m_dataDirectory;
    // A posted restart that runs after this object is gone finds it expired.
    std::shared_ptr<Music*> m_self = std::make_shared<Music*>(this);
};

}  // namespace kestrune
