#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

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
    // The length of a named sound resource, from its wave header; 0 when unknown.
    static qint64 ResourceLengthMs(const QString& name);
};
