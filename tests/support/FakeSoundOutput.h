#pragma once

#include "framework/TSoundManager.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// Records every sound a TSoundManager asks for instead of playing it.
//
//     auto fake = std::make_unique<FakeSoundOutput>();
//     FakeSoundOutput* sounds = fake.get();
//     TSoundManager manager(std::move(fake), [] { return true; });
//     ...
//     QCOMPARE(sounds->Names(), QStringList{"SHUFFLE"});
class FakeSoundOutput : public ISoundOutput {
public:
    struct Call {
        QString name;
        bool wait = false;
        bool operator==(const Call&) const = default;
    };

    void Play(const QString& name, bool wait) override;

    const std::vector<Call>& Calls() const { return m_calls; }
    // The names played so far, oldest first.
    QStringList Names() const;
    // How many times `name` was played.
    int Count(const QString& name) const;
    bool Empty() const { return m_calls.empty(); }
    void Clear() { m_calls.clear(); }

    // Called at each play (after it is recorded), e.g. to inspect the table at the
    // moment a sound would start.
    void SetOnPlay(std::function<void(const Call&)> onPlay) { m_onPlay = std::move(onPlay); }

    // Convenience: a manager whose sounds are recorded by the returned fake (owned
    // by the manager). `enabled` defaults to always on.
    static std::unique_ptr<TSoundManager> MakeManager(
        FakeSoundOutput** fake, std::function<bool()> enabled = [] { return true; });

private:
    std::vector<Call> m_calls;
    std::function<void(const Call&)> m_onPlay;
};
