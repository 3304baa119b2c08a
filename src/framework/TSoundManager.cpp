#include "framework/TSoundManager.h"

#include "framework/QtSoundOutput.h"

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

std::unique_ptr<ISoundOutput> TSoundManager::CreateDefaultOutput() {
    return std::make_unique<QtSoundOutput>();
}

void TSoundManager::Play(const char* name, bool wait) {
    // The preference may change at any time, so it is asked afresh for every sound.
    if (m_enabled && !m_enabled())
        return;
    if (m_output)
        m_output->Play(QString::fromLatin1(name), wait);
}
