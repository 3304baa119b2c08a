#include "framework/QtSoundOutput.h"

#include "cards/Resources.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

namespace {

const char* const kSoundNames[] = {"AUTOPLAY", "DEAL",  "JESTER", "OPEN",   "RESTART",
                                   "SHUFFLE",  "STOCK", "UNDO",   "WIN_SND"};

quint32 ReadU32(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint32>(data.constData() + at);
}

quint16 ReadU16(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint16>(data.constData() + at);
}

} // namespace

qint64 TWavInfo::DurationMs() const {
    const qint64 bytesPerSecond = qint64(sampleRate) * channels * (bitsPerSample / 8);
    return bytesPerSecond > 0 ? dataBytes * 1000 / bytesPerSecond : 0;
}

std::optional<TWavInfo> TWavInfo::Parse(const QByteArray& file) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    TWavInfo info;
    bool haveFormat = false;
    qsizetype at = 12;
    // Walk the chunks; sizes come from the file, so every step is checked
    // against its real length.
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const qint64 size = ReadU32(file, at + 4);
        const qint64 body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > file.size())
                return std::nullopt;
            if (ReadU16(file, body) != 1) // uncompressed PCM only
                return std::nullopt;
            info.channels = ReadU16(file, body + 2);
            info.sampleRate = int(ReadU32(file, body + 4));
            info.bitsPerSample = ReadU16(file, body + 14);
            if (info.channels <= 0 || info.sampleRate <= 0 || info.bitsPerSample <= 0 ||
                info.bitsPerSample % 8 != 0)
                return std::nullopt;
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            // A writer that never patched the size leaves it too large: trust the file.
            info.dataBytes = std::min<qint64>(size, file.size() - body);
            return info;
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    return std::nullopt;
}

QtSoundOutput::QtSoundOutput(DeviceCheck check, QObject* parent) : QObject(parent), m_check(check) {
    if (DeviceAvailable())
        LoadAll();
}

QtSoundOutput::~QtSoundOutput() = default;

qint64 QtSoundOutput::ClipLengthMs(const QString& name) {
    QFile file(Resources::Path(name));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const std::optional<TWavInfo> info = TWavInfo::Parse(file.readAll());
    return info ? info->DurationMs() : 0;
}

bool QtSoundOutput::DeviceAvailable() const {
    return m_check == DeviceCheck::Ignore || !QMediaDevices::audioOutputs().isEmpty();
}

void QtSoundOutput::LoadAll() {
    if (m_loaded)
        return;
    m_loaded = true;
    for (const char* name : kSoundNames) {
        const QString path = Resources::Path(QString::fromLatin1(name));
        if (path.isEmpty())
            continue; // a missing sound is silent
        Clip clip;
        clip.effect = new QSoundEffect(this);
        clip.effect->setSource(QUrl(QStringLiteral("qrc") + path));
        clip.lengthMs = ClipLengthMs(QString::fromLatin1(name));
        m_clips.insert(QString::fromLatin1(name), clip);
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
