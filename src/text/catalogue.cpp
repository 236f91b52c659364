// Placeholder until the compiled catalogue lands: every text stays Japanese.
#include "text/catalogue.h"

namespace kestrune::text {

namespace {
Language g_language = Language::Japanese;
}

std::string Tr(std::string_view japanese) {
    return std::string(japanese);
}

std::string Trf(std::string_view japanese, std::initializer_list<std::string_view> args) {
    std::string out;
    for (std::size_t i = 0; i < japanese.size(); ++i) {
        if (japanese[i] == '{' && i + 2 < japanese.size() && japanese[i + 2] == '}' &&
            japanese[i + 1] >= '0' && japanese[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(japanese[i + 1] - '0');
            if (n < args.size()) out += *(args.begin() + n);
            i += 2;
        } else {
            out += japanese[i];
        }
    }
    return out;
}

Language CurrentLanguage() {
    return g_language;
}

void SetLanguage(Language language) {
    g_language = language;
}

}  // namespace kestrune::text
