#include "web/json.h"

#include <cmath>
#include <cstdio>

namespace kestrune::web {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

void JsonWriter::Key(std::string_view key) {
    if (!m_first) m_text += ',';
    m_first = false;
    if (!key.empty()) m_text += JsonString(key) + ':';
}

JsonWriter& JsonWriter::BeginObject(std::string_view key) {
    Key(key);
    m_text += '{';
    m_first = true;
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    m_text += '}';
    m_first = false;
    return *this;
}

JsonWriter& JsonWriter::BeginArray(std::string_view key) {
    Key(key);
    m_text += '[';
    m_first = true;
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    m_text += ']';
    m_first = false;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view key, std::string_view value) {
    Key(key);
    m_text += JsonString(value);
    return *this;
}

JsonWriter& JsonWriter::Number(std::string_view key, double value) {
    Key(key);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", std::isfinite(value) ? value : 0.0);
    m_text += buffer;
    return *this;
}

JsonWriter& JsonWriter::Bool(std::string_view key, bool value) {
    Key(key);
    m_text += value ? "true" : "false";
    return *this;
}

}  // namespace kestrune::web
