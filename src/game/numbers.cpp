#include "game/numbers.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

namespace kestrune {

std::string TimeText(int64_t seconds) {
    const int64_t minutes = seconds / 60;
    const int64_t rest = seconds % 60;
    std::string text = std::to_string(minutes);
    text += ':';
    text += static_cast<char>('0' + rest / 10);
    text += static_cast<char>('0' + rest % 10);
    return text;
}

double LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t start = i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    size_t digitsStart = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    bool any = i > digitsStart;
    if (i < text.size() && text[i] == '.') {
        size_t fracStart = ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        any = any || i > fracStart;
    }
    if (!any) return 0.0;
    return std::strtod(std::string(text.substr(start, i - start)).c_str(), nullptr);
}

bool ParseWholeInteger(std::string_view text, long long& value) {
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last;
}

}  // namespace kestrune
