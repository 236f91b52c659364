// The platform services of the browser shell: boxes, frame pacing, pauses, links, storage
// and sound, each through the page's imports (bridge.h).
#pragma once

#include <map>
#include <string>

#include "game/links.h"
#include "game/pause.h"
#include "game/text_store.h"
#include "media/effects.h"
#include "media/music.h"
#include "navigation/game_window.h"
#include "text/catalogue.h"
#include "web/command_queue.h"

namespace kestrune::web {

// The buttons of the boxes the page draws. The desktop's standard buttons say these through
// Qt's own translations; the page has them from the catalogue.
inline constexpr const char* kButtonYes = text::TrMark("はい");
inline constexpr const char* kButtonNo = text::TrMark("いいえ");
inline constexpr const char* kButtonOk = text::TrMark("OK");
inline constexpr const char* kButtonCancel = text::TrMark("キャンセル");

// Modal boxes drawn by the page; the game waits for the answer.
class WebDialogs final : public IDialogs {
public:
    bool AskYesNo(const std::string& text, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title) override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    void Beep() override;
    std::optional<std::string> MazeNumberBox(const std::string& code,
                                             const std::string& entry) override;
};

// Each picture of a turn or step stays on the screen until the next animation frame.
class WebFramePacer final : public IFramePacer {
public:
    void WaitFrame() override;
};

// The ending's pauses: the player's input given meanwhile is dropped.
class WebPause final : public IPause {
public:
    explicit WebPause(CommandQueue& queue) : m_queue(queue) {}
    bool Pause(int milliseconds) override;

private:
    CommandQueue& m_queue;
};

// Links open in a new tab (mail links in the mail program).
class WebLinks final : public ILinkOpener {
public:
    void Open(const std::string& target) override;
};

// The browser's local storage, one key per text. A write that fails (full storage, a
// private window) keeps the old text and tells the player.
class LocalStore final : public ITextStore {
public:
    bool Exists(const std::string& name) override;
    std::optional<std::string> Read(const std::string& name) override;
    bool Write(const std::string& name, const std::string& text) override;
    bool Remove(const std::string& name) override;

    // The storage key a name is kept under.
    static std::string Key(const std::string& name);
};

// The music as the page plays it: the piece rendered at build time, looped by the page
// without a gap, so the watchdog never finds it stopped.
class WebMusicDevice final : public IMusicDevice {
public:
    DeviceResult Open(const std::string& path, const std::string& alias) override;
    DeviceResult PlayFromStart(const std::string& alias) override;
    DeviceResult Stop(const std::string& alias) override;
    DeviceResult Close(const std::string& alias) override;
    MusicStatus Status(const std::string& alias) override;

private:
    struct Piece {
        std::string name;
        bool playing = false;
    };
    std::map<std::string, Piece> m_open;
};

// Effects decoded and played by the page, one voice.
class WebEffectPlayer final : public IEffectPlayer {
public:
    std::optional<SoundId> Load(const std::string& path) override;
    void Play(SoundId sound) override;

private:
    std::map<SoundId, std::string> m_names;
};

}  // namespace kestrune::web
