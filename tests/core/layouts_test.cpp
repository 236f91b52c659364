// The game window's two layouts: classic as today, fit scaled to desktop windows and compact
// keys on phones.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "forms/layouts.h"

namespace kestrune::forms {

// Failures name the rectangle's numbers.
void PrintTo(const LayoutRect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}

namespace {

using Arrangement = GameLayout::Arrangement;

LayoutInput Window(LayoutKind kind, double width, double height, bool touch = false,
                   double ratio = 1) {
    LayoutInput in;
    in.kind = kind;
    in.width = width;
    in.height = height;
    in.touch = touch;
    in.pixelRatio = ratio;
    return in;
}

bool Overlap(const LayoutRect& a, const LayoutRect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

// Everything inside the window; no button over the view, the strip or the readouts. (The
// strip lies over the view's bottom edge in the design.)
void ExpectInsideAndApart(const GameLayout& l, const LayoutInput& in) {
    std::vector<std::pair<std::string, LayoutRect>> parts = {
        {"view", l.view}, {"strip", l.strip}, {"readouts", l.readouts}};
    for (int i = 0; i < kPanelActionCount; ++i)
        parts.emplace_back("button " + std::to_string(i), l.buttons[static_cast<size_t>(i)]);
    for (const auto& [name, r] : parts) {
        SCOPED_TRACE(name);
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right(), in.width);
        EXPECT_LE(r.bottom(), in.height);
        EXPECT_GT(r.width, 0);
        EXPECT_GT(r.height, 0);
        // The panel clips what it holds.
        if (name.starts_with("button")) {
            EXPECT_GE(r.left, l.panel.left);
            EXPECT_GE(r.top, l.panel.top);
            EXPECT_LE(r.right(), l.panel.right());
            EXPECT_LE(r.bottom(), l.panel.bottom());
        }
    }
    for (const LayoutRect& b : l.buttons)
        for (const LayoutRect& r : {l.view, l.strip, l.readouts}) EXPECT_FALSE(Overlap(b, r));
    EXPECT_FALSE(Overlap(l.view, l.readouts));
}

// At the design size fit is classic to the pixel, and classic is today's arrangement.
TEST(GameLayouts, FitIsClassicAtTheDesignSize) {
    const GameLayout classic = ComputeGameLayout(Window(LayoutKind::Classic, 574, 441));
    const GameLayout fit = ComputeGameLayout(Window(LayoutKind::Fit, 574, 441));
    EXPECT_EQ(classic.view, (LayoutRect{0, 0, 445, 441}));
    EXPECT_EQ(classic.strip, (LayoutRect{0, 416, 445, 25}));
    EXPECT_EQ(classic.readouts, (LayoutRect{445, 224, 129, 185}));
    // Forward across the panel, the first pair (its halves meet on one pixel), back.
    EXPECT_EQ(classic.buttons[0], (LayoutRect{445, 16, 105, 25}));
    EXPECT_EQ(classic.buttons[1], (LayoutRect{445, 40, 53, 25}));
    EXPECT_EQ(classic.buttons[2], (LayoutRect{497, 40, 53, 25}));
    EXPECT_EQ(classic.buttons[13], (LayoutRect{445, 184, 105, 25}));
    EXPECT_EQ(classic.planeLabels[0], (LayoutRect{549, 40, 25, 17}));
    EXPECT_EQ(classic.clearLeft, 26);
    EXPECT_EQ(classic.waitTop, 200);

    EXPECT_EQ(fit.arrangement, Arrangement::Scaled);
    EXPECT_EQ(fit.scale, 1.0);
    EXPECT_EQ(fit.view, classic.view);
    EXPECT_EQ(fit.strip, classic.strip);
    EXPECT_EQ(classic.panel, (LayoutRect{445, 8, 129, 409}));
    EXPECT_EQ(fit.panel, classic.panel);
    EXPECT_EQ(fit.readouts, classic.readouts);
    EXPECT_EQ(fit.direction, classic.direction);
    EXPECT_EQ(fit.clock, classic.clock);
    EXPECT_EQ(fit.buttons, classic.buttons);
    EXPECT_EQ(fit.planeLabels, classic.planeLabels);
    EXPECT_EQ(classic.goalLeft, 287);
    EXPECT_EQ(fit.goalLeft, classic.goalLeft);
    EXPECT_EQ(fit.clearLeft, classic.clearLeft);
    EXPECT_EQ(fit.clearTop, classic.clearTop);
    EXPECT_EQ(fit.waitLeft, classic.waitLeft);
    EXPECT_EQ(fit.waitTop, classic.waitTop);
    // Classic keeps the design's size in a larger window.
    EXPECT_EQ(ComputeGameLayout(Window(LayoutKind::Classic, 1600, 978)).buttons[1].height, 25);
}

// A desktop window gets the whole design, larger, with the picture at its device pixels.
TEST(GameLayouts, FitScalesTheDesignToDesktopWindows) {
    struct Case {
        double width, height, ratio, scale;
        LayoutRect view;
    };
    const Case cases[] = {
        {1600, 978, 1, 978 / 441.0, {164, 0, 986, 978}},
        {3840, 2138, 1, 2138 / 441.0, {529, 0, 2157, 2138}},
        {1024, 745, 2, 745 / 441.0, {27, 0, 752, 745}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const LayoutInput in = Window(LayoutKind::Fit, c.width, c.height, false, c.ratio);
        const GameLayout l = ComputeGameLayout(in);
        EXPECT_EQ(l.arrangement, Arrangement::Scaled);
        EXPECT_DOUBLE_EQ(l.scale, c.scale);
        EXPECT_EQ(l.view, c.view);
        EXPECT_EQ(l.viewPixelWidth, static_cast<int>(c.view.width * c.ratio));
        EXPECT_EQ(l.viewPixelHeight, static_cast<int>(c.view.height * c.ratio));
        EXPECT_NEAR(l.buttons[1].height, 25 * c.scale, 1);
        EXPECT_NEAR(l.buttons[1].width, 53 * c.scale, 1);
        // The clear panel grows with the rest and stays centred.
        EXPECT_DOUBLE_EQ(l.boxScale, c.scale);
        EXPECT_NEAR(l.clearLeft, (l.view.width - 393 * c.scale) / 2, 1);
        ExpectInsideAndApart(l, in);
    }
}

// On a phone every key is at least finger size, inside the screen and apart from the others.
TEST(GameLayouts, FitGivesPhonesTouchSizeKeys) {
    struct Case {
        double width, height;
        Arrangement arrangement;
    };
    const Case cases[] = {
        {390, 821, Arrangement::Portrait},    // 390 x 844 less the menu bar
        {844, 367, Arrangement::Landscape},   // 844 x 390 less the menu bar
        {360, 617, Arrangement::Portrait},    // the narrowest phones sold today
        {1024, 745, Arrangement::Landscape},  // a tablet: the scaled keys would be 42 high
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const LayoutInput in = Window(LayoutKind::Fit, c.width, c.height, true, 3);
        const GameLayout l = ComputeGameLayout(in);
        EXPECT_EQ(l.arrangement, c.arrangement);
        ExpectInsideAndApart(l, in);
        EXPECT_EQ(l.view.width, l.view.height);
        // The clear panel fits the view.
        EXPECT_GE(l.clearLeft, 0);
        EXPECT_LE(l.clearLeft * 2 + 393 * l.boxScale, l.view.width + 1);
        for (size_t i = 0; i < l.buttons.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_GE(l.buttons[i].width, kTouchKeySize);
            EXPECT_GE(l.buttons[i].height, kTouchKeySize);
            for (size_t j = i + 1; j < l.buttons.size(); ++j)
                EXPECT_FALSE(Overlap(l.buttons[i], l.buttons[j])) << j;
            for (const LayoutRect& plane : l.planeLabels)
                EXPECT_FALSE(Overlap(l.buttons[i], plane));
        }
        EXPECT_FALSE(Overlap(l.strip, l.readouts));
        EXPECT_FALSE(Overlap(l.view, l.strip));
    }
    // The view takes the phone's width in portrait and its height in landscape.
    EXPECT_EQ(ComputeGameLayout(Window(LayoutKind::Fit, 390, 821, true)).view.width, 390);
    EXPECT_EQ(ComputeGameLayout(Window(LayoutKind::Fit, 844, 367, true)).view.height, 367);
    // With a mouse a phone-sized window keeps the scaled design.
    EXPECT_EQ(ComputeGameLayout(Window(LayoutKind::Fit, 390, 821)).arrangement,
              Arrangement::Scaled);
}

}  // namespace
}  // namespace kestrune::forms
