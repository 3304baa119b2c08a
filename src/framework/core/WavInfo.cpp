#include "framework/core/WavInfo.h"

#include "cards/Resources.h"

#include <QFile>
#include <QtEndian>

namespace {

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

qint64 TWavInfo::ResourceLengthMs(const QString& name) {
    QFile file(Resources::Path(name));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const std::optional<TWavInfo> info = Parse(file.readAll());
    return info ? info->DurationMs() : 0;
}
