// The game window's rules: turning, stepping, redraws, new games, the goal, hint and
// auto cruise. The Qt window forwards its events here and shows what this decides.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "game/game_state.h"
#include "game/services.h"
#include "game/text_store.h"
#include "media/audio.h"
#include "navigation/explored.h"
#include "navigation/game_window.h"
#include "navigation/key_bindings.h"
#include "navigation/records.h"
#include "render/map_view.h"
#include "render/view_state.h"
#include "settings/layout_setting.h"
#include "settings/settings_file.h"
#include "text/catalogue.h"

namespace kestrune {

// Source texts: the window shows them through text::Tr.
inline constexpr const char* kAutoCruiseIdle = text::TrMark("オートクルーズ");
inline constexpr const char* kAutoCruiseRunning = text::TrMark("オートクルーズ停止");
inline constexpr const char* kLevelNames[5] = {"", text::TrMark("初級"), text::TrMark("中級"),
                                               text::TrMark("上級"), text::TrMark("特級")};

// The caption of a practice maze of dimension dimIndex + 1 and level 1..4.
std::string PracticeCaption(int dimIndex, int level);

struct GameServices {
    IRandom& random;
    IClock& clock;
    IMusic& music;
    ISoundEffects& effects;
    SettingsFile& settings;
    IDialogs& dialogs;
    IFramePacer& pacer;
    std::string towerPath = "tower";
    // Where the tower progress is kept under towerPath.
    ITextStore& store = Files();
    // The layout until the player chooses: the desktop's is the design's, the browser's fits
    // whatever screen it is on.
    LayoutKind defaultLayout = LayoutKind::Classic;
};

class GameWindowLogic {
public:
    GameWindowLogic(GameState& state, IGameWindow& window, GameServices services);

    // Window load and unload: the animation setting, the angle tables, the tower's menus.
    void Form_Load();
    void Form_Unload();
    // After the title window: build the first space, draw it and start the clock.
    void BuildFirstSpace();

    void DrawScreen();
    void DrawPlainView(int depth);
    void DrawSmooth();
    void mnuAnimation_Click(int index);

    void Rot_Click(int index);
    void Ahead_Click(int index);
    // A keypad digit 0..9 with or without a modifier.
    void Form_KeyDown(int keypadDigit, bool modified);
    // A main-keyboard key by name (see key_bindings.h): runs as the keypad key it stands in
    // for. False when no action holds it.
    bool KeyboardKeyDown(std::string_view keyName);
    void ExpDirection();
    void ShowPosition();
    void Timer1_Timer();

    void SetDirToGoal();
    void mnuSetDirection_Click() { SetDirToGoal(); }
    void mnuAutoClouse_Click();

    // True when "同じ条件でもう一度" is to be enabled as the menu opens.
    bool mnuFile_Click() const { return m_state.Difficulty != 0; }
    void mnuFMJJigen_Click(int index) { m_state.DimIndex = static_cast<int16_t>(index); }
    void mnuFMMake_Click(int index);
    void mnuFMRe_Click();
    // The F6 shortcut obeys the menu's rule: nothing before the first maze.
    void mnuFMRe_Shortcut();
    void mnuFMStart_Click();
    void mnuFZZukei_Click(int index);
    // "迷路番号…": the box with the current maze's code; a code typed there builds its maze,
    // a bad one is told and the box opens again with it.
    void mnuMazeNumber_Click();
    // Builds the practice maze of a code (typed, or a link) as the level menus build one:
    // its dimension and level, then its number. A code that names no maze is told to the
    // player and changes nothing: false then.
    bool OpenMazeCode(const std::string& typed);
    // The code of the practice maze being played; empty in a figure space, in the tower and
    // before the first maze.
    std::string MazeCodeText() const;
    // "塔を1階からやり直す…": after the player confirms, the stored tower progress is removed
    // (the records stay), and a tower being played starts again on floor 1. False when
    // nothing changed (declined, or the progress could not be removed).
    bool mnuTowerRestart_Click();
    void picClear_Click();
    // The language items: stores the choice and says every text the rules made again in the
    // new language, without touching the game. The window retranslates its own texts.
    void mnuLanguage_Click(text::Language language);

    // "地図": the map window on or off, remembered in the settings file. Closing the window
    // turns it off as well.
    void mnuMap_Click() { ShowMap(!m_mapShown); }
    void ShowMap(bool shown);
    bool MapShown() const { return m_mapShown; }
    const ExploredCells& Explored() const { return m_explored; }

    // "画面に合わせる": the fit layout on or off, remembered in the settings file.
    void mnuFit_Click();
    LayoutKind Layout() const { return m_layout; }

    // The main-keyboard keys, read at load; storing also writes them to the settings file.
    const KeyBindings& Keys() const { return m_keys; }
    void StoreKeys(const KeyBindings& keys);

    int AnimationIndex() const { return m_animationIndex; }
    int AnimationLevel() const { return m_animationIndex - 1; }
    bool NoAnimation() const { return m_animationIndex == 0; }
    ViewState& View() { return m_view; }
    const GameState& State() const { return m_state; }

private:
    // What the caption and the goal readout describe, to say them again in another language.
    struct SpaceTexts {
        enum class Kind { None, Tower, Practice, Figure } kind = Kind::None;
        int dimIndex = 0;
        int number = 0;  // the floor, the level or the figure
        std::array<int16_t, 4> goal{};
    };

    void RefreshTexts();
    // A new space: the map forgets what was met.
    void ForgetExplored();
    // After a step, a turn or a redraw: what the player meets now, and the map redrawn.
    void UpdateMap();
    void DrawMap();
    bool AutoCruising() const;
    void GoalReached(const Vec4& target);
    void ClearHandling();
    RecordSlot PlayedSlot() const;
    void RecordClimb(const Vec4& target);
    void EnterNextFloor(const Vec4& target);
    double Elapsed();

    GameState& m_state;
    IGameWindow& m_window;
    GameServices m_services;
    ViewState m_view{};
    int m_animationIndex = 4;
    KeyBindings m_keys;
    bool m_toldUnsavedRecord = false;
    SpaceTexts m_space;
    std::optional<double> m_clearElapsed;  // the clear time the clear panel shows
    std::optional<int32_t> m_codeNumber;   // the number the next maze is built from
    ExploredCells m_explored;
    MapView m_mapView;
    bool m_mapShown = false;
    LayoutKind m_layout = LayoutKind::Classic;
};

// The stored "Animation" text as a menu index 0..7: a whole number -1..6 plus one; any
// other text reads as the default 3.
int AnimationIndexFromSetting(const std::string& text);

}  // namespace kestrune
