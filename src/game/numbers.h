// Number conversions shared by every part of the game.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrune {

// Nearest integer, ties to even (the game's conversion of every real to an integer).
inline double NearestEven(double x) {
    return std::nearbyint(x);  // the default rounding mode is round-to-nearest-even
}
inline int32_t ToInt32(double x) {
    return static_cast<int32_t>(NearestEven(x));
}
inline int16_t ToInt16(double x) {
    return static_cast<int16_t>(NearestEven(x));
}

// Whole seconds as minutes, ":" and two-digit seconds: 65 -> "1:05", 3600 -> "60:00".
std::string TimeText(int64_t seconds);

// The longest leading decimal number of a text (leading blanks skipped); 0 when there is none.
double LeadingNumber(std::string_view text);

// A whole decimal integer with an optional minus sign and nothing else; false otherwise.
bool ParseWholeInteger(std::string_view text, long long& value);

}  // namespace kestrune
