// Form1, the game window: the view, the fourteen-button panel, the readouts, the clock and
// the menus. Its handlers forward to GameWindowLogic, which holds the game's rules.
#pragma once

#include <QMainWindow>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/windows.h"
#include "game/links.h"
#include "game/pause.h"
#include "navigation/game_window.h"
#include "navigation/game_window_logic.h"
#include "navigation/keys.h"
#include "text/catalogue.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QFrame;

namespace kestrune::ui {

class ViewWidget;
class ClearPanel;
class RankingWindow;
class MenuWindows;
class MapWindow;

// Everything the window needs from outside, wired in main().
struct GameWindowDeps {
    GameState& state;
    SettingsFile& settings;
    IRandom& random;
    IClock& clock;
    IMusic& music;
    ISoundEffects& effects;
    IDialogs& dialogs;
    IFramePacer& pacer;
    ILinkOpener& links;
    IPause& pause;
    std::string towerPath = "tower";
};

class GameWindow : public QMainWindow, public IGameWindow {
    Q_OBJECT
public:
    explicit GameWindow(GameWindowDeps deps);
    ~GameWindow() override;

    GameWindowLogic& logic() { return *m_logic; }

    // IGameWindow
    void SetCaption(const std::string& caption) override;
    void SetGoalCaption(const std::string& caption) override;
    ICanvas& ViewCanvas() override;
    void RefreshView() override;
    void SetDirectionReadout(const DirectionReadout& readout) override;
    void SetPositionCaption(const std::string& caption) override;
    int OuterWidthTwips() const override;
    void SetClockCaption(const std::string& caption) override;
    void SetClearPanelVisible(bool visible) override;
    void SetClearTimeCaption(const std::string& caption) override;
    void SetBusy(bool busy) override;
    void SetAnimationCheck(int index) override;
    void SetMakeMenuEnabled(bool enabled) override;
    std::string AutoCruiseCaption() const override;
    void SetAutoCruiseCaption(const std::string& caption) override;
    void SetTimer1Enabled(bool enabled) override;
    bool IsShown() const override;
    void ProcessPendingEvents() override;
    void Unload() override;
    void ShowRanking() override;
    bool ShowEnding() override;
    void SetLayout(LayoutKind layout) override;
    void SetMapShown(bool shown) override;
    ICanvas& MapCanvas(int width, int height) override;
    void RefreshMap() override;

    // Controls the tests and the end-to-end runs look at.
    QPushButton* rotButton(int index) const { return m_buttons.at("Rot" + std::to_string(index)); }
    QPushButton* aheadButton(int index) const {
        return m_buttons.at("Ahead" + std::to_string(index));
    }
    QLabel* houkouLabel(int index) const { return m_houkou[index]; }
    QLabel* positionLabel() const { return m_lblZahyou; }
    QLabel* goalLabel() const { return m_lblGoal; }
    QLabel* timeLabel() const { return m_lbltime; }
    QLabel* waitLabel() const { return m_lblWait; }
    QWidget* strip() const { return m_picture2; }
    QWidget* panel() const { return m_picCon; }
    ViewWidget* view() const { return m_picture1; }
    ClearPanel* clearPanel() const { return m_picClear; }
    QAction* animationAction(int index) const { return m_animation[index]; }
    QAction* restartAction() const { return m_mnuFMRe; }
    QAction* startAction() const { return m_actions.at("mnuFMStart"); }
    QAction* autoCruiseAction() const { return m_mnuAutoClouse; }
    QAction* hintAction() const { return m_actions.at("mnuSetDirection"); }
    QAction* zahyouAction() const { return m_mnuZahyou; }
    QAction* mapAction() const { return m_mnuMap; }
    MapWindow* mapWindow() const { return m_mapWindow; }
    QAction* rankingAction() const { return m_actions.at("mnuHRanking"); }
    QAction* keySettingsAction() const { return m_actions.at("mnuKeys"); }
    QMenu* makeMenu() const { return m_mnuFMJigen; }
    QAction* mazeNumberAction() const { return m_mnuMazeNumber; }
    QMenu* fileMenu() const { return m_mnuFile; }
    QMenu* dimensionMenu(int index) const {
        return m_menus.at("mnuDimension" + std::to_string(index));
    }
    QAction* levelAction(int dimIndex, int level) const {
        return m_actions.at("mnuLevel" + std::to_string(dimIndex) + std::to_string(level));
    }
    QAction* figureAction(int dimIndex, int figure) const {
        return m_actions.at("mnuFigure" + std::to_string(dimIndex) + std::to_string(figure));
    }
    MenuWindows& menuWindows() { return *m_windows; }

