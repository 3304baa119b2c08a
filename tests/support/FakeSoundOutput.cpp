#include "support/FakeSoundOutput.h"

void FakeSoundOutput::Play(const QString& name, bool wait) {
    m_calls.push_back({name, wait});
    if (m_onPlay)
        m_onPlay(m_calls.back());
}

QStringList FakeSoundOutput::Names() const {
    QStringList names;
    for (const Call& call : m_calls)
        names << call.name;
    return names;
}

int FakeSoundOutput::Count(const QString& name) const {
    int count = 0;
    for (const Call& call : m_calls)
        count += call.name == name ? 1 : 0;
    return count;
}

std::unique_ptr<TSoundManager> FakeSoundOutput::MakeManager(FakeSoundOutput** fake,
                                                            std::function<bool()> enabled) {
    auto output = std::make_unique<FakeSoundOutput>();
    if (fake)
        *fake = output.get();
    return std::make_unique<TSoundManager>(std::move(output), std::move(enabled));
}
