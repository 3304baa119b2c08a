// Arbitrary settings-file contents and names through the ini reader and writer.
// Reads must never crash; a write that succeeds must read back, and a refused
// write must leave the file's bytes untouched.

#include "framework/core/IniFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString Take(FuzzedDataProvider& data) {
    const std::string bytes = data.ConsumeRandomLengthString(64);
    return QString::fromUtf8(bytes.data(), static_cast<int>(bytes.size()));
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A value that the file format keeps exactly: no surrounding blanks, no line breaks.
bool Plain(const QString& text) {
    if (text.isEmpty() || text.size() > 255 || text.trimmed() != text)
        return false;
    for (QChar c : text)
        if (c.unicode() < 0x20 || c == QChar(0x7F) || c.isSpace() || c.isSurrogate() ||
            c.category() == QChar::Other_NotAssigned)
            return false;
    return true;
}

QTemporaryDir* s_dir = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    s_dir = new QTemporaryDir; // lives for the whole run
    IniFile::SetDirectory(s_dir->path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const QString section = Take(data);
    const QString key = Take(data);
    const QString value = Take(data);
    const std::string contents = data.ConsumeRemainingBytesAsString();

    const QString path = s_dir->path() + QStringLiteral("/Solitaire.ini");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(contents.data(), static_cast<qint64>(contents.size()));
    }
    IniFile::ReadString(QStringLiteral("Solitaire.ini"), section, key, QStringLiteral("None"));
    IniFile::ReadSection(path, section);

    const QByteArray before = FileBytes(path);
    if (!IniFile::WriteString(QStringLiteral("Solitaire.ini"), section, key, value)) {
        if (FileBytes(path) != before)
            std::abort(); // a refused write changed the file
        return 0;
    }
    if (Plain(section) && Plain(key) && Plain(value) &&
        IniFile::ReadString(QStringLiteral("Solitaire.ini"), section, key, QStringLiteral("None")) != value)
        std::abort(); // a written value did not read back
    return 0;
}
