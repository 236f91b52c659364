// Every text a player sees, in Japanese or English. The Japanese text is the message's key;
// the translations come from po/en.po, compiled into the program when it is built.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune::text {

enum class Language { Japanese, English };

// The current language's text for a Japanese source text. A text the catalogue does not know
// stays Japanese (the catalogue test names it); the empty text stays empty.
std::string Tr(std::string_view japanese);

// A whole message with numbered placeholders {0}, {1}, … so that each language puts the
// pieces in its own order.
std::string Trf(std::string_view japanese, std::initializer_list<std::string_view> args);

// The same for a Japanese text that another language words differently where it is shown:
// the context names the place (gettext's msgctxt). Japanese reads exactly as Trf.
std::string TrfIn(std::string_view context, std::string_view japanese,
                  std::initializer_list<std::string_view> args);

// Marks a source text in a table for the catalogue; Tr translates it where it is shown.
constexpr const char* TrMark(const char* japanese) {
    return japanese;
}

Language CurrentLanguage();
void SetLanguage(Language language);

// The stored form of a language: "ja" or "en".
std::string_view LanguageCode(Language language);
// A stored code back; nullopt for anything but "ja" and "en" (in any case).
std::optional<Language> LanguageFromCode(std::string_view code);
// The language for a system locale or language tag: "ja", "ja_JP.UTF-8", "ja-JP" … read as
// Japanese, everything else (including "C" and the empty name) as English.
Language LanguageForLocale(std::string_view locale);

}  // namespace kestrune::text
