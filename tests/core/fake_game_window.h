// A scripted game window, dialogs and pacer for the game-rule tests.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "navigation/game_window.h"
#include "render/canvas.h"
#include "render/pixel_canvas.h"

namespace kestrune::test {

// Counts what is drawn; keeps no pixels.
class CountingCanvas final : public ICanvas {
public:
    int width = 445, height = 441;
    int clears = 0, polygons = 0, rectangles = 0;
    Colour fill = 0;
    int Width() const override { return width; }
    int Height() const override { return height; }
    void Clear() override { ++clears; }
    void SetFillColour(Colour c) override { fill = c; }
    Colour FillColour() const override { return fill; }
    void SetPenColour(Colour) override {}
    void Polygon(const Quad&) override { ++polygons; }
    void Rectangle(int, int, int, int) override { ++rectangles; }
};

class FakeGameWindow final : public IGameWindow {
public:
    CountingCanvas canvas;
    std::string caption, goalCaption, positionCaption, clockCaption, clearTimeCaption;
    DirectionReadout readout;
    int refreshes = 0, outerWidthTwips = 8610 + 120, animationCheck = -1, rankingShows = 0,
        endings = 0, unloads = 0, eventPumps = 0;
    bool clearVisible = false, busy = false, makeMenuEnabled = true, timer1 = true, shown = true;
    std::string autoCruiseCaption = "オートクルーズ";
    std::string mazeCode = "(never set)";
    std::vector<bool> busyHistory;
    std::function<void()> onProcessEvents;

    void SetCaption(const std::string& c) override { caption = c; }
    void SetGoalCaption(const std::string& c) override { goalCaption = c; }
    ICanvas& ViewCanvas() override { return canvas; }
    void RefreshView() override { ++refreshes; }
    void SetDirectionReadout(const DirectionReadout& r) override { readout = r; }
    void SetPositionCaption(const std::string& c) override { positionCaption = c; }
    int OuterWidthTwips() const override { return outerWidthTwips; }
    void SetClockCaption(const std::string& c) override { clockCaption = c; }
    void SetClearPanelVisible(bool v) override { clearVisible = v; }
    void SetClearTimeCaption(const std::string& c) override { clearTimeCaption = c; }
    void SetBusy(bool b) override {
        busy = b;
        busyHistory.push_back(b);
    }
    void SetAnimationCheck(int index) override { animationCheck = index; }
    void SetMakeMenuEnabled(bool e) override { makeMenuEnabled = e; }
    std::string AutoCruiseCaption() const override { return shown ? autoCruiseCaption : ""; }
    void SetAutoCruiseCaption(const std::string& c) override { autoCruiseCaption = c; }
    void SetTimer1Enabled(bool e) override { timer1 = e; }
    bool IsShown() const override { return shown; }
    void ProcessPendingEvents() override {
        ++eventPumps;
        if (onProcessEvents) onProcessEvents();
    }
    void Unload() override { ++unloads; }
    void ShowRanking() override { ++rankingShows; }
    bool ShowEnding() override {
        ++endings;
        return true;
    }
    void SetMazeCode(const std::string& code) override { mazeCode = code; }
    // The map window keeps its pixels, as both shells do.
    BufferCanvas mapCanvas{1, 1, PixelFormat::Xrgb32};
    bool mapShown = false;
    int mapRefreshes = 0;
    void SetMapShown(bool s) override { mapShown = s; }
    ICanvas& MapCanvas(int w, int h) override {
        if (w != mapCanvas.Width() || h != mapCanvas.Height()) mapCanvas.Resize(w, h);
        return mapCanvas;
    }
    void RefreshMap() override { ++mapRefreshes; }
    std::optional<LayoutKind> layout;
    void SetLayout(LayoutKind l) override { layout = l; }
};

class ScriptedDialogs final : public IDialogs {
public:
    std::deque<bool> answers;
    std::deque<std::string> names;
    std::vector<std::string> asked, prompts, messages;
    int beeps = 0;
    bool AskYesNo(const std::string& text, const std::string& title) override {
        asked.push_back(title + "|" + text);
        bool a = answers.empty() ? false : answers.front();
        if (!answers.empty()) answers.pop_front();
        return a;
    }
    std::string InputBox(const std::string& prompt, const std::string& title) override {
        prompts.push_back(title + "|" + prompt);
        std::string n = names.empty() ? "" : names.front();
        if (!names.empty()) names.pop_front();
        return n;
    }
    void ShowMessage(const std::string& text, const std::string&) override {
        messages.push_back(text);
    }
    void Beep() override { ++beeps; }
    // The maze number box: each answer in turn (nothing: closed), and what it was shown.
    std::deque<std::optional<std::string>> typedCodes;
    std::vector<std::string> shownCodes, shownEntries;
    std::optional<std::string> MazeNumberBox(const std::string& code,
                                             const std::string& entry) override {
        shownCodes.push_back(code);
        shownEntries.push_back(entry);
        if (typedCodes.empty()) return std::nullopt;
        auto typed = typedCodes.front();
        typedCodes.pop_front();
        return typed;
    }
};

// Records each paced picture through a callback, never waits.
class RecordingPacer final : public IFramePacer {
public:
    int frames = 0;
    std::function<void()> onFrame;
    void WaitFrame() override {
        ++frames;
        if (onFrame) onFrame();
    }
};

}  // namespace kestrune::test
