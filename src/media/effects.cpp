#include "media/effects.h"

#include <filesystem>
#include <utility>

#include "game/files.h"

namespace kestrune {

namespace fs = std::filesystem;

std::string FindEffectFile(const std::string& name, const std::string& programDirectory) {
    return FindDataFile(name, programDirectory);
}

SoundEffects::SoundEffects(IEffectPlayer& player, Finder find)
    : m_player(player), m_find(std::move(find)) {}

void SoundEffects::PlayEffect(const std::string& fileName) {
    auto known = m_loaded.find(fileName);
    if (known == m_loaded.end()) {
        const std::string path = m_find(fileName);
        if (path.empty()) return;
        known = m_loaded.emplace(fileName, m_player.Load(path)).first;
    }
    if (known->second) m_player.Play(*known->second);
}

}  // namespace kestrune
