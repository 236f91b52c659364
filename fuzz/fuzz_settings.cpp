// Fuzzes the settings file reader and writer with arbitrary file contents: the records, the
// key bindings, the language, and the browser's conversion of an imported file.
#include <map>
#include <optional>
#include <string>

#include "fuzz_support.h"
#include "navigation/key_bindings.h"
#include "settings/cp932.h"
#include "settings/language_setting.h"
#include "settings/settings_file.h"

namespace {

using kestrune::SettingsFile;

// The file in memory: the reader and the editor are what is fuzzed, not the disk.
class MemoryStore final : public kestrune::ITextStore {
public:
    std::optional<std::string> text;
    bool Exists(const std::string&) override { return text.has_value(); }
    std::optional<std::string> Read(const std::string&) override { return text; }
    bool Write(const std::string&, const std::string& t) override {
        text = t;
        return true;
    }
    bool Remove(const std::string&) override {
        text.reset();
        return true;
    }
};

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
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MemoryStore store;
    store.text = bytes;
    SettingsFile settings(store);
    settings.SetSettingsPath(kestrune::kSettingsFileName);
    const std::string section = kestrune::kSettingsSection;

    // The browser keeps an imported file as UTF-8: converting is done once and for all.
    const std::string utf8 = SettingsFile::SettingsTextInUtf8(bytes);
    FUZZ_CHECK(kestrune::IsValidUtf8(utf8));
    FUZZ_CHECK(SettingsFile::SettingsTextInUtf8(utf8) == utf8);

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

    // The key bindings never give one key to two actions, and read back as they were stored.
    const kestrune::KeyBindings keys = kestrune::LoadKeyBindings(settings);
    for (int slot = 0; slot < kestrune::kPanelActionCount; ++slot)
        FUZZ_CHECK(keys.Holder(keys.Key(slot)) == slot);
    kestrune::StoreKeyBindings(settings, keys);
    FUZZ_CHECK(kestrune::LoadKeyBindings(settings) == keys);

    // The language is one of the two, and the player's choice is what the next start reads.
    FUZZ_CHECK(kestrune::StoreLanguage(settings, kestrune::text::Language::English));
    FUZZ_CHECK(kestrune::StartLanguage(settings, "ja_JP.UTF-8") ==
               kestrune::text::Language::English);
    FUZZ_CHECK(settings.ReadSetting(section, "Time21", "3600") == "75");
    return 0;
}
