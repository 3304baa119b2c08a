#include "framework/TSoundManager.h"

#include "cards/Resources.h"
#include "framework/SoundModule.h"
#include "framework/core/Modules.h"
#include "framework/core/WavInfo.h"

namespace {

const char* const SoundNames[] = {"AUTOPLAY", "DEAL",  "JESTER", "OPEN",   "RESTART",
                                  "SHUFFLE",  "STOCK", "UNDO",   "WIN_SND"};

// Stands for the module's output until the first sound, then hands every
// sound on to it.
class ModuleSoundOutput : public ISoundOutput {
public:
    explicit ModuleSoundOutput(bool requireDevice) : m_requireDevice(requireDevice) {}

    void Play(const QString& name, bool wait) override {
        if (!m_tried) {
            m_tried = true;
            if (const auto create =
                    Modules::Find<TCreateSoundOutput>("quintaro_sound", "QuintaroCreateSoundOutput")) {
                QList<TSoundClip> clips;
                for (const char* sound : SoundNames) {
                    const QString clip = QString::fromLatin1(sound);
                    clips.append({clip, Resources::Path(clip), TWavInfo::ResourceLengthMs(clip)});
                }
                m_output.reset(create(clips, m_requireDevice));
            } else {
                qWarning("The sound module (quintaro_sound) is missing: the program plays no sounds.");
            }
        }
        if (m_output)
            m_output->Play(name, wait);
    }

private:
    bool m_requireDevice;
    bool m_tried = false;
    std::unique_ptr<ISoundOutput> m_output;
};

} // namespace

TSoundManager::TSoundManager(std::unique_ptr<ISoundOutput> output, std::function<bool()> enabled)
    : m_output(std::move(output)), m_enabled(std::move(enabled)) {
}

TSoundManager::~TSoundManager() = default;

void TSoundManager::PlayShuffle() {
    Play("SHUFFLE", true);
}
void TSoundManager::PlayRestart() {
    Play("RESTART", true);
}
void TSoundManager::PlayDeal() {
    Play("DEAL", true);
}
void TSoundManager::PlayStock() {
    Play("STOCK", true);
}
void TSoundManager::PlayUndo() {
    Play("UNDO", true);
}
void TSoundManager::PlayAutoplay() {
    Play("AUTOPLAY", true);
}
void TSoundManager::PlayAutoplayNoWait() {
    Play("AUTOPLAY", false);
}
void TSoundManager::PlayOpen() {
    Play("OPEN", false);
}
void TSoundManager::PlayJester() {
    Play("JESTER", false);
}
void TSoundManager::PlayWin() {
    Play("WIN_SND", false);
}

std::unique_ptr<ISoundOutput> TSoundManager::CreateDefaultOutput(bool requireDevice) {
    return std::make_unique<ModuleSoundOutput>(requireDevice);
}

void TSoundManager::Play(const char* name, bool wait) {
    // The preference may change at any time, so it is asked afresh for every sound.
    if (m_enabled && !m_enabled())
        return;
    if (m_output)
        m_output->Play(QString::fromLatin1(name), wait);
}
