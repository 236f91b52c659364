// Fuzzes the settings file reader and writer with arbitrary file contents.
#include <array>
#include <map>
#include <string>

#include "fuzz_support.h"
#include "settings/settings_file.h"

namespace {

using kestrune::SettingsFile;

// Every key the game reads, with the default it passes.
const std::map<std::string, std::string>& GameKeys() {
    static const std::map<std::string, std::string> keys = [] {
        std::map<std::string, std::string> k{{"Animation", "3"}};
        for (char d : {'1', '2', '3'})
            for (char l : {'0', '1', '2', '3'}) {
                k[std::string("Time") + d + l] = "3600";
                k[std::string("Name") + d + l] = "Pelkin";
            }
        return k;
    }();
    return keys;
}

size_t Utf8Length(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SettingsFile settings;
    settings.SetSettingsPath(kestrune::fuzz::PlaceFile("kestrune.ini", data, size));
    const std::string section = kestrune::kSettingsSection;

    // Whatever the file holds, every key reads as one line of at most 254 characters, and a
    // missing or empty one as its default.
    std::map<std::string, std::string> before;
    for (const auto& [key, fallback] : GameKeys()) {
        const std::string value = settings.ReadSetting(section, key, fallback);
        FUZZ_CHECK(!value.empty());
        FUZZ_CHECK(Utf8Length(value) <= 254);
        FUZZ_CHECK(value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        before[key] = value;
    }

    // Reading stored the defaults: a second pass reads the same values.
    for (const auto& [key, fallback] : GameKeys())
        FUZZ_CHECK(settings.ReadSetting(section, key, fallback) == before[key]);

    // A new record changes its own two keys and loses none of the others.
    const bool timeStored = settings.WriteSetting(section, "Time21", "75");
    const bool nameStored = settings.WriteSetting(section, "name21", "新記録");
    FUZZ_CHECK(timeStored && nameStored);
    for (const auto& [key, fallback] : GameKeys()) {
        const std::string value = settings.ReadSetting(section, key, fallback);
        if (key == "Time21")
            FUZZ_CHECK(value == "75");
        else if (key == "Name21")
            FUZZ_CHECK(value == "新記録");
        else
            FUZZ_CHECK(value == before[key]);
    }
    return 0;
}
