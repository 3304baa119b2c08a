#pragma once

#include "framework/SoundModule.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

// Plays the program's sounds through Qt Multimedia. Every sound is loaded
// once; without an audio output device nothing is played at all. Lives in the
// sound module, so Qt Multimedia is loaded only when the first sound plays.
class QtSoundOutput : public QObject, public ISoundOutput {
    Q_OBJECT
public:
    enum class DeviceCheck {
        Required, // play only while an audio output device exists
        Ignore,   // play even without one (the waits stay bounded)
    };

    // The extra time a synchronous play may wait beyond the clip's own length.
    static constexpr int WaitMarginMs = 400;
    // The longest the output waits, when destroyed, for sounds still loading.
    static constexpr int LoadWaitMs = 2000;

    explicit QtSoundOutput(QList<TSoundClip> clips, DeviceCheck check = DeviceCheck::Required,
                           QObject* parent = nullptr);
    ~QtSoundOutput() override;

    void Play(const QString& name, bool wait) override;

private:
    struct Clip {
        QSoundEffect* effect = nullptr; // owned by this object (Qt parent)
        qint64 lengthMs = 0;
    };

    bool DeviceAvailable() const;
    void LoadAll();
    bool AnyLoading() const;
    void WaitForLoads();
    Clip* Find(const QString& name);
    void StopCurrent();
    void WaitUntilFinished(const Clip& clip);

    QList<TSoundClip> m_sources;
    DeviceCheck m_check;
    bool m_loaded = false;
    QHash<QString, Clip> m_clips; // by upper-cased name
    QSoundEffect* m_current = nullptr;
};
