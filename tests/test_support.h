// Helpers shared by the tests: temporary directories and scripted services.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/links.h"
#include "game/maze.h"
#include "game/pause.h"
#include "game/services.h"
#include "game/window_texts.h"
#include "media/audio.h"
#include "media/music.h"

namespace kestrune::test {

// The source tree, for the committed assets: compiled in, so that a test binary run by hand
// finds it as ctest does.
inline std::string SourceDir() {
    return KESTRUNE_TEST_SOURCE_DIR;
}

// A fresh directory under the system's temporary directory, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "kestrune-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        m_path = tmpl;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// While it lives, every write to a file fails as on a full disk (the file-size limit is 0),
// for root too. Keep its scope short: a failing check inside it cannot be logged to a file.
class FullDisk {
public:
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = m_saved;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
};

inline std::unique_ptr<GameState> MakeState() {
    return std::make_unique<GameState>();
}

// Every cell of the grid, x fastest.
template <typename F>
void ForEachCell(F f) {
    for (int w = 0; w < 21; ++w)
        for (int z = 0; z < 21; ++z)
            for (int y = 0; y < 21; ++y)
                for (int x = 0; x < 21; ++x) f(x, y, z, w);
}

// A state as start-up leaves it: closed border, empty interior.
inline std::unique_ptr<GameState> PracticeState(int dimIndex, int difficulty) {
    auto s = MakeState();
    PrepareStartup(*s);
    s->GameMode = kModePractice;
    FillTowerBorder(*s);
    s->DimIndex = static_cast<int16_t>(dimIndex);
    s->Difficulty = static_cast<int16_t>(difficulty);
    return s;
}

// A new tower's state on the given floor, as start-up leaves it before generation.
inline std::unique_ptr<GameState> TowerState(int floor) {
    auto s = MakeState();
    PrepareStartup(*s);
    s->GameMode = kModeTower;
    FillTowerBorder(*s);
    SetNewTowerStart(*s);
    s->TowerFloor = static_cast<int16_t>(floor);
    return s;
}

inline bool IsInterior(int x, int y, int z, int w) {
    auto in = [](int c) { return c >= kInteriorMin && c <= kInteriorMax; };
    return in(x) && in(y) && in(z) && in(w);
}

// Returns chosen numbers in order, then falls back to a fixed-seed generator.
class ScriptedRandom final : public IRandom {
public:
    std::deque<double> script;
    int draws = 0;
    std::vector<int32_t> resets;
    int32_t clockSeed = 12345;  // what SeedFromClock resets the fallback to
    // Numbers returned at chosen draw numbers (1 = the first draw), before the script.
    std::map<int, double> fixedDraws;
    // Called as draw number n is made, before its number is returned: lets a test look at
    // the state in the middle of an operation.
    std::function<void(int n)> onDraw;
    double Next() override {
        ++draws;
        if (onDraw) onDraw(draws);
        if (auto it = fixedDraws.find(draws); it != fixedDraws.end()) return it->second;
        if (!script.empty()) {
            double v = script.front();
            script.pop_front();
            return v;
        }
        return m_fallback.Next();
    }
    void Reset(int32_t seed) override {
        resets.push_back(seed);
        m_fallback.Reset(seed);
    }
    void SeedFromClock() override { m_fallback.Reset(clockSeed); }

private:
    StandardRandom m_fallback;
};

class FakeClock final : public IClock {
public:
    double now = 0.0;
    double SecondsSinceMidnight() override { return now; }
};

// Records every music call, in order.
class RecordingMusic final : public IMusic {
public:
    std::vector<std::string> calls;
    void StartMusic(const std::string& fileName) override { calls.push_back("start " + fileName); }
    void StopMusic() override { calls.push_back("stop"); }
};

// A music device that behaves like the platform's sequencer and records every command.
// The test ends the piece with EndPiece(); Status then answers with `stoppedWord`.
class ScriptedMusicDevice final : public IMusicDevice {
public:
    std::vector<std::string> commands;
    bool openSucceeds = true;
    std::string stoppedWord = "stopped";

    bool isOpen() const { return !m_alias.empty(); }
    bool isPlaying() const { return m_playing; }
    void EndPiece() { m_playing = false; }

    DeviceResult Open(const std::string& path, const std::string& alias) override {
        commands.push_back("open " + path + " as " + alias);
        if (!openSucceeds || isOpen()) return DeviceResult::Failed;
        m_alias = alias;
        m_playing = false;
        return DeviceResult::Ok;
    }
    DeviceResult PlayFromStart(const std::string& alias) override {
        commands.push_back("play " + alias + " from 0");
        if (!isOpen() || alias != m_alias) return DeviceResult::NotOpen;
        m_playing = true;
        return DeviceResult::Ok;
    }
    DeviceResult Stop(const std::string& alias) override {
        commands.push_back("stop " + alias);
        if (!isOpen() || alias != m_alias) return DeviceResult::NotOpen;
        m_playing = false;
        return DeviceResult::Ok;
    }
    DeviceResult Close(const std::string& alias) override {
        commands.push_back("close " + alias);
        if (!isOpen() || alias != m_alias) return DeviceResult::NotOpen;
        m_alias.clear();
        m_playing = false;
        return DeviceResult::Ok;
    }
    MusicStatus Status(const std::string& alias) override {
        commands.push_back("status " + alias + " mode");
        if (!isOpen() || alias != m_alias) return {DeviceResult::NotOpen, {}};
        return {DeviceResult::Ok, m_playing ? "playing" : stoppedWord};
    }
    void SetEndedHandler(std::function<void()> ended) override { m_ended = std::move(ended); }
    // The piece ends and the device says so, as the audio thread would.
    void ReportEnd() {
        m_playing = false;
        if (m_ended) m_ended();
    }

private:
    std::string m_alias;
    bool m_playing = false;
    std::function<void()> m_ended;
};

class RecordingEffects final : public ISoundEffects {
public:
    std::vector<std::string> played;
    void PlayEffect(const std::string& fileName) override { played.push_back(fileName); }
};

class RecordingTexts final : public IWindowTexts {
public:
    std::string caption;
    std::string goalCaption;
    void SetCaption(const std::string& c) override { caption = c; }
    void SetGoalCaption(const std::string& c) override { goalCaption = c; }
};

// Records every target it is asked to open.
class RecordingLinkOpener final : public ILinkOpener {
public:
    std::vector<std::string> opened;
    void Open(const std::string& target) override { opened.push_back(target); }
};

// Records pauses without waiting. `onPause` runs at each one (to look at the screen as it
// stands then); from pause number `stopAt` (0-based) on it reports the window closing.
class RecordingPause final : public IPause {
public:
    std::vector<int> pauses;
    int stopAt = -1;
    std::function<void(int index)> onPause;
    bool Pause(int milliseconds) override {
        const int index = static_cast<int>(pauses.size());
        pauses.push_back(milliseconds);
        if (onPause) onPause(index);
        return stopAt < 0 || index < stopAt;
    }
};

}  // namespace kestrune::test
