#include "game/maze_code.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kestrune {

namespace {

// Damm's quasigroup: a check digit that catches every single wrong digit and every swap of
// two neighbouring digits.
constexpr std::array<std::array<uint8_t, 10>, 10> kDamm = {{
    {0, 3, 1, 7, 5, 9, 8, 6, 4, 2},
    {7, 0, 9, 2, 1, 5, 4, 8, 6, 3},
    {4, 2, 0, 6, 8, 7, 1, 3, 5, 9},
    {1, 7, 5, 0, 9, 8, 3, 4, 2, 6},
    {6, 1, 2, 3, 0, 4, 5, 9, 7, 8},
    {3, 6, 7, 4, 2, 0, 9, 5, 8, 1},
    {5, 8, 6, 9, 7, 2, 0, 1, 3, 4},
    {8, 9, 4, 5, 3, 6, 2, 0, 1, 7},
    {9, 4, 3, 8, 6, 1, 7, 2, 0, 5},
    {2, 5, 8, 1, 4, 3, 6, 7, 9, 0},
}};

int DammDigit(std::string_view digits) {
    int interim = 0;
    for (const char c : digits) interim = kDamm[interim][c - '0'];
    return interim;
}

constexpr size_t kNumberDigits = 7;

// The next code point of UTF-8 text, or -1 for a broken sequence.
int32_t NextCodePoint(std::string_view text, size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    int length = 0;
    int32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3;
        value = lead & 0x07;
    } else {
        return -1;
    }
    for (int i = 0; i < length; ++i) {
        if (at >= text.size()) return -1;
        const auto next = static_cast<unsigned char>(text[at++]);
        if ((next & 0xC0) != 0x80) return -1;
        value = (value << 6) | (next & 0x3F);
    }
    return value;
}

// The characters that matter in a code, in ASCII: digits and "D". Separators drop out;
// anything else becomes '?', which no code contains.
std::string Significant(std::string_view text) {
    std::string out;
    for (size_t at = 0; at < text.size();) {
        int32_t c = NextCodePoint(text, at);
        if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width ASCII
        switch (c) {
            case ' ':
            case '\t':
            case '\r':
            case '\n':
            case '-':
            case 0x3000:  // ideographic space
            case 0x2010:  // hyphen
            case 0x2011:  // non-breaking hyphen
            case 0x2012:  // figure dash
            case 0x2013:  // en dash
            case 0x2212:  // minus sign
            case 0x30FC:  // prolonged sound mark, what a Japanese keyboard's "-" often gives
                continue;
            default:
                break;
        }
        if (c >= '0' && c <= '9')
            out += static_cast<char>(c);
        else if (c == 'D' || c == 'd')
            out += 'D';
        else
            out += '?';
    }
    return out;
}

bool IsDigits(std::string_view text) {
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

int32_t DrawMazeNumber(IRandom& random) {
    random.SeedFromClock();
    return static_cast<int32_t>(random.Next() * kMazeNumberCount);
}

std::string FormatMazeCode(const MazeCode& code) {
    std::string number = std::to_string(code.number);
    if (number.size() < kNumberDigits) number.insert(0, kNumberDigits - number.size(), '0');
    const std::string dimension = std::to_string(code.dimIndex + 1);
    const std::string level = std::to_string(code.level);
    const int check = DammDigit(dimension + level + number);
    return dimension + "D-" + level + "-" + number + "-" + std::to_string(check);
}

ParsedMazeCode ParseMazeCode(std::string_view typed) {
    // A whole link: what follows its "#", without the "maze=".
    if (const size_t hash = typed.rfind('#'); hash != std::string_view::npos)
        typed.remove_prefix(hash + 1);
    constexpr std::string_view kKey = "maze=";
    if (typed.size() >= kKey.size()) {
        bool key = true;
        for (size_t i = 0; i < kKey.size(); ++i)
            key = key && std::tolower(static_cast<unsigned char>(typed[i])) == kKey[i];
        if (key) typed.remove_prefix(kKey.size());
    }

    // "4D" + level + seven digits + check digit.
    const std::string s = Significant(typed);
    ParsedMazeCode result;
    if (s.size() != 2 + 1 + kNumberDigits + 1 || s[1] != 'D') return result;
    const std::string digits = s.substr(0, 1) + s.substr(2);
    if (!IsDigits(digits)) return result;
    if (DammDigit(digits) != 0) {
        result.error = MazeCodeError::Check;
        return result;
    }
    const int dimension = digits[0] - '0';
    const int level = digits[1] - '0';
    if (dimension < 2 || dimension > 4 || level < 1 || level > 4) return result;
    result.code.dimIndex = dimension - 1;
    result.code.level = level;
    result.code.number = std::stoi(digits.substr(2, kNumberDigits));
    result.error = MazeCodeError::None;
    return result;
}

std::string MazeLinkFragment(const std::string& code) {
    return "maze=" + code;
}

uint64_t MazeDigest(const GameState& state) {
    uint64_t h = 14695981039346656037ull;
    auto mix = [&h](int64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= static_cast<uint8_t>(v >> (8 * i));
            h *= 1099511628211ull;
        }
    };
    for (int w = kInteriorMin; w <= kInteriorMax; ++w)
        for (int z = kInteriorMin; z <= kInteriorMax; ++z)
            for (int y = kInteriorMin; y <= kInteriorMax; ++y)
                for (int x = kInteriorMin; x <= kInteriorMax; ++x)
                    mix(state.MazeSpace[CellIndex(x, y, z, w)]);
    for (const int16_t g : state.GoalPos) mix(g);
    mix(state.Difficulty);
    for (const int16_t c : state.WallColour) mix(c);
    return h;
}

}  // namespace kestrune
