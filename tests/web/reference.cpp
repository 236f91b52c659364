// Pictures of the native core for the browser tests: the same game-window logic and the same
// rasterizer as the browser build, writing RGBA bytes as the page's canvas holds them.
//
// Usage: kestrune_web_reference WIDTH HEIGHT practice|tower [COMMAND...] > picture.rgba
//        kestrune_web_reference map practice|tower [COMMAND...] > map.rgba
//        kestrune_web_reference next-to-goal FLOOR > tower
// Commands, in order: R<i> Rot_Click(i), A<i> Ahead_Click(i), N<i> the animation setting i,
// C<code> the maze of a maze number, M the map turned on or off. The second form writes the
// map's pixels instead of the view's; the third the tower text that starts FLOOR one step
// before its staircase, facing it.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "game/game_state.h"
#include "game/maze.h"
#include "game/services.h"
#include "game/tower_file.h"
#include "media/music.h"
#include "navigation/game_window_logic.h"
#include "render/pixel_canvas.h"
#include "settings/settings_file.h"

namespace kestrune {
namespace {

class MemoryStore final : public ITextStore {
public:
    bool Exists(const std::string& name) override { return m_texts.count(name) != 0; }
    std::optional<std::string> Read(const std::string& name) override {
        auto it = m_texts.find(name);
        if (it == m_texts.end()) return std::nullopt;
        return it->second;
    }
    bool Write(const std::string& name, const std::string& text) override {
        m_texts[name] = text;
        return true;
    }
    bool Remove(const std::string& name) override { return m_texts.erase(name), true; }

private:
    std::map<std::string, std::string> m_texts;
};

class PictureWindow final : public IGameWindow {
public:
    PictureWindow(int width, int height) : canvas(width, height, PixelFormat::Rgba8) {}
    BufferCanvas canvas;
    void SetCaption(const std::string&) override {}
    void SetGoalCaption(const std::string&) override {}
    ICanvas& ViewCanvas() override { return canvas; }
    void RefreshView() override {}
    void SetDirectionReadout(const DirectionReadout&) override {}
    void SetPositionCaption(const std::string&) override {}
    int OuterWidthTwips() const override { return 12000; }
    void SetClockCaption(const std::string&) override {}
    void SetClearPanelVisible(bool) override {}
    void SetClearTimeCaption(const std::string&) override {}
    void SetBusy(bool) override {}
    void SetAnimationCheck(int) override {}
    void SetMakeMenuEnabled(bool) override {}
    std::string AutoCruiseCaption() const override { return kAutoCruiseIdle; }
    void SetAutoCruiseCaption(const std::string&) override {}
    void SetTimer1Enabled(bool) override {}
    bool IsShown() const override { return true; }
    void ProcessPendingEvents() override {}
    void Unload() override {}
    void ShowRanking() override {}
    bool ShowEnding() override { return true; }
    BufferCanvas mapCanvas{1, 1, PixelFormat::Rgba8};
    void SetMapShown(bool) override {}
    ICanvas& MapCanvas(int w, int h) override {
        if (w != mapCanvas.Width() || h != mapCanvas.Height()) mapCanvas.Resize(w, h);
        return mapCanvas;
    }
    void RefreshMap() override {}
};

class NoDialogs final : public IDialogs {
public:
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::string InputBox(const std::string&, const std::string&) override { return {}; }
    void ShowMessage(const std::string&, const std::string&) override {}
    void Beep() override {}
    std::optional<std::string> MazeNumberBox(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};
class NoPacing final : public IFramePacer {
public:
    void WaitFrame() override {}
};
class NoEffects final : public ISoundEffects {
public:
    void PlayEffect(const std::string&) override {}
};

// The floor's staircase is where the floor's number puts it, wherever the floor is entered.
int NextToGoal(int floor) {
    auto state = std::make_unique<GameState>();
    PrepareStartup(*state);
    state->GameMode = kModeTower;
    SetNewTowerStart(*state);
    state->TowerFloor = static_cast<int16_t>(floor);
    StandardRandom random;
    NullMusicDevice device;
    Music music(device, ".", "");
    PictureWindow texts(1, 1);
    FillTowerBorder(*state);
    MakeMaze(*state, random, music, texts);
    // One cell before the goal along x, facing it: from the +x side the view turns half round.
    const bool fromPlus = state->GoalPos[0] < 16;
    state->StartPose[0] = state->GoalPos;
    state->StartPose[0][0] = static_cast<int16_t>(state->GoalPos[0] + (fromPlus ? 1 : -1));
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            state->StartPose[i + 1][j] =
                static_cast<int16_t>(i != j ? 0 : (fromPlus && i < 2 ? -1 : 1));
    const std::string text = TowerText(*state);
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}

int Run(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "next-to-goal") return NextToGoal(std::atoi(argv[2]));
    const bool map = argc >= 2 && std::string(argv[1]) == "map";
    // The map form has no view size: the view is the design's.
    const int first = map ? 3 : 4;
    if (argc < first) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT|map practice|tower [COMMAND...]\n", argv[0]);
        return 2;
    }
    const int width = map ? 445 : std::atoi(argv[1]);
    const int height = map ? 441 : std::atoi(argv[2]);
    const std::string mode = argv[first - 1];
    auto state = std::make_unique<GameState>();
    MemoryStore store;
    SettingsFile settings(store);
    settings.SetSettingsPath(kSettingsFileName);
    PrepareStartup(*state);
    if (mode == "tower") {
        state->GameMode = kModeTower;
        ReadTowerFile(store, kTowerFileName, *state);
    } else {
        state->GameMode = kModePractice;
    }
    StandardRandom random;
    SystemClock clock;
    NullMusicDevice device;
    Music music(device, ".", "");
    NoEffects effects;
    NoDialogs dialogs;
    NoPacing pacer;
    PictureWindow window(width, height);
    GameWindowLogic logic(*state, window,
                          GameServices{random, clock, music, effects, settings, dialogs, pacer,
                                       kTowerFileName, store});
    logic.Form_Load();
    logic.BuildFirstSpace();
    for (int i = first; i < argc; ++i) {
        const std::string command = argv[i];
        const int n = std::atoi(command.c_str() + 1);
        if (command[0] == 'R')
            logic.Rot_Click(n);
        else if (command[0] == 'A')
            logic.Ahead_Click(n);
        else if (command[0] == 'N')
            logic.mnuAnimation_Click(n);
        else if (command[0] == 'C')
            logic.OpenMazeCode(command.substr(1));
        else if (command[0] == 'M')
            logic.mnuMap_Click();
    }
    const BufferCanvas& picture = map ? window.mapCanvas : window.canvas;
    const size_t bytes =
        static_cast<size_t>(picture.Width()) * static_cast<size_t>(picture.Height()) * 4;
    return std::fwrite(picture.Data(), 1, bytes, stdout) == bytes ? 0 : 1;
}

}  // namespace
}  // namespace kestrune

int main(int argc, char** argv) {
    return kestrune::Run(argc, argv);
}
