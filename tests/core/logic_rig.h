// The game window's rules over scripted services: a fresh state in practice mode, settings in
// a directory of their own. Fixtures derive from it and build the logic when they need it.
#pragma once

#include <memory>

#include "core/fake_game_window.h"
#include "game/game_state.h"
#include "navigation/game_window_logic.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace kestrune::test {

struct LogicRig {
    TempDir dir;
    std::unique_ptr<GameState> state = MakeState();
    FakeGameWindow window;
    ScriptedRandom random;
    FakeClock clock;
    RecordingMusic music;
    RecordingEffects effects;
    SettingsFile settings;
    ScriptedDialogs dialogs;
    RecordingPacer pacer;

    LogicRig() {
        settings.LocateSettingsFile(dir.path());
        PrepareStartup(*state);
        state->GameMode = kModePractice;
    }
    std::unique_ptr<GameWindowLogic> MakeLogic() {
        return std::make_unique<GameWindowLogic>(
            *state, window,
            GameServices{random, clock, music, effects, settings, dialogs, pacer,
                         dir.file("tower")});
    }
};

}  // namespace kestrune::test
