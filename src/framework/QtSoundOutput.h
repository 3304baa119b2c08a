#pragma once

#include "framework/TSoundManager.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <optional>

class QSoundEffect;

// The format of a PCM wave file, read from its header.
struct TWavInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    qint64 dataBytes = 0;

    qint64 DurationMs() const;
    // Parses a RIFF/WAVE file; nothing when it is not an uncompressed PCM wave
    // or its chunks are damaged.
    static std::optional<TWavInfo> Parse(const QByteArray& file);
};

// Plays the program's sound resources through Qt Multimedia. Every sound is
// loaded once; without an audio output device nothing is played at all.
class QtSoundOutput : public QObject, public ISoundOutput {
    Q_OBJECT
public:
    enum class DeviceCheck {
        Required, // play only while an audio output device exists
        Ignore,   // play even without one (the waits stay bounded)
    };

    // The extra time a synchronous play may wait beyond the clip's own length.
    static constexpr int WaitMarginMs = 400;

    explicit QtSoundOutput(DeviceCheck check = DeviceCheck::Required, QObject* parent = nullptr);
    ~QtSoundOutput() override;

    void Play(const QString& name, bool wait) override;

    // The length of a named sound resource, from its wave header; 0 when unknown.
    static qint64 ClipLengthMs(const QString& name);

private:
    struct Clip {
        QSoundEffect* effect = nullptr; // owned by this object (Qt parent)
        qint64 lengthMs = 0;
    };

    bool DeviceAvailable() const;
    void LoadAll();
    Clip* Find(const QString& name);
    void StopCurrent();
    void WaitUntilFinished(const Clip& clip);

    DeviceCheck m_check;
    bool m_loaded = false;
    QHash<QString, Clip> m_clips; // by upper-cased name
    QSoundEffect* m_current = nullptr;
};
