#include "sound/QtSoundOutput.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

QtSoundOutput::QtSoundOutput(QList<TSoundClip> clips, DeviceCheck check, QObject* parent)
    : QObject(parent), m_sources(std::move(clips)), m_check(check) {
    if (DeviceAvailable())
        LoadAll();
}

QtSoundOutput::~QtSoundOutput() {
    WaitForLoads();
}

bool QtSoundOutput::AnyLoading() const {
    for (const Clip& clip : m_clips)
        if (clip.effect->status() == QSoundEffect::Loading)
            return true;
    return false;
}

void QtSoundOutput::WaitForLoads() {
    // Qt's loader thread loses its request objects when a sound is destroyed in the
    // middle of loading, so an output dropped right after it was made (quitting at
    // once) lets the small resources finish first; bounded, in case one never does.
    if (!AnyLoading())
        return;
    QEventLoop loop;
    for (const Clip& clip : m_clips)
        connect(clip.effect, &QSoundEffect::statusChanged, &loop, [&] {
            if (!AnyLoading())
                loop.quit();
        });
    QTimer::singleShot(LoadWaitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool QtSoundOutput::DeviceAvailable() const {
    return m_check == DeviceCheck::Ignore || !QMediaDevices::audioOutputs().isEmpty();
}

void QtSoundOutput::LoadAll() {
    if (m_loaded)
        return;
    m_loaded = true;
    for (const TSoundClip& source : m_sources) {
        if (source.path.isEmpty())
            continue; // a missing sound is silent
        Clip clip;
        clip.effect = new QSoundEffect(this);
        clip.effect->setSource(QUrl(QStringLiteral("qrc") + source.path));
        clip.lengthMs = source.lengthMs;
        m_clips.insert(source.name.toUpper(), clip);
    }
}

QtSoundOutput::Clip* QtSoundOutput::Find(const QString& name) {
    const auto it = m_clips.find(name.toUpper());
    return it == m_clips.end() ? nullptr : &it.value();
}

void QtSoundOutput::StopCurrent() {
    if (m_current && m_current->isPlaying())
        m_current->stop();
    m_current = nullptr;
}

void QtSoundOutput::Play(const QString& name, bool wait) {
    // Checked at every play: a device may come or go while the program runs.
    if (!DeviceAvailable())
        return;
    LoadAll();
    StopCurrent();
    Clip* clip = Find(name);
    if (!clip || clip->effect->status() == QSoundEffect::Error)
        return;
    m_current = clip->effect;
    clip->effect->play();
    if (wait)
        WaitUntilFinished(*clip);
}

void QtSoundOutput::WaitUntilFinished(const Clip& clip) {
    QSoundEffect* effect = clip.effect;
    QEventLoop loop;
    connect(effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect->isPlaying())
            loop.quit();
    });
    connect(effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect->status() == QSoundEffect::Error)
            loop.quit();
    });
    // Some back ends never report the end of a clip (or play forever without a
    // device), so the wait is bounded by the clip's own length.
    QTimer::singleShot(clip.lengthMs + WaitMarginMs, &loop, &QEventLoop::quit);
    // A click must not be handled in the middle of, say, an autoplay cascade.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

extern "C" Q_DECL_EXPORT ISoundOutput* QuintaroCreateSoundOutput(const QList<TSoundClip>& clips,
                                                                 bool requireDevice) {
    return new QtSoundOutput(clips, requireDevice ? QtSoundOutput::DeviceCheck::Required
                                                  : QtSoundOutput::DeviceCheck::Ignore);
}
