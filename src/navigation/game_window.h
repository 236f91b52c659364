// What the game's rules need from the game window and the platform, as small interfaces:
// the Qt window implements them, the tests script them.
#pragma once

#include <optional>
#include <string>

#include "game/window_texts.h"
#include "navigation/readouts.h"
#include "settings/layout_setting.h"

namespace kestrune {

class ICanvas;

// The game window (its controls, menus and timers) as the game logic sees it.
class IGameWindow : public IWindowTexts {
public:
    // The view picture box: its drawing surface and showing it on the screen at once.
    virtual ICanvas& ViewCanvas() = 0;
    virtual void RefreshView() = 0;

    virtual void SetDirectionReadout(const DirectionReadout& readout) = 0;
    virtual void SetPositionCaption(const std::string& caption) = 0;  // lblZahyou(0)
    virtual int OuterWidthTwips() const = 0;
    virtual void SetClockCaption(const std::string& caption) = 0;  // lbltime

    virtual void SetClearPanelVisible(bool visible) = 0;               // picClear
    virtual void SetClearTimeCaption(const std::string& caption) = 0;  // Label5(1)
    // Hourglass pointer and the "Please Wait" label, drawn at once when shown.
    virtual void SetBusy(bool busy) = 0;

    virtual void SetAnimationCheck(int index) = 0;      // the one checked item of mnuAnimation
    virtual void SetMakeMenuEnabled(bool enabled) = 0;  // mnuFMJigen
    virtual std::string AutoCruiseCaption() const = 0;  // "" once the window is closed
    virtual void SetAutoCruiseCaption(const std::string& caption) = 0;
    virtual void SetTimer1Enabled(bool enabled) = 0;

    virtual bool IsShown() const = 0;
    virtual void ProcessPendingEvents() = 0;
    virtual void Unload() = 0;

    virtual void ShowRanking() = 0;  // the ranking window's load: re-read and show
    // The map window: shown or hidden with the check mark of its menu item; its drawing
    // surface, given the size the map needs; showing what was drawn at once.
    virtual void SetMapShown(bool shown) = 0;
    virtual ICanvas& MapCanvas(int width, int height) = 0;
    virtual void RefreshMap() = 0;
    // The tower ending; returns when it is over, false when the window closed meanwhile.
    virtual bool ShowEnding() = 0;

    // The code of the practice maze being played, empty when there is none. Only a shell
    // with an address to show it in (the browser's) needs it.
    virtual void SetMazeCode(const std::string& /*code*/) {}
    // The window arranged classic or fit, with the check mark of "画面に合わせる".
    virtual void SetLayout(LayoutKind /*layout*/) {}
};

// Modal boxes and the beep.
class IDialogs {
public:
    virtual ~IDialogs() = default;
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
    // The typed text, or the empty text when cancelled.
    virtual std::string InputBox(const std::string& prompt, const std::string& title) = 0;
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    virtual void Beep() = 0;
    // "迷路番号…": shows `code` (empty: the space has none) for copying, with an entry field
    // starting with `entry`. The code the player typed to build, or nothing when closed.
    virtual std::optional<std::string> MazeNumberBox(const std::string& code,
                                                     const std::string& entry) = 0;
};

// Keeps each picture of a turn or step on the screen for one refresh period.
class IFramePacer {
public:
    virtual ~IFramePacer() = default;
    virtual void WaitFrame() = 0;
};

}  // namespace kestrune
