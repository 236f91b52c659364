#include "settings/cp932.h"

namespace kestrune {

namespace {

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int LeadIndex(unsigned char b) {
    if (b >= 0x81 && b <= 0x9F) return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC) return b - 0xE0 + 31;
    return -1;
}

int TrailIndex(unsigned char b) {
    if (b >= 0x40 && b <= 0x7E) return b - 0x40;
    if (b >= 0x80 && b <= 0xFC) return b - 0x80 + 63;
    return -1;
}

constexpr uint32_t kReplacement = 0xFFFD;

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        int more = 0;
        uint32_t c = 0, least = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            more = 1, c = b & 0x1F, least = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            more = 2, c = b & 0x0F, least = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            more = 3, c = b & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (bytes.size() - i <= static_cast<size_t>(more)) return false;
        for (int k = 1; k <= more; ++k) {
            const auto t = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += static_cast<size_t>(more) + 1;
    }
    return true;
}

std::string Cp932ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        const int lead = LeadIndex(b);
        if (lead < 0) {
            const uint16_t c = cp932::kSingle[b - 0x80];
            AppendUtf8(out, c ? c : kReplacement);
            ++i;
            continue;
        }
        const int trail =
            i + 1 < bytes.size() ? TrailIndex(static_cast<unsigned char>(bytes[i + 1])) : -1;
        if (trail < 0) {
            // A lead byte without its trail: the next byte is read on its own.
            AppendUtf8(out, kReplacement);
            ++i;
            continue;
        }
        const uint16_t c = cp932::kDouble[lead * 188 + trail];
        AppendUtf8(out, c ? c : kReplacement);
        i += 2;
    }
    return out;
}

}  // namespace kestrune
