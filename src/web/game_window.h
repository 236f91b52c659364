// Form1 in the browser: the page shows the controls, this class keeps what the game logic
// asks of the window and lays the page out with the desktop's arithmetic.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "game/links.h"
#include "game/pause.h"
#include "navigation/ending.h"
#include "navigation/game_window.h"
#include "navigation/game_window_logic.h"
#include "render/pixel_canvas.h"
#include "text/catalogue.h"

namespace kestrune::web {

// Runs what the page has queued meanwhile: the app's command loop.
class ICommandRunner {
public:
    virtual ~ICommandRunner() = default;
    virtual void RunQueuedCommands() = 0;
};

struct WebWindowDeps {
    GameState& state;
    SettingsFile& settings;
    GameServices services;
    ILinkOpener& links;
    IPause& pause;
    IMusic& music;
    ICommandRunner& commands;
};

class WebGameWindow final : public IGameWindow, private IEndingPanel {
public:
    explicit WebGameWindow(WebWindowDeps deps);

    GameWindowLogic& logic() { return *m_logic; }
    const BufferCanvas& canvas() const { return m_canvas; }

    // IGameWindow
    void SetCaption(const std::string& caption) override;
    void SetGoalCaption(const std::string& caption) override;
    ICanvas& ViewCanvas() override { return m_canvas; }
    void RefreshView() override;
    void SetDirectionReadout(const DirectionReadout& readout) override;
    void SetPositionCaption(const std::string& caption) override;
    int OuterWidthTwips() const override { return m_outerWidthTwips; }
    void SetClockCaption(const std::string& caption) override;
    void SetClearPanelVisible(bool visible) override;
    void SetClearTimeCaption(const std::string& caption) override;
    void SetBusy(bool busy) override;
    void SetAnimationCheck(int index) override;
    void SetMakeMenuEnabled(bool enabled) override;
    std::string AutoCruiseCaption() const override { return m_autoCruiseCaption; }
    void SetAutoCruiseCaption(const std::string& caption) override;
    void SetTimer1Enabled(bool enabled) override;
    bool IsShown() const override { return true; }
    void ProcessPendingEvents() override;
    void Unload() override;
    void ShowRanking() override;
    bool ShowEnding() override;
    // The page's address carries the maze's link, so that copying it shares the maze.
    void SetMazeCode(const std::string& code) override;
    void SetMapShown(bool shown) override;
    // Arranges the page again, classic or fit.
    void SetLayout(LayoutKind layout) override;
    ICanvas& MapCanvas(int width, int height) override;
    void RefreshMap() override;
    const BufferCanvas& mapCanvas() const { return m_mapCanvas; }

    // Lays the page out for the browser window's size and redraws.
    void Form_Resize();
    // "座標を見る": the strip's slide out and back in.
    void mnuZahyou_Click();
    // "ランキング表" and "バージョン情報": an open window comes to the front as it is, neither
    // re-read nor rebuilt; a closed one is built.
    void OpenRanking();
    void OpenVersion();
    void OpenHelp();
    // Once, when the page goes away: the window's unload.
    void FormUnloadOnce();
    bool Timer1Enabled() const { return m_timer1; }

    // "日本語" / "English": the rules say their texts again, then every window its captions.
    void mnuLanguage_Click(text::Language language);
    // The window's own captions, the panel's tooltips and the open windows in the current
    // language.
    void RetranslateUi();
    // The panel buttons' tooltips name both keys of each action.
    void ShowKeyTooltips();
    // "キー設定…": the page's dialog edits a copy of the keys; OK stores it.
    void mnuKeys_Click();
    // The dialog's side in the game while it is open: its description with the keys as they
    // stand, a key pressed in a slot's field, the default layout. Each returns JSON.
    std::string BeginKeySettings();
    std::string OfferKey(int slot, std::string_view key, std::string_view code, int modifiers);
    std::string KeyDefaults();
    // One command of the page (web/commands.h); false when it is not the window's.
    bool RunCommand(int code, int argument);

private:
    // IEndingPanel: the clear panel's lines, kept here as the desktop's labels keep them.
    void CreateLine(int index) override;
    void SetLineVisible(int index, bool visible) override;
    int LineTop(int index) const override;
    int LineHeight(int index) const override;
    void SetLineTop(int index, int top) override;
    void SetLineFontSize(int index, double points) override;
    void SetLineText(int index, const std::string& text) override;
    void SetEndingHeight(int height) override;
    void SetEndingTop(int top) override;
    void ShowPanel() override;
    void RepaintPanel() override;

    void BuildVersion();
    // Form_Resize in the fit layout.
    void FitResize(const double* viewport);

    WebWindowDeps m_deps;
    std::unique_ptr<GameWindowLogic> m_logic;
    BufferCanvas m_canvas{1, 1, PixelFormat::Rgba8};
    BufferCanvas m_mapCanvas{1, 1, PixelFormat::Rgba8};
    int m_outerWidthTwips = 8610;
    double m_clientHeightPx = 441;
    double m_stripHeightPx = 25;
    bool m_stripShown = true;
    LayoutKind m_layout = LayoutKind::Classic;
    std::string m_autoCruiseCaption;
    bool m_timer1 = true;
    bool m_unloaded = false;
    bool m_clearTimeShown = false;  // Label5(1) holds the game's clear time
    bool m_ending = false;          // the clear panel holds the ending's lines
    KeyBindings m_keyDraft;         // the key settings dialog's copy
    std::array<int, kEndingLineCount> m_lineTop{};
    std::array<bool, kEndingLineCount> m_lineCreated{};
};

}  // namespace kestrune::web
