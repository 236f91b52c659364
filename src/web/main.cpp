// Kestrune in the browser: the same game state, rules and pictures as the desktop, wired to
// the page (bridge.h). The page calls the exports below; everything else is the core.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "forms/commands.h"
#include "game/game_state.h"
#include "game/maze_code.h"
#include "game/services.h"
#include "game/tower_file.h"
#include "media/effects.h"
#include "media/music.h"
#include "navigation/key_bindings.h"
#include "navigation/menu_texts.h"
#include "navigation/records.h"
#include "settings/language_setting.h"
#include "settings/settings_file.h"
#include "text/catalogue.h"
#include "web/bridge.h"
#include "web/command_queue.h"
#include "web/game_window.h"
#include "web/import.h"
#include "web/json.h"
#include "web/keys.h"
#include "web/services.h"
#include "web/window_json.h"

namespace kestrune::web {

namespace {

using text::Tr;

class App final : public ICommandRunner {
public:
    App() : m_settings(m_store), m_state(std::make_unique<GameState>()) {
        m_settings.SetSettingsPath(kSettingsFileName);
        PrepareStartup(*m_state);
    }

    // The stored choice, else the browser's language; nothing is written before a choice.
    void ChooseLanguage(const std::string& browserLanguage) {
        text::SetLanguage(StartLanguage(m_settings, browserLanguage));
    }

    void RunQueuedCommands() override {
        while (auto command = m_queue.Take()) RunCommand(*command);
    }

    CommandQueue& Queue() { return m_queue; }

    WebGameWindow* Window() { return m_window.get(); }

    // What the game window's key filter makes of a key: the restart shortcuts, a keypad digit,
    // or a main-keyboard key that one of the actions holds.
    int KeyCommand(std::string_view key, std::string_view code, int modifiers, bool numLock) {
        if (!m_window) return -1;
        const KeyModifiers held{(modifiers & 1) != 0, (modifiers & 2) != 0, (modifiers & 4) != 0,
                                (modifiers & 8) != 0};
        const bool plain = !held.shift && !held.ctrl && !held.alt && !held.meta;
        if (code == "F5" && plain) return kCmdStart * 256;
        if (code == "F6" && plain) return kCmdRestartKey * 256;
        if (const auto press = KeypadDigit(code, held, numLock))
            return kCmdKey * 256 + press->digit + (press->modified ? 10 : 0);
        const auto name = MainKeyName(key, code, held);
        if (!name || !m_window->logic().Keys().Holder(*name)) return -1;
        m_lastKeyName = *name;
        return kCmdNamedKey * 256;
    }
    const std::string& LastKeyName() const { return m_lastKeyName; }
    const GameState& State() const { return *m_state; }

    void Unload() {
        if (m_window) m_window->FormUnloadOnce();
    }

private:
    void RunCommand(const QueuedCommand& command) {
        const int code = command.code;
        const int argument = command.argument;
        if (code == kCmdChoose) {
            Choose(argument);
        } else if (code == kCmdLanguage) {
            if (m_window && (argument == 0 || argument == 1))
                m_window->mnuLanguage_Click(captions::kLanguages[static_cast<size_t>(argument)]);
        } else if (code == kCmdExport) {
            Export();
        } else if (code == kCmdImport) {
            Import(command.text, command.bytes);
        } else if (code == kCmdOpenLink) {
            OpenLink(command.text);
        } else if (code == kCmdNamedKey) {
            if (m_window) m_window->logic().KeyboardKeyDown(command.text);
        } else if (m_window) {
            m_window->RunCommand(code, argument);
        }
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
        js_show_game();
        m_window = std::make_unique<WebGameWindow>(WebWindowDeps{
            *m_state,
            m_settings,
            GameServices{m_random, m_clock, m_music, m_effects, m_settings, m_dialogs, m_pacer,
                         kTowerFileName, m_store, LayoutKind::Fit},
            m_links,
            m_pause,
            m_music,
            *this,
        });
        m_window->logic().BuildFirstSpace();
    }

    // A link to a maze: a practice maze, so at the title it chooses practice at once (the
    // tower could not show it), then builds the maze or says why the link names none.
    void OpenLink(const std::string& link) {
        if (m_state->GameMode == kModeTitle) Choose(kModePractice);
        if (m_window) m_window->logic().OpenMazeCode(link);
    }

    // The records as a kestrune.ini download; the twelve records are filled in first, as the
    // ranking table fills them, so the file is whole.
    void Export() {
        LoadRanking(m_settings);
        const std::string text = m_store.Read(kSettingsFileName).value_or(std::string());
        JsonWriter json;
        json.BeginObject().String("name", kSettingsFileName).String("text", text).EndObject();
        js_download(json.Text().c_str());
    }

