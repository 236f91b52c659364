// Where the game window's parts go for a window size: the classic arrangement, or "fit" (the
// design scaled to the window, or the compact arrangement of touch-size keys on small touch
// screens). Pure arithmetic, in CSS (logical) pixels.
#pragma once

#include <array>

#include "forms/windows.h"
#include "navigation/key_bindings.h"
#include "settings/layout_setting.h"

namespace kestrune::forms {

// The panel buttons' places in the panel, in twips, in slot order (kPanelActions); all are
// kPanelButtonHeight high.
struct ButtonPlace {
    int left, top, width;
};
inline constexpr int kPanelButtonHeight = 375;
inline constexpr std::array<ButtonPlace, kPanelActionCount> kButtonPlaces = {{
    {0, 120, 1575},
    {0, 480, 795},
    {780, 480, 795},
    {0, 840, 795},
    {780, 840, 795},
    {0, 1200, 795},
    {780, 1200, 795},
    {0, 1560, 795},
    {780, 1560, 795},
    {0, 1920, 795},
    {780, 1920, 795},
    {0, 2280, 795},
    {780, 2280, 795},
    {0, 2640, 1575},
}};
inline constexpr int kPlaneCount = 6;
// The smallest key a finger hits reliably, in CSS pixels.
inline constexpr double kTouchKeySize = 44;

struct LayoutRect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const LayoutRect&) const = default;
};

struct LayoutInput {
    LayoutKind kind = LayoutKind::Classic;
    double width = 0, height = 0;  // the client area under the menu bar, CSS pixels
    double pixelRatio = 1;         // device pixels per CSS pixel
    bool touch = false;            // a coarse pointer: keys must fit a finger
};

struct GameLayout {
    enum class Arrangement { Classic, Scaled, Portrait, Landscape };
    Arrangement arrangement = Arrangement::Classic;
    // Every design length inside the strip and the readouts, and their fonts, times this.
    double scale = 1;
    // The panel buttons' captions times this.
    double keyScale = 1;
    LayoutRect view;       // picture1
    LayoutRect strip;      // picture2: position, goal
    LayoutRect panel;      // picCon, which clips the buttons and the readouts
    LayoutRect readouts;   // the panel below the buttons: direction readout and clock
    LayoutRect direction;  // Label2 to lblHoukou6 and Label3, part of readouts
    LayoutRect clock;      // Label7 and lbltime, part of readouts
    std::array<LayoutRect, kPanelActionCount> buttons{};  // by slot
    std::array<LayoutRect, kPlaneCount> planeLabels{};    // lblPlane1 … lblPlane6
    int goalLeft = 0;  // lblGoal in the strip, which the window places itself
    int viewPixelWidth = 1, viewPixelHeight = 1;  // the picture, device pixels
    // The clear panel and the wait label: their size times boxScale, centred in the view, in
    // its CSS pixels.
    double boxScale = 1;
    int clearLeft = 0, clearTop = 0, waitLeft = 0, waitTop = 0;
};

GameLayout ComputeGameLayout(const LayoutInput& in);

}  // namespace kestrune::forms
