#include "forms/layouts.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "render/layout.h"

namespace kestrune::forms {

namespace {

// The design's parts in twips, as the windows' description places them.
const Rect& Part(const char* id) {
    return GameForm().Find(id).rect;
}
const double kViewWidth = Part("picture1").width, kViewHeight = GameForm().height;
const double kPanelTop = Part("picCon").top, kPanelWidth = Part("picCon").width;
const double kPanelHeight = Part("picCon").height;
// The panel stands against the client's right edge, where the classic arithmetic puts it.
const double kPanelLeft = GameForm().width - kPanelWidth;
const double kReadoutsTop = Part("Label2").top, kClockTop = Part("Label7").top;
const double kReadoutsBottom = Part("lbltime").top + Part("lbltime").height;
const double kStripTop = Part("picture2").top, kStripWidth = Part("picture2").width;
const double kStripHeight = Part("picture2").height;
constexpr double kGoalLeft = 4300;  // where the window puts lblGoal in a wide strip
// The clear panel and the wait label, in view pixels.
const double kClearWidth = ClearPanelForm().width / kTwipsPerPixel;
const double kClearHeight = ClearPanelForm().height / kTwipsPerPixel;
const double kWaitWidth = Part("lblWait").width / kTwipsPerPixel;
const double kWaitHeight = Part("lblWait").height / kTwipsPerPixel;

// The compact arrangement, CSS pixels: a gap between keys, the plane label beside each pair,
// keys no taller than a thumb needs, and how far the readouts may shrink or grow.
constexpr double kGap = 2, kPlaneColumn = 28, kMaxKeyHeight = 72;
// A pixel more than a finger needs, as rounding the edges may take one.
constexpr double kKeyMin = kTouchKeySize + 1;
constexpr double kMinScale = 0.6, kMaxScale = 1.5;
constexpr int kGridRows = 5;  // forward, three rows of two pairs, back

// A rectangle given by its edges, rounded edge by edge so that parts that meet in the design
// still meet, and parts apart stay apart.
LayoutRect Edges(double left, double top, double right, double bottom) {
    LayoutRect r;
    r.left = static_cast<int>(std::lround(left));
    r.top = static_cast<int>(std::lround(top));
    r.width = static_cast<int>(std::lround(right)) - r.left;
    r.height = static_cast<int>(std::lround(bottom)) - r.top;
    return r;
}

LayoutRect Box(double left, double top, double width, double height) {
    return Edges(left, top, left + width, top + height);
}

// The design scaled by s (CSS pixels per design pixel) and shifted by (x0, y0).
struct Design {
    double s, x0, y0;
    LayoutRect operator()(double left, double top, double width, double height) const {
        const double k = s / kTwipsPerPixel;
        return Edges(x0 + left * k, y0 + top * k, x0 + (left + width) * k, y0 + (top + height) * k);
    }
};

void PlaceFromDesign(GameLayout& out, const Design& d, double panelLeft, double panelWidth) {
    for (int slot = 0; slot < kPanelActionCount; ++slot) {
        const ButtonPlace& p = kButtonPlaces[static_cast<size_t>(slot)];
        out.buttons[static_cast<size_t>(slot)] =
            d(panelLeft + p.left, kPanelTop + p.top, p.width, kPanelButtonHeight);
    }
    for (int i = 0; i < kPlaneCount; ++i) {
        const Rect& r = Part(("lblPlane" + std::to_string(i + 1)).c_str());
        out.planeLabels[static_cast<size_t>(i)] =
            d(panelLeft + r.left, kPanelTop + r.top, r.width, r.height);
    }
    out.readouts =
        d(panelLeft, kPanelTop + kReadoutsTop, panelWidth, kReadoutsBottom - kReadoutsTop);
    out.direction = d(panelLeft, kPanelTop + kReadoutsTop, panelWidth, kClockTop - kReadoutsTop);
    out.clock = d(panelLeft, kPanelTop + kClockTop, panelWidth, kReadoutsBottom - kClockTop);
}

// The clear panel and the wait label at the given scale, centred in the view.
void CentreInView(GameLayout& out, double scale) {
    out.boxScale = scale;
    out.clearLeft = static_cast<int>((out.view.width - kClearWidth * scale) / 2);
    out.clearTop = static_cast<int>((out.view.height - kClearHeight * scale) / 2);
    out.waitLeft = static_cast<int>((out.view.width - kWaitWidth * scale) / 2);
    out.waitTop = static_cast<int>((out.view.height - kWaitHeight * scale) / 2);
}

// Today's arrangement, by the window's own arithmetic. The browser's page is the window: its
// client width is the outer width, and a smaller page gets the smallest window.
GameLayout Classic(const LayoutInput& in) {
    FormLayoutInput f;
    f.outerWidth = std::max(in.width * kTwipsPerPixel, kMinOuterWidthTwips);
    f.outerHeight = std::max(in.height * kTwipsPerPixel, kMinOuterHeightTwips);
    f.clientWidth = f.outerWidth;
    f.clientHeight = f.outerHeight;
    f.picClearWidth = kClearWidth;
    f.picClearHeight = kClearHeight;
    f.lblWaitWidth = kWaitWidth;
    f.lblWaitHeight = kWaitHeight;
    const FormLayout l = ComputeFormLayout(f);
    GameLayout out;
    const Design d{1, 0, 0};
    out.view = d(0, l.picture1Top, l.picture1Width, l.picture1Height);
    out.panel = d(l.picConLeft, kPanelTop, l.picConWidth, kPanelHeight);
    out.strip = d(0, l.picture2Top, l.picture2Width, kStripHeight);
    out.goalLeft = static_cast<int>(std::lround(l.lblGoalLeft / kTwipsPerPixel));
    PlaceFromDesign(out, d, l.picConLeft, l.picConWidth);
    out.clearLeft = static_cast<int>(l.picClearLeft);
    out.clearTop = static_cast<int>(l.picClearTop);
    out.waitLeft = static_cast<int>(l.lblWaitLeft);
    out.waitTop = static_cast<int>(l.lblWaitTop);
    return out;
}

// The whole design, one factor for everything, centred in the window.
GameLayout Scaled(const LayoutInput& in, double s) {
    GameLayout out;
    out.arrangement = GameLayout::Arrangement::Scaled;
    out.scale = out.keyScale = s;
    const double k = s / kTwipsPerPixel;
    const Design d{s, (in.width - GameForm().width * k) / 2,
                   (in.height - GameForm().height * k) / 2};
    out.view = d(0, 0, kViewWidth, kViewHeight);
    out.panel = d(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
    out.strip = d(0, kStripTop, kStripWidth, kStripHeight);
    out.goalLeft = static_cast<int>(std::lround(kGoalLeft * s / kTwipsPerPixel));
    PlaceFromDesign(out, d, kPanelLeft, kPanelWidth);
    CentreInView(out, s);
    return out;
}

// The compact arrangement's sizes in design pixels.
const double kStripDesignWidth = kStripWidth / kTwipsPerPixel;     // 445
const double kStripDesignHeight = kStripHeight / kTwipsPerPixel;   // 25
const double kReadoutsDesignWidth = kPanelWidth / kTwipsPerPixel;  // 129
const double kReadoutsDesignHeight = (kReadoutsBottom - kReadoutsTop) / kTwipsPerPixel;
// Two pairs of keys with their plane labels side by side, and five rows of keys.
constexpr double kGridMinWidth = 2 * (2 * kKeyMin + 2 * kGap + kPlaneColumn) + kGap;
constexpr double kGridMinHeight = kGridRows * kKeyMin + (kGridRows - 1) * kGap;

// Beside (or under) the view: the strip across the top, the readouts and clock on the left,
// the grid of keys on the right, at the bottom where the thumbs are.
void PlaceSide(GameLayout& out, double left, double top, double width, double height) {
    double s = std::min({kMaxScale, width / kStripDesignWidth,
                         (width - kGridMinWidth - kGap) / kReadoutsDesignWidth,
                         height / (kStripDesignHeight + kReadoutsDesignHeight),
                         (height - kGridMinHeight) / kStripDesignHeight});
    s = std::max(s, kMinScale);
    out.scale = s;
    const double stripHeight = kStripDesignHeight * s;
    out.strip = Box(left, top, width, stripHeight);
    out.goalLeft = static_cast<int>(std::lround(kGoalLeft * s / kTwipsPerPixel));
    const double areaTop = top + stripHeight;
    const double readoutsWidth = kReadoutsDesignWidth * s;
    const Design d{s, left, areaTop - kReadoutsTop * s / kTwipsPerPixel};
    out.readouts = d(0, kReadoutsTop, kPanelWidth, kReadoutsBottom - kReadoutsTop);
    out.direction = d(0, kReadoutsTop, kPanelWidth, kClockTop - kReadoutsTop);
    out.clock = d(0, kClockTop, kPanelWidth, kReadoutsBottom - kClockTop);

    const double gridLeft = left + readoutsWidth + kGap;
    const double gridWidth = left + width - gridLeft;
    const double rowHeight =
        std::min(kMaxKeyHeight, (top + height - areaTop - (kGridRows - 1) * kGap) / kGridRows);
    const double gridTop = top + height - (kGridRows * rowHeight + (kGridRows - 1) * kGap);
    const double pairWidth = (gridWidth - kGap) / 2;
    const double keyWidth = (pairWidth - kPlaneColumn - 2 * kGap) / 2;
    auto row = [&](int r) { return gridTop + r * (rowHeight + kGap); };
    // Forward on the top row, back on the bottom one, each across the grid, as in the panel.
    out.buttons[0] = Box(gridLeft, row(0), gridWidth, rowHeight);
    out.buttons[kPanelActionCount - 1] = Box(gridLeft, row(kGridRows - 1), gridWidth, rowHeight);
    // The six pairs in panel order, two to a row: left key, right key, the plane's name.
    for (int pair = 0; pair < kPlaneCount; ++pair) {
        const double x = gridLeft + (pair % 2) * (pairWidth + kGap);
        const double y = row(1 + pair / 2);
        out.buttons[static_cast<size_t>(1 + 2 * pair)] = Box(x, y, keyWidth, rowHeight);
        out.buttons[static_cast<size_t>(2 + 2 * pair)] =
            Box(x + keyWidth + kGap, y, keyWidth, rowHeight);
        out.planeLabels[static_cast<size_t>(pair)] =
            Edges(x + 2 * (keyWidth + kGap), y, x + pairWidth, y + rowHeight);
    }
    // The captions as large as the key allows, against a design key's height and width.
    const double designKeyWidth = kButtonPlaces[1].width / kTwipsPerPixel;
    out.keyScale = std::min(rowHeight / kStripDesignHeight, keyWidth / designKeyWidth);
}

GameLayout Compact(const LayoutInput& in) {
    GameLayout out;
    out.panel = Box(0, 0, in.width, in.height);
    const double w = in.width, h = in.height;
    if (h >= w) {
        // Portrait: the view on top, as wide as the window unless the keys need its height.
        out.arrangement = GameLayout::Arrangement::Portrait;
        const double s = std::clamp(
            std::min(w / kStripDesignWidth, (w - kGridMinWidth - kGap) / kReadoutsDesignWidth),
            kMinScale, kMaxScale);
        const double below =
            kStripDesignHeight * s + std::max(kReadoutsDesignHeight * s, kGridMinHeight) + kGap;
        const double side = std::max(0.0, std::min(w, h - below));
        out.view = Box((w - side) / 2, 0, side, side);
        PlaceSide(out, 0, side + kGap, w, h - side - kGap);
    } else {
        // Landscape: the view at full height on the left, unless the keys need its width.
        out.arrangement = GameLayout::Arrangement::Landscape;
        const double beside = kGridMinWidth + 2 * kGap + kReadoutsDesignWidth * 0.75;
        const double side = std::max(0.0, std::min(h, w - beside));
        out.view = Box(0, (h - side) / 2, side, side);
        PlaceSide(out, side + kGap, 0, w - side - kGap, h);
    }
    // The clear panel as the design has it in a view of this width.
    CentreInView(out, out.view.width / (kViewWidth / kTwipsPerPixel));
    return out;
}

}  // namespace

GameLayout ComputeGameLayout(const LayoutInput& in) {
    GameLayout out;
    if (in.kind == LayoutKind::Classic) {
        out = Classic(in);
    } else {
        const double s = std::min(in.width * kTwipsPerPixel / GameForm().width,
                                  in.height * kTwipsPerPixel / GameForm().height);
        // The design's smallest buttons are 25 pixels high: a finger needs them larger.
        const bool tooSmallForFingers =
            in.touch && kPanelButtonHeight / kTwipsPerPixel * s < kTouchKeySize;
        out = tooSmallForFingers ? Compact(in) : Scaled(in, s);
    }
    const double ratio = in.pixelRatio > 0 ? in.pixelRatio : 1.0;
    out.viewPixelWidth = std::max(1, static_cast<int>(std::lround(out.view.width * ratio)));
    out.viewPixelHeight = std::max(1, static_cast<int>(std::lround(out.view.height * ratio)));
    return out;
}

}  // namespace kestrune::forms