    // A kestrune.ini chosen by the player, its name and its bytes. Taken whole (as Unicode
    // text, which the storage holds) when the desktop's reader reads it as this game's
    // settings; otherwise refused, and nothing changes.
    void Import(const std::string& name, const std::string& bytes) {
        const auto text = ImportedSettingsText(bytes);
        if (!text) {
            m_dialogs.ShowMessage(
                text::Trf(
                    "「{0}」は Kestrune の記録ファイルではありません。記録は何も変わっていません。",
                    {name}),
                "Kestrune");
            return;
        }
        if (!m_store.Write(kSettingsFileName, *text)) return;
        // The file replaced everything: what this run kept unsaved is no longer the player's.
        m_settings.DiscardUnsaved();
        if (m_window) {
            // Its animation, keys and language count at once, as they will at the next start;
            // the window's unload then stores the file's animation, not the one it replaced.
            m_window->logic().mnuAnimation_Click(AnimationIndexFromSetting(
                m_settings.ReadSetting(kSettingsSection, "Animation", "3")));
            m_window->logic().StoreKeys(LoadKeyBindings(m_settings));
            const auto language = m_settings.FindSetting(kSettingsSection, kLanguageKey);
            const auto chosen = language ? text::LanguageFromCode(*language) : std::nullopt;
            if (chosen && *chosen != text::CurrentLanguage())
                m_window->mnuLanguage_Click(*chosen);
            else
                m_window->ShowKeyTooltips();
            m_window->ShowRanking();
        }
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
    CommandQueue m_queue;
    WebPause m_pause{m_queue};
    WebLinks m_links;
    std::unique_ptr<WebGameWindow> m_window;
    std::string m_lastKeyName;
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

// Prepares the game state and the language; returns the windows' description (JSON).
EMSCRIPTEN_KEEPALIVE const char* kestrune_start(const char* browserLanguage) {
    TheApp().ChooseLanguage(browserLanguage ? browserLanguage : "");
    return kestrune::web::Keep(
        kestrune::web::WindowDescriptionJson(kestrune::text::Tr(kestrune::kAutoCruiseIdle)));
}

// Queues a command of the page (commands.h) with its text and bytes (both may be empty);
// `repeat` marks a held key's auto-repeat. A plain call, also made while the game waits.
EMSCRIPTEN_KEEPALIVE void kestrune_enqueue(int code, int argument, const char* text,
                                           const char* bytes, int length, int repeat) {
    TheApp().Queue().Push({code, argument, text ? text : "",
                           bytes ? std::string(bytes, static_cast<size_t>(length)) : std::string(),
                           repeat != 0});
}

// How many commands wait; the page pumps while any do.
EMSCRIPTEN_KEEPALIVE int kestrune_queued() {
    return static_cast<int>(TheApp().Queue().Size());
}

// The largest records file the game takes in; the page reads no larger one.
EMSCRIPTEN_KEEPALIVE int kestrune_import_limit() {
    return static_cast<int>(kestrune::web::kImportLimit);
}

// Runs every queued command, waiting where the game waits (called through Asyncify).
EMSCRIPTEN_KEEPALIVE void kestrune_pump() {
    TheApp().RunQueuedCommands();
}

// The command of a key press, packed as command * 256 + argument; -1 when the key is not the
// game's (the page then leaves it to the browser). `modifiers`: Shift 1, Ctrl 2, Alt 4, Meta 8.
// A main-keyboard key that an action holds comes back as kCmdNamedKey, its name from
// kestrune_key_name.
EMSCRIPTEN_KEEPALIVE int kestrune_key(const char* key, const char* code, int modifiers,
                                      int numLock) {
    return TheApp().KeyCommand(key ? key : "", code ? code : "", modifiers, numLock != 0);
}

EMSCRIPTEN_KEEPALIVE const char* kestrune_key_name() {
    return TheApp().LastKeyName().c_str();
}

// The key settings dialog, while it is open: its description (with a fresh copy of the keys),
// a key pressed in a slot's field, the default layout. Plain calls, made while the game waits
// for the dialog.
EMSCRIPTEN_KEEPALIVE const char* kestrune_keys_begin() {
    auto* window = TheApp().Window();
    return kestrune::web::Keep(window ? window->BeginKeySettings() : "null");
}

EMSCRIPTEN_KEEPALIVE const char* kestrune_keys_offer(int slot, const char* key, const char* code,
                                                     int modifiers) {
    auto* window = TheApp().Window();
    return kestrune::web::Keep(
        window ? window->OfferKey(slot, key ? key : "", code ? code : "", modifiers) : "null");
}

EMSCRIPTEN_KEEPALIVE const char* kestrune_keys_defaults() {
    auto* window = TheApp().Window();
    return kestrune::web::Keep(window ? window->KeyDefaults() : "null");
}

// "同じ条件でもう一度" is enabled as the menu opens when this is 1.
EMSCRIPTEN_KEEPALIVE int kestrune_restart_enabled() {
    auto* window = TheApp().Window();
    return window && window->logic().mnuFile_Click() ? 1 : 0;
}

// For the tests: the fingerprint of the maze in play (MazeDigest), in hexadecimal, to compare
// with the native build's.
EMSCRIPTEN_KEEPALIVE const char* kestrune_maze_digest() {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx",
                  static_cast<unsigned long long>(kestrune::MazeDigest(TheApp().State())));
    return kestrune::web::Keep(hex);
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
