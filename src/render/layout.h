// The game window's arrangement for a given size: square view on the left, panel on the
// right, readout strip along the bottom, clear panel and wait label centred in the view.
#pragma once

namespace kestrune {

inline constexpr double kMinOuterHeightTwips = 3960;
inline constexpr double kMinOuterWidthTwips = 2775;

struct FormLayoutInput {
    bool minimised = false;
    double outerWidth = 0, outerHeight = 0;            // twips
    double clientWidth = 0, clientHeight = 0;          // twips
    double twipsPerPixel = 15;                         // P
    double lblGoalWidth = 2175;                        // twips
    double picture2Height = 375;                       // twips
    double picClearWidth = 393, picClearHeight = 177;  // view pixels
    double lblWaitWidth = 193, lblWaitHeight = 41;     // view pixels
};

struct FormLayout {
    enum class Action { None, GrowHeight, GrowWidth, Arrange };
    Action action = Action::None;
    double newOuterHeight = 0, newOuterWidth = 0;  // for the grow actions
    bool narrow = false;
    double picConWidth = 0, picConLeft = 0;
    bool label6Visible = true;
    double lblGoalLeft = 0;
    double picture2Width = 0, picture2Top = 0;
    double line1X2 = 0;
    double picture1Width = 0, picture1Height = 0, picture1Top = 0;  // twips
    // Inside the view, in its pixels.
    double picClearLeft = 0, picClearTop = 0, lblWaitLeft = 0, lblWaitTop = 0;
};

// All arithmetic in single precision, as the window's own measures are.
FormLayout ComputeFormLayout(const FormLayoutInput& in);

}  // namespace kestrune
