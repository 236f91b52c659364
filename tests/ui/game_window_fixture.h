// A game window on the offscreen platform with scripted services, for the window tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "game/files.h"
#include "test_support.h"
#include "ui/game_window.h"

namespace kestrune::ui::test_fixture {

class NoPause final : public IPause {
public:
    bool Pause(int) override { return true; }
};

class GameWindowFixture : public ::testing::Test {
protected:
    test::TempDir dir;
    std::unique_ptr<GameState> state = test::MakeState();
    SettingsFile settings;
    test::ScriptedRandom random;
    test::FakeClock clock;
    test::RecordingMusic music;
    test::RecordingEffects effects;
    test::ScriptedDialogs dialogs;
    test::RecordingPacer pacer;
    test::RecordingLinkOpener links;
    NoPause pause;
    std::unique_ptr<GameWindow> window;

    // The window as the program opens it after the title choice.
    void Open(int16_t mode = kModePractice, const char* animation = nullptr) {
        settings.LocateSettingsFile(dir.path());
        if (animation) settings.WriteSetting(kSettingsSection, "Animation", animation);
        PrepareStartup(*state);
        state->GameMode = mode;
        if (mode == kModeTower) SetNewTowerStart(*state);
        window = std::make_unique<GameWindow>(GameWindowDeps{*state, settings, random, clock, music,
                                                             effects, dialogs, pacer, links, pause,
                                                             dir.file("tower")});
        window->show();
        window->logic().BuildFirstSpace();
    }
};

}  // namespace kestrune::ui::test_fixture
