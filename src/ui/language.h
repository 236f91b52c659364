// The game's language on the desktop: the design face, the catalogue and Qt's own texts.
#pragma once

#include <QString>
#include <string_view>

#include "text/catalogue.h"

namespace kestrune::ui {

// The face the windows were designed with, a Windows font.
inline constexpr const char* kDesignFontFamily = "ＭＳ Ｐゴシック";

// text::Tr for the windows: the current language's text for a Japanese source text.
QString QTr(std::string_view japanese);

// Maps the design face to IPAPGothic, a face of the same metrics family.
void UseDesignFonts();

// Switches every text to `language`: the catalogue, Qt's standard buttons (its Japanese
// translation installed only in Japanese), then every open window says its captions again
// (QEvent::LanguageChange), at once.
void ApplyLanguage(text::Language language);

}  // namespace kestrune::ui
