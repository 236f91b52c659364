// The windows' description (forms/windows.h) in Qt's terms: places, alignments, captions.
#pragma once

#include <QRect>
#include <QString>
#include <cmath>
#include <string>

#include "forms/windows.h"
#include "text/catalogue.h"

namespace kestrune::ui {

// Qt's logical pixels are 15 twips each at the design size.
inline int TwipsToPx(double twips) {
    return static_cast<int>(std::lround(twips / forms::kTwipsPerPixel));
}

inline QRect FormRect(const forms::Rect& r) {
    return QRect(TwipsToPx(r.left), TwipsToPx(r.top), TwipsToPx(r.width), TwipsToPx(r.height));
}

inline Qt::Alignment FormAlignment(forms::Align align) {
    return align == forms::Align::Center  ? Qt::AlignHCenter
           : align == forms::Align::Right ? Qt::AlignRight
                                          : Qt::AlignLeft;
}

inline std::string FormCaption(const char* caption, bool literal) {
    if (!caption) return {};
    return literal ? std::string(caption) : text::Tr(caption);
}

inline QString FormText(const forms::Control& c) {
    return QString::fromStdString(FormCaption(c.caption, c.literal));
}

}  // namespace kestrune::ui
