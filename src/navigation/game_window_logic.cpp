#include "navigation/game_window_logic.h"

#include <cmath>
#include <utility>

#include "game/figures.h"
#include "game/maze.h"
#include "game/maze_code.h"
#include "game/numbers.h"
#include "game/tower_file.h"
#include "navigation/hint.h"
#include "navigation/keys.h"
#include "navigation/menu_texts.h"
#include "navigation/pose.h"
#include "navigation/records.h"
#include "render/canvas.h"
#include "render/plain_view.h"
#include "render/smooth_view.h"
#include "settings/language_setting.h"

namespace kestrune {

namespace {
Matrix4 Scaled(const Matrix4& m, int factor) {
    Matrix4 out{};
    for (int a = 0; a < 4; ++a)
        for (int p = 0; p < 4; ++p) out[a][p] = m[a][p] * factor;
    return out;
}
}  // namespace

std::string PracticeCaption(int dimIndex, int level) {
    const std::string dimension = std::to_string(dimIndex + 1);
    const std::string levelName = level >= 1 && level <= 4 ? text::Tr(kLevelNames[level]) : "";
    return text::Trf("{0}次元迷路：難易度 {1}", {dimension, levelName});
}

int AnimationIndexFromSetting(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    const bool numeric = end != text.c_str() && *end == '\0' && std::isfinite(value);
    const double level = numeric ? NearestEven(value) : 3.0;
    if (level < -1 || level > 6) return 4;
    return static_cast<int>(level) + 1;
}

GameWindowLogic::GameWindowLogic(GameState& state, IGameWindow& window, GameServices services)
    : m_state(state), m_window(window), m_services(std::move(services)) {}

void GameWindowLogic::Form_Load() {
    const std::string stored = m_services.settings.ReadSetting(kSettingsSection, "Animation", "3");
    mnuAnimation_Click(AnimationIndexFromSetting(stored));
    if (m_state.GameMode != kModePractice) m_window.SetMakeMenuEnabled(false);
    FillAngleTables(m_view);
    m_keys = LoadKeyBindings(m_services.settings);
    // Off unless the player left it on.
    m_mapShown = m_services.settings.ReadSetting(kSettingsSection, "Map", "0") == "1";
    m_window.SetMapShown(m_mapShown);
    m_layout = ReadLayout(m_services.settings, m_services.defaultLayout);
    m_window.SetLayout(m_layout);
}

void GameWindowLogic::Form_Unload() {
    m_services.settings.WriteSetting(kSettingsSection, "Animation",
                                     std::to_string(AnimationLevel()));
    m_services.music.StopMusic();
}

void GameWindowLogic::BuildFirstSpace() {
    ExpDirection();
    m_window.SetBusy(true);
    if (m_state.GameMode != kModePractice) {
        FillTowerBorder(m_state);
        MakeMaze(m_state, m_services.random, m_services.music, m_window);
        m_space = {SpaceTexts::Kind::Tower, m_state.DimIndex, m_state.TowerFloor, m_state.GoalPos};
        PlaceAtStartPose(m_state);
    } else {
        MakeFigure("Blank", m_state, m_services.music, m_window);
        m_space = {SpaceTexts::Kind::Figure, m_state.DimIndex, 0, {}};
    }
    ForgetExplored();
    DrawScreen();
    m_state.StartTime = m_services.clock.SecondsSinceMidnight();
    m_window.SetBusy(false);
    m_window.SetMazeCode(MazeCodeText());
}

void GameWindowLogic::DrawScreen() {
    ICanvas& canvas = m_window.ViewCanvas();
    canvas.Clear();
    if (NoAnimation()) {
        DrawPlainView(4);
    } else {
        SetSmoothMatrix(m_view, m_state.Orientation);
        SetViewGeometry(m_view, canvas.Width(), canvas.Height());
        DrawSmooth();
    }
    ExpDirection();
    ShowPosition();
    UpdateMap();
}

void GameWindowLogic::DrawPlainView(int depth) {
    m_services.music.Timer2_Timer();
    ICanvas& canvas = m_window.ViewCanvas();
    canvas.Clear();
    DrawLayer(depth, depth, m_state, canvas);
    m_window.RefreshView();
}

void GameWindowLogic::DrawSmooth() {
    // Before the first space exists the view stays as it is.
    if (m_state.MazeSpace[0] == 0) return;
    kestrune::DrawSmooth(m_state, m_view, m_window.ViewCanvas());
    m_window.RefreshView();
}

void GameWindowLogic::mnuAnimation_Click(int index) {
    m_animationIndex = index;
    m_window.SetAnimationCheck(index);
    DrawScreen();
}

void GameWindowLogic::Rot_Click(int index) {
    const Matrix4 next =
        RotatedOrientation(m_state.Orientation, DecodeRotation(m_state.RotationTable[index]));
    if (NoAnimation()) {
        m_state.Orientation = next;
        DrawPlainView(4);
    } else {
        const Matrix4 to = Scaled(next, 10000);
        const Matrix4 from = Scaled(m_state.Orientation, 10000);
        const int level = AnimationLevel();
        m_view.SmoothMatrix = from;
        for (int s = 1; s < (1 << level); ++s) {
            m_view.SmoothMatrix = TurnFrame(from, to, TurnAngle(s, level));
            DrawSmooth();
            m_services.pacer.WaitFrame();
        }
        m_view.SmoothMatrix = to;
        m_state.Orientation = next;
        DrawSmooth();
        m_services.pacer.WaitFrame();
    }
    m_services.effects.PlayEffect("Za.wav");
    ExpDirection();
    ShowPosition();
    UpdateMap();
}

void GameWindowLogic::Ahead_Click(int index) {
    const int sign = StepSign(index);
    const Vec4 target = StepTarget(m_state.PlayerPos, m_state.Orientation, sign);
    const int16_t code = m_state.MazeSpace[CellIndex(target)];
    if (code == CellWall || code == CellBorder) {
        m_services.effects.PlayEffect("dom.wav");
        return;
    }
    if (code == CellGoal) {
        GoalReached(target);
        return;
    }
    if (NoAnimation()) {
        m_state.PlayerPos = target;
        DrawPlainView(4);
    } else {
        const int level = AnimationLevel();
        m_view.SmoothMatrix = Scaled(m_state.Orientation, 10000);
        m_state.PlayerPos = target;
        for (int step = 1; step < (1 << level); ++step) {
            m_view.SmoothOffset = StepFrameOffset(m_state.Orientation, sign, step, level);
            DrawSmooth();
            m_services.pacer.WaitFrame();
        }
        m_view.SmoothOffset = {0, 0, 0, 0};
        DrawSmooth();
        m_services.pacer.WaitFrame();
    }
    m_services.effects.PlayEffect("Za.wav");
    ExpDirection();
    ShowPosition();
    UpdateMap();
}

void GameWindowLogic::Form_KeyDown(int keypadDigit, bool modified) {
    const auto action = KeypadAction(keypadDigit, modified);
    if (!action) return;
    if (action->kind == PanelAction::Kind::Step)
        Ahead_Click(action->index);
    else
        Rot_Click(action->index);
}

bool GameWindowLogic::KeyboardKeyDown(std::string_view keyName) {
    const auto keypad = m_keys.Lookup(keyName);
    if (keypad) Form_KeyDown(keypad->digit, keypad->modified);
    return keypad.has_value();
}

void GameWindowLogic::StoreKeys(const KeyBindings& keys) {
    m_keys = keys;
    StoreKeyBindings(m_services.settings, m_keys);
}

void GameWindowLogic::ExpDirection() {
    m_window.SetDirectionReadout(kestrune::ExpDirection(m_state));
}

void GameWindowLogic::ShowPosition() {
    m_window.SetPositionCaption(PositionCaption(m_state, m_window.OuterWidthTwips()));
}

double GameWindowLogic::Elapsed() {
    return ElapsedSeconds(m_state.StartTime, m_services.clock.SecondsSinceMidnight());
}

void GameWindowLogic::Timer1_Timer() {
    m_window.SetClockCaption(ClockText(Elapsed()));
}

void GameWindowLogic::SetDirToGoal() {
    const GoalDirection dir = ChooseGoalDirection(m_state);
    // One quarter or one half turn always faces the chosen cell; the bound only guards.
    for (int turns = 0; turns < 4 && !FacesGoalDirection(m_state, dir); ++turns) {
        const double r = FacesAway(m_state.Orientation, dir) ? m_services.random.Next() : 0.0;
        const HintTurn turn = NextHintTurn(m_state.Orientation, dir, r);
        Rot_Click(turn.index);
        if (turn.twice) Rot_Click(turn.index);
    }
}

bool GameWindowLogic::AutoCruising() const {
    return m_window.AutoCruiseCaption() == text::Tr(kAutoCruiseRunning);
}

void GameWindowLogic::mnuAutoClouse_Click() {
    if (m_window.AutoCruiseCaption() != text::Tr(kAutoCruiseIdle)) {
        m_window.SetAutoCruiseCaption(text::Tr(kAutoCruiseIdle));
        return;
    }
    m_window.SetAutoCruiseCaption(text::Tr(kAutoCruiseRunning));
    do {
        SetDirToGoal();
        Ahead_Click(0);
        m_window.ProcessPendingEvents();
    } while (AutoCruising());
    if (!m_window.IsShown()) m_window.Unload();
}

void GameWindowLogic::mnuFMMake_Click(int index) {
    m_window.SetTimer1Enabled(false);
    m_state.Difficulty = static_cast<int16_t>(2 * index - 1);
    mnuFMRe_Click();
}

void GameWindowLogic::mnuFMRe_Click() {
    m_window.SetBusy(true);
    MakeMaze(m_state, m_services.random, m_services.music, m_window,
             std::exchange(m_codeNumber, std::nullopt));
    const bool tower = m_state.GameMode != kModePractice;
    m_space = {tower ? SpaceTexts::Kind::Tower : SpaceTexts::Kind::Practice, m_state.DimIndex,
               tower ? m_state.TowerFloor : (m_state.Difficulty + 1) / 2, m_state.GoalPos};
    ForgetExplored();
    mnuFMStart_Click();
    DrawScreen();
    m_window.SetBusy(false);
    m_window.SetClearPanelVisible(false);
    if (!tower) {
        m_window.SetCaption(PracticeCaption(m_space.dimIndex, m_space.number));
        m_window.SetTimer1Enabled(true);
    }
    m_state.StartTime = m_services.clock.SecondsSinceMidnight();
    m_window.SetMazeCode(MazeCodeText());
}

void GameWindowLogic::mnuFMRe_Shortcut() {
    if (mnuFile_Click()) mnuFMRe_Click();
}

void GameWindowLogic::mnuFMStart_Click() {
    if (m_state.GameMode != kModePractice) {
        PlaceAtStartPose(m_state);
    } else {
        m_state.PlayerPos = {4, 4, 4, 4};
        m_state.Orientation = kIdentity;
    }
    DrawScreen();
}

void GameWindowLogic::mnuFZZukei_Click(int index) {
    m_window.SetBusy(true);
    m_window.SetTimer1Enabled(false);
    if (index == 0 || index == 1) {
        MakeFigure(index == 0 ? "Blank" : "Circle", m_state, m_services.music, m_window);
        m_space = {SpaceTexts::Kind::Figure, m_state.DimIndex, index, {}};
        ForgetExplored();
    }
    m_window.SetBusy(false);
    m_window.SetClearPanelVisible(false);
    m_window.SetTimer1Enabled(true);
    m_state.StartTime = m_services.clock.SecondsSinceMidnight();
    m_state.PlayerPos = {4, 4, 4, 4};
    m_state.Orientation = kIdentity;
    DrawScreen();
    m_window.SetMazeCode(MazeCodeText());
}

void GameWindowLogic::mnuMazeNumber_Click() {
    std::string entry;
    for (;;) {
        const auto typed = m_services.dialogs.MazeNumberBox(MazeCodeText(), entry);
        if (!typed || typed->find_first_not_of(" \t\r\n") == std::string::npos) return;
        if (OpenMazeCode(*typed)) return;
        entry = *typed;
    }
}

bool GameWindowLogic::OpenMazeCode(const std::string& typed) {
    const ParsedMazeCode parsed = ParseMazeCode(typed);
    std::string refusal;
    if (m_state.GameMode != kModePractice) {
        refusal = text::Tr("塔の中では、迷路番号の迷路は作れません。");
    } else if (parsed.error == MazeCodeError::Check) {
        refusal = text::Trf(
            "「{0}」は迷路番号として正しくありません。どこかの文字が違うか、隣り合う二つの文字が"
            "入れ替わっています。\n迷路は変わっていません。",
            {typed});
    } else if (parsed.error != MazeCodeError::None) {
        refusal = text::Trf(
            "「{0}」は迷路番号の形になっていません。迷路番号は「{1}」のように、次元、難易度"
            "（1〜4）、7桁の番号、確かめの数字を並べたものです。\n迷路は変わっていません。",
            {typed, FormatMazeCode({3, 3, 412345})});
    }
    if (!refusal.empty()) {
        m_services.dialogs.ShowMessage(refusal, text::Tr(captions::kMazeNumberTitle));
        // A link that named no maze: the address goes back to the maze being played.
        m_window.SetMazeCode(MazeCodeText());
        return false;
    }
    mnuFMJJigen_Click(parsed.code.dimIndex);
    m_codeNumber = parsed.code.number;
    mnuFMMake_Click(parsed.code.level);
    return true;
}

std::string GameWindowLogic::MazeCodeText() const {
    if (m_space.kind != SpaceTexts::Kind::Practice) return {};
    return FormatMazeCode({m_space.dimIndex, m_space.number, m_state.MazeNumber});
}

bool GameWindowLogic::mnuTowerRestart_Click() {
    if (!m_services.dialogs.AskYesNo(
            text::Tr("塔を1階からやり直しますか？\r\r保存されている塔の階は消えます。"
                     "ランキングの記録はそのまま残ります。"),
            "Kestrune"))
        return false;
    if (!m_services.store.Remove(m_services.towerPath)) {
        m_services.dialogs.ShowMessage(
            text::Trf("塔の記録ファイル「{0}」を消せませんでした。", {m_services.towerPath}),
            "Kestrune");
        return false;
    }
    if (m_state.GameMode == kModeTower) {
        SetNewTowerStart(m_state);
        mnuFMRe_Click();
    }
    return true;
}

void GameWindowLogic::picClear_Click() {
    m_window.SetClearPanelVisible(false);
}

void GameWindowLogic::mnuLanguage_Click(text::Language language) {
    const bool cruising = AutoCruising();
    StoreLanguage(m_services.settings, language);
    text::SetLanguage(language);
    m_window.SetAutoCruiseCaption(text::Tr(cruising ? kAutoCruiseRunning : kAutoCruiseIdle));
    RefreshTexts();
}

void GameWindowLogic::ShowMap(bool shown) {
    m_mapShown = shown;
    m_services.settings.WriteSetting(kSettingsSection, "Map", shown ? "1" : "0");
    m_window.SetMapShown(shown);
    // The window's surface may be new or may have been drawn over meanwhile.
    m_mapView.Invalidate();
    DrawMap();
}

void GameWindowLogic::mnuFit_Click() {
    m_layout = m_layout == LayoutKind::Fit ? LayoutKind::Classic : LayoutKind::Fit;
    StoreLayout(m_services.settings, m_layout);
    m_window.SetLayout(m_layout);
}

void GameWindowLogic::ForgetExplored() {
    m_explored.Clear(SpaceDimension(m_state));
}

void GameWindowLogic::UpdateMap() {
    m_explored.Visit(m_state);
    DrawMap();
}

void GameWindowLogic::DrawMap() {
    if (!m_mapShown) return;
    const MapLayout layout = MapLayoutFor(m_explored.Dimension());
    m_mapView.Draw(m_state, m_explored, m_window.MapCanvas(layout.width, layout.height));
    m_window.RefreshMap();
}

void GameWindowLogic::RefreshTexts() {
    switch (m_space.kind) {
        case SpaceTexts::Kind::None:
            break;
        case SpaceTexts::Kind::Tower:
            m_window.SetCaption(TowerCaption(m_space.number));
            m_window.SetGoalCaption(GoalCaption(m_space.goal));
            break;
        case SpaceTexts::Kind::Practice:
            m_window.SetCaption(PracticeCaption(m_space.dimIndex, m_space.number));
            m_window.SetGoalCaption(GoalCaption(m_space.goal));
            break;
        case SpaceTexts::Kind::Figure:
            m_window.SetCaption(FigureCaption(m_space.dimIndex, m_space.number));
            m_window.SetGoalCaption(NoGoalCaption());
            break;
    }
    if (m_clearElapsed) m_window.SetClearTimeCaption(ClearTimeCaption(*m_clearElapsed));
    ExpDirection();
    ShowPosition();
}

RecordSlot GameWindowLogic::PlayedSlot() const {
    // Browsing "作成" > dimension moves DimIndex on (F6 builds the browsed dimension), but the
    // clear belongs to the maze as it was built.
    if (m_space.kind == SpaceTexts::Kind::Practice) return {m_space.dimIndex, m_space.number - 1};
    return {m_state.DimIndex, RecordLevel(m_state.Difficulty)};
}

void GameWindowLogic::ClearHandling() {
    m_window.SetClearPanelVisible(true);
    const double elapsed = Elapsed();
    m_clearElapsed = elapsed;
    m_window.SetClearTimeCaption(ClearTimeCaption(elapsed));
    m_services.music.StopMusic();
    m_services.dialogs.Beep();
    const ClearCheck check = CheckClearRecord(m_services.settings, PlayedSlot(), elapsed);
    if (!check.isRecord) return;
    const std::string name = m_services.dialogs.InputBox(check.prompt, text::Tr(kNamePromptTitle));
    // An unsaved record stays for this run (later clears compare with it, the ranking shows
    // it), so the player hears of it once, not at every step into the goal.
    if (!StoreRecordName(m_services.settings, check, name) && !m_toldUnsavedRecord) {
        m_toldUnsavedRecord = true;
        m_services.dialogs.ShowMessage(UnsavedRecordMessage(m_services.settings.SettingsPath()),
                                       "Kestrune");
    }
    m_window.ShowRanking();
}

void GameWindowLogic::GoalReached(const Vec4& target) {
    if (m_state.GameMode == kModePractice) {
        ClearHandling();
        return;
    }
    if (AutoCruising()) {
        // Auto cruise climbs at once: no question, no ending, no file.
        RecordClimb(target);
        EnterNextFloor(target);
        return;
    }
    if (m_state.TowerFloor == 99 && !m_window.ShowEnding()) return;
    if (!m_services.dialogs.AskYesNo(text::Tr("次の階へ向かう階段がある。\r\r登りますか？"),
                                     "Kestrune")) {
        m_window.SetClearPanelVisible(false);
        return;
    }
    RecordClimb(target);
    if (!WriteTowerFile(m_services.store, m_services.towerPath, m_state)) {
        // The climb goes on; the player learns that the progress was not saved.
        // One sentence a line: the box would otherwise wrap the message inside a word.
        m_services.dialogs.ShowMessage(
            text::Trf(
                "塔の記録ファイル「{0}」に書き込めませんでした。\nこの階からの再開はできません。",
                {m_services.towerPath}),
            "Kestrune");
    }
    EnterNextFloor(target);
}

void GameWindowLogic::RecordClimb(const Vec4& target) {
    // The highest floor a 16-bit floor number holds is also the last one.
    if (m_state.TowerFloor < 32767) ++m_state.TowerFloor;
    for (int k = 0; k < 4; ++k) m_state.StartPose[0][k] = static_cast<int16_t>(target[k]);
    for (int a = 0; a < 4; ++a)
        for (int p = 0; p < 4; ++p)
            m_state.StartPose[a + 1][p] = static_cast<int16_t>(m_state.Orientation[a][p]);
}

void GameWindowLogic::EnterNextFloor(const Vec4& target) {
    mnuFMRe_Click();
    m_state.PlayerPos = target;
    DrawScreen();
}

}  // namespace kestrune