    QAction* languageAction(int index) const {
        return m_actions.at("mnuLanguage" + std::to_string(index));
    }

    // The strip's slide in and out.
    void mnuZahyou_Click();
    // "キー設定…": the key settings dialog; OK stores the keys.
    void mnuKeys_Click();
    // "日本語" / "English": the whole game in that language, at once and for later runs.
    void mnuLanguage_Click(text::Language language);
    // Lays the window out for its current size.
    void Form_Resize();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The controls and menus as the windows' description has them.
    void BuildControls();
    void BuildMenus();
    void AddMenuItems(QMenu* menu, const std::vector<forms::MenuItem>& items);
    // A command of a button or menu item.
    void RunCommand(int code, int argument);
    // Every fixed caption and menu text in the current language.
    void RetranslateUi();
    void RetranslateMenus(const std::vector<forms::MenuItem>& items);
    // Every described control at the design's places times scale, the client's from (x0, y0),
    // and its face times scale.
    void PlaceDescribed(double scale, int x0, int y0);
    // The fit layout: the whole design scaled to the window, the view drawn at its size.
    void ArrangeFit();
    // The clear panel and the wait label at scale times their design size.
    void ScaleBoxes(double scale);
    void FormUnloadOnce();
    void ShowKeyTooltips();
    QPushButton* PanelButton(int slot) const;
    // Carries out a keypad key's action, then takes the next waiting press once the key
    // events that came meanwhile are in.
    void Carry(KeypadKey key);

    GameWindowDeps m_deps;
    std::unique_ptr<GameWindowLogic> m_logic;

    QWidget* m_client = nullptr;
    ViewWidget* m_picture1 = nullptr;
    QWidget* m_picCon = nullptr;
    QWidget* m_picture2 = nullptr;
    QFrame* m_line1 = nullptr;
    ClearPanel* m_picClear = nullptr;
    // The described controls and menus by name.
    std::map<std::string, QWidget*> m_described;
    std::map<std::string, QPushButton*> m_buttons;
    std::map<std::string, QLabel*> m_labels;
    std::map<std::string, QMenu*> m_menus;
    std::map<std::string, QAction*> m_actions;
    QLabel* m_lblWait = nullptr;
    std::array<QLabel*, 7> m_houkou{};
    QLabel* m_lblZahyou = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_lblGoal = nullptr;
    QLabel* m_lbltime = nullptr;
    QLabel* m_label3 = nullptr;  // "を向いています。"
    QTimer* m_timer1 = nullptr;

    QMenu* m_mnuFile = nullptr;
    QMenu* m_mnuFMJigen = nullptr;
    QAction* m_mnuFMRe = nullptr;
    QAction* m_mnuMazeNumber = nullptr;
    QAction* m_mnuAutoClouse = nullptr;
    QAction* m_mnuZahyou = nullptr;
    QAction* m_mnuMap = nullptr;
    QAction* m_mnuFit = nullptr;
    LayoutKind m_layout = LayoutKind::Classic;
    double m_fontScale = 1;  // the panel's captions, by the layout
    int m_stripBottom = 0;   // where the strip rests in fit
    MapWindow* m_mapWindow = nullptr;
    bool m_mapWanted = false;  // shown once the game window shows
    std::array<QAction*, 8> m_animation{};

    std::unique_ptr<MenuWindows> m_windows;
    KeyPressQueue m_presses;
    bool m_nextPressPosted = false;
    bool m_unloaded = false;
    bool m_closed = false;
};

}  // namespace kestrune::ui
