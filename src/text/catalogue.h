// Every text a player sees, in Japanese or English. The Japanese text is the message's key.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kestrune::text {

enum class Language { Japanese, English };

// The current language's text for a Japanese source text.
std::string Tr(std::string_view japanese);

// A whole message with numbered placeholders {0}, {1}, … so that each language puts the
// pieces in its own order.
std::string Trf(std::string_view japanese, std::initializer_list<std::string_view> args);

Language CurrentLanguage();
void SetLanguage(Language language);

}  // namespace kestrune::text
