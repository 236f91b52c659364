#include "text/catalogue.h"

#include <algorithm>
#include <iterator>

#include "text/english_catalogue.h"

namespace kestrune::text {

namespace {

using generated::Entry;
using generated::kEnglish;

constexpr bool SourceLess(const Entry& a, const Entry& b) {
    return a.source < b.source;
}
static_assert(std::is_sorted(std::begin(kEnglish), std::end(kEnglish), SourceLess),
              "the generated catalogue is sorted for its binary search");

Language g_language = Language::Japanese;

std::string_view Lookup(std::string_view japanese) {
    if (g_language == Language::Japanese || japanese.empty()) return japanese;
    const auto* found =
        std::lower_bound(std::begin(kEnglish), std::end(kEnglish), Entry{japanese, {}}, SourceLess);
    if (found == std::end(kEnglish) || found->source != japanese) return japanese;
    return found->translation;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
            pattern[i + 1] >= '0' && pattern[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - '0');
            if (n < args.size()) out += *(args.begin() + n);
            i += 2;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace

std::string Tr(std::string_view japanese) {
    return std::string(Lookup(japanese));
}

std::string Trf(std::string_view japanese, std::initializer_list<std::string_view> args) {
    return Format(Lookup(japanese), args);
}

std::string TrfIn(std::string_view context, std::string_view japanese,
                  std::initializer_list<std::string_view> args) {
    if (g_language == Language::Japanese) return Format(japanese, args);
    // Keyed as the catalogue keys it: the context, EOT, the Japanese text.
    const std::string key = std::string(context) + '\x04' + std::string(japanese);
    const std::string_view found = Lookup(key);
    return Format(found.data() == key.data() ? japanese : found, args);
}

Language CurrentLanguage() {
    return g_language;
}

void SetLanguage(Language language) {
    g_language = language;
}

std::string_view LanguageCode(Language language) {
    return language == Language::Japanese ? "ja" : "en";
}

std::optional<Language> LanguageFromCode(std::string_view code) {
    if (EqualsIgnoringCase(code, "ja")) return Language::Japanese;
    if (EqualsIgnoringCase(code, "en")) return Language::English;
    return std::nullopt;
}

Language LanguageForLocale(std::string_view locale) {
    const bool japanese = locale.size() >= 2 && Lower(locale[0]) == 'j' &&
                          Lower(locale[1]) == 'a' &&
                          (locale.size() == 2 || locale[2] == '_' || locale[2] == '-' ||
                           locale[2] == '.' || locale[2] == '@');
    return japanese ? Language::Japanese : Language::English;
}

}  // namespace kestrune::text
