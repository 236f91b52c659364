#include "render/layout.h"

namespace kestrune {

FormLayout ComputeFormLayout(const FormLayoutInput& in) {
    FormLayout out;
    if (in.minimised) return out;
    if (in.outerHeight < kMinOuterHeightTwips) {
        out.action = FormLayout::Action::GrowHeight;
        out.newOuterHeight = kMinOuterHeightTwips;
        return out;
    }
    if (in.outerWidth < kMinOuterWidthTwips) {
        out.action = FormLayout::Action::GrowWidth;
        out.newOuterWidth = kMinOuterWidthTwips;
        return out;
    }
    out.action = FormLayout::Action::Arrange;
    const float cw = static_cast<float>(in.clientWidth);
    const float ch = static_cast<float>(in.clientHeight);
    out.narrow = in.outerWidth < 6390;
    if (out.narrow) {
        out.picConWidth = 1450;
        out.label6Visible = false;
        out.lblGoalLeft = 1400;
        out.picture2Width = static_cast<float>(in.lblGoalWidth) + 1400.0f;
    } else {
        out.picConWidth = 1935;
        out.lblGoalLeft = 4300;
        out.label6Visible = true;
        out.picture2Width = 6675;
    }
    out.line1X2 = cw;
    out.picConLeft = cw - static_cast<float>(out.picConWidth);
    out.picture2Top = ch - static_cast<float>(in.picture2Height);
    float width = static_cast<float>(out.picConLeft);
    float height = width;
    if (height > ch) height = ch;
    out.picture1Width = width;
    out.picture1Height = height;
    out.picture1Top = (ch - height) / 2.0f;
    const float p = static_cast<float>(in.twipsPerPixel);
    const float innerW = width / p, innerH = height / p;
    const float spanH = (height < ch) ? innerH : ch / p;
    out.lblWaitTop = (spanH - static_cast<float>(in.lblWaitHeight)) / 2.0f;
    out.picClearTop = (spanH - static_cast<float>(in.picClearHeight)) / 2.0f;
    out.picClearLeft = (innerW - static_cast<float>(in.picClearWidth)) / 2.0f;
    out.lblWaitLeft = (innerW - static_cast<float>(in.lblWaitWidth)) / 2.0f;
    return out;
}

}  // namespace kestrune
