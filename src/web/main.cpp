// Kestrune in the browser: the same game state, rules and pictures as the desktop, wired to
// the page's shell. The page calls the exports below; everything else is the core.
#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "game/game_state.h"
#include "game/services.h"
#include "game/tower_file.h"
#include "media/effects.h"
#include "media/music.h"
#include "navigation/records.h"
#include "settings/settings_file.h"
#include "text/catalogue.h"
#include "web/bridge.h"
#include "web/commands.h"
#include "web/game_window.h"
#include "web/json.h"
#include "web/keys.h"
#include "web/services.h"
#include "web/shell_texts.h"

namespace kestrune::web {

namespace {

using text::Tr;

// The largest records file taken in: far above any real one, far below the storage quota.
constexpr size_t kImportLimit = 256 * 1024;

class App final : public ICommandRunner {
public:
    App() : m_settings(m_store), m_state(std::make_unique<GameState>()) {
        m_settings.SetSettingsPath(kSettingsFileName);
        PrepareStartup(*m_state);
    }

    void ChooseLanguage(const std::string& browserLanguage) {
        const std::string fallback = browserLanguage.rfind("ja", 0) == 0 ? "ja" : "en";
        text::SetLanguage(m_settings.ReadSetting(kSettingsSection, "Language", fallback) == "en"
                              ? text::Language::English
                              : text::Language::Japanese);
    }

    void RunQueuedCommands() override {
        int argument = 0;
        for (int code = js_next_command(&argument); code >= 0; code = js_next_command(&argument))
            RunCommand(code, argument);
    }

    WebGameWindow* Window() { return m_window.get(); }
    const GameState& State() const { return *m_state; }

    void Unload() {
        if (m_window) m_window->FormUnloadOnce();
    }

private:
    void RunCommand(int code, int argument) {
        if (code == kCmdChoose) {
            Choose(argument);
        } else if (code == kCmdLanguage) {
            m_settings.WriteSetting(kSettingsSection, "Language", argument == 1 ? "en" : "ja");
            SetLanguage(argument == 1 ? "en" : "ja");
        } else if (code == kCmdExport) {
            Export();
        } else if (code == kCmdImport) {
            char* raw = js_command_text();
            std::string payload = raw ? raw : "";
            std::free(raw);
            Import(payload);
        } else if (m_window) {
            m_window->RunCommand(code, argument);
        }
    }

    // The player's switch: every window takes the new texts at once.
    void SetLanguage(const std::string& code) {
        text::SetLanguage(code == "en" ? text::Language::English : text::Language::Japanese);
        js_set_flag("language", 0);  // the page asks for its texts again
        if (m_window) m_window->Retranslate();
    }

    // cmdPractice_Click / cmdTower_Click, then what the desktop's start-up does after the
    // title window: the game window's load, its first space, the clock.
    void Choose(int mode) {
        if (m_state->GameMode != kModeTitle) return;
        if (mode == kModeTower) {
            m_state->GameMode = kModeTower;
            ReadTowerFile(m_store, kTowerFileName, *m_state);
        } else {
            m_state->GameMode = kModePractice;
        }
        js_set_flag("game", 1);
        m_window = std::make_unique<WebGameWindow>(WebWindowDeps{
            *m_state,
            m_settings,
            GameServices{m_random, m_clock, m_music, m_effects, m_settings, m_dialogs, m_pacer,
                         kTowerFileName, m_store},
            m_shell,
            m_pause,
            m_music,
            *this,
        });
        m_window->logic().BuildFirstSpace();
    }

    // The records as a kestrune.ini download; the twelve records are filled in first, as the
    // ranking table fills them, so the file is whole.
    void Export() {
        LoadRanking(m_settings);
        const std::string text = m_store.Read(kSettingsFileName).value_or(std::string());
        JsonWriter json;
        json.BeginObject().String("name", kSettingsFileName).String("text", text).EndObject();
        js_show_window("download", json.Text().c_str());
    }

    // A kestrune.ini chosen by the player: its name on the first line, then its text. Taken
    // whole when the desktop's reader reads it as this game's settings; otherwise refused,
    // and nothing changes.
    void Import(const std::string& payload) {
        const size_t newline = payload.find('\n');
        const std::string name = payload.substr(0, newline);
        const std::string text = newline == std::string::npos ? "" : payload.substr(newline + 1);
        if (text.size() > kImportLimit || !SettingsFile::IsSettingsText(text)) {
            m_dialogs.ShowMessage(
                text::Trf(
                    "「{0}」は Kestrune の記録ファイルではありません。記録は何も変わっていません。",
                    {name}),
                "Kestrune");
            return;
        }
        if (!m_store.Write(kSettingsFileName, text)) return;
        if (m_window) m_window->ShowRanking();
        m_dialogs.ShowMessage(text::Trf("「{0}」の記録を読み込みました。", {name}), "Kestrune");
    }

    LocalStore m_store;
    SettingsFile m_settings;
    std::unique_ptr<GameState> m_state;
    StandardRandom m_random;
    SystemClock m_clock;
    WebMusicDevice m_musicDevice;
    Music m_music{m_musicDevice, ".", ""};
    WebEffectPlayer m_effectPlayer;
    SoundEffects m_effects{m_effectPlayer, [](const std::string& name) { return name; }};
    WebDialogs m_dialogs;
    WebFramePacer m_pacer;
    WebPause m_pause;
    WebShell m_shell;
    std::unique_ptr<WebGameWindow> m_window;
};

App& TheApp() {
    static App app;
    return app;
}

const char* Keep(std::string text) {
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

}  // namespace

}  // namespace kestrune::web

using kestrune::web::TheApp;

extern "C" {

// Prepares the game state and the language; returns the shell's description (JSON).
EMSCRIPTEN_KEEPALIVE const char* kestrune_start(const char* browserLanguage) {
    TheApp().ChooseLanguage(browserLanguage ? browserLanguage : "");
    return kestrune::web::Keep(kestrune::web::ShellDescriptionJson());
}

// The shell's description again, after a language switch.
EMSCRIPTEN_KEEPALIVE const char* kestrune_description() {
    return kestrune::web::Keep(kestrune::web::ShellDescriptionJson());
}

// Runs every queued command, waiting where the game waits (called through Asyncify).
EMSCRIPTEN_KEEPALIVE void kestrune_pump() {
    TheApp().RunQueuedCommands();
}

// The command of a key, packed as command * 256 + argument; -1 when the key is not the
// game's (the page then leaves it to the browser).
EMSCRIPTEN_KEEPALIVE int kestrune_key(const char* code, int shift, int ctrl, int alt, int numLock) {
    const auto key = kestrune::web::KeyCommandFor(code ? code : "", shift, ctrl, alt, numLock);
    return key ? key->command * 256 + key->argument : -1;
}

// "同じ条件でもう一度" is enabled as the menu opens when this is 1.
EMSCRIPTEN_KEEPALIVE int kestrune_restart_enabled() {
    auto* window = TheApp().Window();
    return window && window->logic().mnuFile_Click() ? 1 : 0;
}

// Timer1: the clock, once a second while it runs.
EMSCRIPTEN_KEEPALIVE void kestrune_timer1() {
    auto* window = TheApp().Window();
    if (window && window->Timer1Enabled()) window->logic().Timer1_Timer();
}

// The page is going away: the game window's unload (the animation setting, the music).
EMSCRIPTEN_KEEPALIVE void kestrune_unload() {
    TheApp().Unload();
}

}  // extern "C"
