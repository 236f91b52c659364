#include "web/services.h"

#include <cstdlib>
#include <memory>

#include "game/maze_code.h"
#include "navigation/menu_texts.h"
#include "text/catalogue.h"
#include "web/bridge.h"
#include "web/json.h"

namespace kestrune::web {

using text::Tr;

namespace {
// A string the page allocated, freed here.
std::optional<std::string> Take(char* text) {
    if (!text) return std::nullopt;
    std::string out(text);
    std::free(text);
    return out;
}

std::string FileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

bool WebDialogs::AskYesNo(const std::string& text, const std::string& title) {
    return js_ask_yes_no(text.c_str(), title.c_str(), Tr(kButtonYes).c_str(),
                         Tr(kButtonNo).c_str()) != 0;
}

std::string WebDialogs::InputBox(const std::string& prompt, const std::string& title) {
    return Take(js_input_box(prompt.c_str(), title.c_str(), Tr(kButtonOk).c_str(),
                             Tr(kButtonCancel).c_str()))
        .value_or(std::string());
}

void WebDialogs::ShowMessage(const std::string& text, const std::string& title) {
    js_message(text.c_str(), title.c_str(), Tr(kButtonOk).c_str());
}

std::optional<std::string> WebDialogs::MazeNumberBox(const std::string& code,
                                                     const std::string& entry) {
    using namespace captions;
    JsonWriter json;
    json.BeginObject().String("caption", Tr(kMazeNumberTitle));
    json.String("code", code).String("link", code.empty() ? "" : MazeLinkFragment(code));
    json.String("current", Tr(kMazeNumberCurrent)).String("none", Tr(kMazeNumberNone));
    json.String("copy", Tr(kMazeNumberCopy)).String("copyLink", Tr(kMazeNumberCopyLink));
    json.String("entryLabel", Tr(kMazeNumberEntry)).String("entry", entry);
    json.String("build", Tr(kMazeNumberBuild)).String("close", Tr(kMazeNumberClose));
    json.EndObject();
    return Take(js_maze_number_box(json.Text().c_str()));
}

void WebDialogs::Beep() {
    js_beep();
}

void WebFramePacer::WaitFrame() {
    js_wait_frame();
}

bool WebPause::Pause(int milliseconds) {
    m_queue.SetInputDropped(true);
    const bool paused = js_pause(milliseconds) != 0;
    m_queue.SetInputDropped(false);
    return paused;
}

void WebLinks::Open(const std::string& target) {
    js_open(target.c_str());
}

std::string LocalStore::Key(const std::string& name) {
    return "kestrune/" + name;
}

bool LocalStore::Exists(const std::string& name) {
    return js_storage_exists(Key(name).c_str()) != 0;
}

std::optional<std::string> LocalStore::Read(const std::string& name) {
    return Take(js_storage_read(Key(name).c_str()));
}

bool LocalStore::Write(const std::string& name, const std::string& text) {
    if (js_storage_write(Key(name).c_str(), text.data(), static_cast<int>(text.size())))
        return true;
    js_notice(Tr("ブラウザに記録を保存できませんでした（保存領域がいっぱいか、保存が許可されていま"
                 "せん）。"
                 "前に保存した記録はそのまま残っています。")
                  .c_str());
    return false;
}

bool LocalStore::Remove(const std::string& name) {
    return js_storage_remove(Key(name).c_str()) != 0;
}

DeviceResult WebMusicDevice::Open(const std::string& path, const std::string& alias) {
    m_open[alias] = Piece{FileName(path), false};
    return DeviceResult::Ok;
}

DeviceResult WebMusicDevice::PlayFromStart(const std::string& alias) {
    auto piece = m_open.find(alias);
    if (piece == m_open.end()) return DeviceResult::NotOpen;
    piece->second.playing = true;
    js_music_start(piece->second.name.c_str());
    return DeviceResult::Ok;
}

DeviceResult WebMusicDevice::Stop(const std::string& alias) {
    auto piece = m_open.find(alias);
    if (piece == m_open.end()) return DeviceResult::NotOpen;
    if (piece->second.playing) js_music_stop();
    piece->second.playing = false;
    return DeviceResult::Ok;
}

DeviceResult WebMusicDevice::Close(const std::string& alias) {
    return m_open.erase(alias) ? DeviceResult::Ok : DeviceResult::NotOpen;
}

MusicStatus WebMusicDevice::Status(const std::string& alias) {
    auto piece = m_open.find(alias);
    if (piece == m_open.end()) return {};
    return {DeviceResult::Ok, piece->second.playing ? "playing" : "stopped"};
}

std::optional<IEffectPlayer::SoundId> WebEffectPlayer::Load(const std::string& path) {
    const SoundId id = static_cast<SoundId>(m_names.size());
    m_names[id] = FileName(path);
    js_effect_load(m_names[id].c_str());
    return id;
}

void WebEffectPlayer::Play(SoundId sound) {
    auto name = m_names.find(sound);
    if (name != m_names.end()) js_effect_play(name->second.c_str());
}

}  // namespace kestrune::web
