// A small JSON writer for what the C++ side hands the page.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::web {

// `text` as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

// Builds one object or array by appending members; commas are placed by the writer.
class JsonWriter {
public:
    JsonWriter& BeginObject(std::string_view key = {});
    JsonWriter& EndObject();
    JsonWriter& BeginArray(std::string_view key = {});
    JsonWriter& EndArray();
    JsonWriter& String(std::string_view key, std::string_view value);
    JsonWriter& Number(std::string_view key, double value);
    JsonWriter& Bool(std::string_view key, bool value);
    const std::string& Text() const { return m_text; }

private:
    void Key(std::string_view key);
    std::string m_text;
    bool m_first = true;
};

}  // namespace kestrune::web
