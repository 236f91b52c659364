#include "media/music.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

namespace kestrune {

Music::Music(IMusicDevice& device, std::string programDirectory, std::string dataDirectory)
    : m_device(device),
      m_programDirectory(std::move(programDirectory)),
      m_dataDirectory(std::move(dataDirectory)) {}

Music::~Music() {
    m_device.SetEndedHandler({});
}

void Music::ListenForEnds(Post post) {
    std::weak_ptr<Music*> self = m_self;
    m_device.SetEndedHandler([post = std::move(post), self] {
        post([self] {
            if (const auto music = self.lock()) (*music)->Timer2_Timer();
        });
    });
}

void Music::StartMusic(const std::string& fileName) {
    // The separator goes in unconditionally; a doubled one is harmless in a path.
    std::string path = m_programDirectory + "/" + fileName;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !m_dataDirectory.empty() &&
        std::filesystem::exists(m_dataDirectory + "/" + fileName, ec))
        path = m_dataDirectory + "/" + fileName;
    m_device.Open(path, kAlias);
    m_device.PlayFromStart(kAlias);
}

void Music::StopMusic() {
    m_device.Stop(kAlias);
    m_device.Close(kAlias);
}

void Music::Timer2_Timer() {
    const MusicStatus status = m_device.Status(kAlias);
    if (status.result == DeviceResult::NotOpen) return;
    std::string head = status.mode.substr(0, 7);
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (head == "STOPPED") m_device.PlayFromStart(kAlias);
}

}  // namespace kestrune
