#include "media/audio_system.h"

#include "media/effects.h"

namespace kestrune {

namespace {

class SilentAudio final : public AudioSystem {
public:
    explicit SilentAudio(const std::string& programDirectory)
        : m_music(m_device, programDirectory),
          m_effects(m_player, [programDirectory](const std::string& name) {
              return FindEffectFile(name, programDirectory);
          }) {}
    Music& music() override { return m_music; }
    ISoundEffects& effects() override { return m_effects; }
    bool hasSound() const override { return false; }

private:
    NullMusicDevice m_device;
    NullEffectPlayer m_player;
    Music m_music;
    SoundEffects m_effects;
};

}  // namespace

std::unique_ptr<AudioSystem> CreateSilentAudio(const std::string& programDirectory) {
    return std::make_unique<SilentAudio>(programDirectory);
}

}  // namespace kestrune
