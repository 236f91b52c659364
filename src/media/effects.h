// Short sound effects by file name: where the files are looked for, and loading each once.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "media/audio.h"

namespace kestrune {

// The first existing file named `name` in the current directory, then programDirectory,
// then the installed data directory. Empty when there is none.
std::string FindEffectFile(const std::string& name, const std::string& programDirectory);

// A platform's WAV player: decodes a file once, then plays it without waiting. All plays
// share one voice, so a new effect cuts off one still sounding.
class IEffectPlayer {
public:
    using SoundId = int;
    virtual ~IEffectPlayer() = default;
    virtual std::optional<SoundId> Load(const std::string& path) = 0;
    virtual void Play(SoundId sound) = 0;
};

class NullEffectPlayer final : public IEffectPlayer {
public:
    std::optional<SoundId> Load(const std::string&) override { return std::nullopt; }
    void Play(SoundId) override {}
};

// ISoundEffects on an effect player. A missing file is silent; it is looked for again next
// time, so a file put in place later is found. A file that exists but cannot be decoded is
// not retried on every step.
class SoundEffects final : public ISoundEffects {
public:
    using Finder = std::function<std::string(const std::string& name)>;

    SoundEffects(IEffectPlayer& player, Finder find);
    void PlayEffect(const std::string& fileName) override;

private:
    IEffectPlayer& m_player;
    Finder m_find;
    std::map<std::string, std::optional<IEffectPlayer::SoundId>> m_loaded;
};

}  // namespace kestrune
