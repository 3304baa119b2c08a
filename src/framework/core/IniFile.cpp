#include "framework/core/IniFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QMutexLocker>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <optional>

namespace IniFile {

namespace {

constexpr int MaxValueLength = 255;
// How long a writer waits for another program's write to finish before giving up.
std::atomic<qint64> g_lockWaitMs = 5000;

QMutex g_dirMutex;
QString g_dir;

// Serialises writers inside this process; the lock file does the same between processes.
QMutex g_writeMutex;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArrayView Trimmed(QByteArrayView bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && IsBlank(bytes[begin]))
        ++begin;
    while (end > begin && IsBlank(bytes[end - 1]))
        --end;
    return bytes.sliced(begin, end - begin);
}

enum class LineKind { Blank, Comment, Section, Key, Other };

// One line of the file as offsets into its bytes, so untouched lines are written back verbatim.
struct Line {
    qsizetype begin = 0; // first byte of the line
    qsizetype end = 0;   // end of the content, before "\r\n" or "\n"
    qsizetype next = 0;  // first byte of the following line
    LineKind kind = LineKind::Other;
    qsizetype equals = -1; // position of the first '=' of a key line
    QString name;          // section name or key name
};

struct Parsed {
    QList<Line> lines;
    QByteArray eol = "\n";
};

Parsed Parse(const QByteArray& data) {
    Parsed parsed;
    qsizetype pos = 0;
    // A byte order mark is not part of the first line's text.
    if (data.startsWith("\xEF\xBB\xBF"))
        pos = 3;
    bool eolKnown = false;
    while (pos < data.size()) {
        Line line;
        line.begin = pos;
        const qsizetype newline = data.indexOf('\n', pos);
        if (newline < 0) {
            line.end = data.size();
            line.next = data.size();
        } else {
            line.end = newline;
            line.next = newline + 1;
            if (newline > pos && data[newline - 1] == '\r')
                line.end = newline - 1;
            if (!eolKnown) {
                parsed.eol = line.end == newline ? QByteArray("\n") : QByteArray("\r\n");
                eolKnown = true;
            }
        }
        const QByteArrayView content =
            Trimmed(QByteArrayView(data).sliced(line.begin, line.end - line.begin));
        if (content.isEmpty()) {
            line.kind = LineKind::Blank;
        } else if (content[0] == ';' || content[0] == '#') {
            line.kind = LineKind::Comment;
        } else if (content[0] == '[') {
            line.kind = LineKind::Section;
            QByteArrayView name = content.sliced(1);
            const qsizetype close = name.indexOf(']');
            if (close >= 0)
                name = name.first(close);
            line.name = QString::fromUtf8(Trimmed(name));
        } else {
            const qsizetype equals = content.indexOf('=');
            if (equals >= 0) {
                line.kind = LineKind::Key;
                line.equals = (content.data() - data.constData()) + equals;
                line.name = QString::fromUtf8(Trimmed(content.first(equals)));
            }
        }
        parsed.lines.append(std::move(line));
        pos = parsed.lines.last().next;
    }
    return parsed;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the first line holding the key in any section of that name (duplicates: the first wins).
std::optional<qsizetype> FindKey(const Parsed& parsed, const QString& section, const QString& key) {
    bool inSection = false;
    for (qsizetype i = 0; i < parsed.lines.size(); ++i) {
        const Line& line = parsed.lines[i];
        if (line.kind == LineKind::Section)
            inSection = SameName(line.name, section);
        else if (inSection && line.kind == LineKind::Key && SameName(line.name, key))
            return i;
    }
    return std::nullopt;
}

QString ValueOf(const QByteArray& data, const Line& line) {
    return QString::fromUtf8(
        Trimmed(QByteArrayView(data).sliced(line.equals + 1, line.end - line.equals - 1)));
}

QString CutToLimit(QString text) {
    if (text.size() <= MaxValueLength)
        return text;
    qsizetype length = MaxValueLength;
    // Never leave half of a surrogate pair behind.
    if (text.at(length - 1).isHighSurrogate())
        --length;
    text.truncate(length);
    return text;
}

// Reads the whole file; nullopt when it exists but cannot be read (a writer must not replace it then).
std::optional<QByteArray> ReadBytes(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    if (!info.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool HasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || text.contains(QChar(0));
}

// The file's bytes with key = value set; every other line keeps its exact bytes.
QByteArray WithKey(const QByteArray& data, const QString& section, const QString& key, const QString& value) {
    const Parsed parsed = Parse(data);
    const QByteArray valueBytes = value.toUtf8();

    if (const auto found = FindKey(parsed, section, key)) {
        const Line& line = parsed.lines[*found];
        QByteArray result = data.first(line.equals + 1);
        result += valueBytes;
        result += QByteArrayView(data).sliced(line.end);
        return result;
    }

    const QByteArray newKey = key.toUtf8() + '=' + valueBytes + parsed.eol;

    // Insert after the last key of the first section of that name, before any blank lines that part it
    // from the next section.
    qsizetype sectionLine = -1;
    for (qsizetype i = 0; i < parsed.lines.size(); ++i) {
        const Line& line = parsed.lines[i];
        if (line.kind == LineKind::Section && SameName(line.name, section)) {
            sectionLine = i;
            break;
        }
    }
    if (sectionLine >= 0) {
        qsizetype last = sectionLine;
        for (qsizetype i = sectionLine + 1; i < parsed.lines.size(); ++i) {
            const LineKind kind = parsed.lines[i].kind;
            if (kind == LineKind::Section)
                break;
            if (kind != LineKind::Blank)
                last = i;
        }
        const Line& after = parsed.lines[last];
        QByteArray result = data.first(after.next);
        if (after.next == after.end) // the last line of the file had no line end
            result += parsed.eol;
        result += newKey;
        result += QByteArrayView(data).sliced(after.next);
        return result;
    }

    QByteArray result = data;
    if (!result.isEmpty() && !result.endsWith('\n'))
        result += parsed.eol;
    if (!parsed.lines.isEmpty() && parsed.lines.last().kind != LineKind::Blank)
        result += parsed.eol;
    result += '[' + section.toUtf8() + ']' + parsed.eol;
    result += newKey;
    return result;
}

bool IsWritableSection(const QString& section) {
    return !section.trimmed().isEmpty() && !HasLineBreak(section) && !section.contains(QLatin1Char(']'));
}

bool IsWritableKey(const QString& key) {
    const QString trimmed = key.trimmed();
    return !trimmed.isEmpty() && !HasLineBreak(key) && !key.contains(QLatin1Char('=')) &&
           !trimmed.startsWith(QLatin1Char('[')) && !trimmed.startsWith(QLatin1Char(';')) &&
           !trimmed.startsWith(QLatin1Char('#'));
}

// The lock beside the file is named in lower case, so every spelling of the file name shares it.
QString LockPath(const QString& path) {
    const QFileInfo info(path);
    return info.absolutePath() + QLatin1Char('/') + info.fileName().toLower() + QStringLiteral(".lock");
}

bool AcquireLock(QLockFile& lock) {
    // Short polls instead of QLockFile's doubling sleeps: writes are tiny, and a busy
    // neighbour must not make us wait seconds.
    QDeadlineTimer deadline(g_lockWaitMs.load());
    int sleepMs = 1;
    while (true) {
        if (lock.tryLock(0))
            return true;
        if (lock.error() != QLockFile::LockFailedError)
            return false; // folder missing or not writable
        if (deadline.hasExpired())
            return false;
        QThread::msleep(sleepMs);
        sleepMs = std::min(sleepMs * 2, 20);
    }
}

} // namespace

QString Directory() {
    QMutexLocker locker(&g_dirMutex);
    if (!g_dir.isEmpty())
        return g_dir;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quintaro");
}

void SetDirectory(const QString& dir) {
    QMutexLocker locker(&g_dirMutex);
    g_dir = dir;
}

void SetLockTimeout(std::chrono::milliseconds timeout) {
    g_lockWaitMs = timeout.count();
}

QString ResolvePath(const QString& fileName) {
    const QFileInfo given(fileName);
    const QDir dir(given.isAbsolute() ? given.absolutePath() : Directory());
    const QString name = given.isAbsolute() ? given.fileName() : fileName;
    // Always the first match in sorted order, never simply the exact name: should two spellings
    // exist side by side, every spelling must still reach one and the same file.
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries) {
        if (SameName(entry, name))
            return dir.filePath(entry);
    }
    return dir.filePath(name);
}

QString ReadString(const QString& fileName, const QString& section, const QString& key,
                   const QString& defaultText) {
    if (fileName.isEmpty() || section.isEmpty() || key.isEmpty())
        return CutToLimit(defaultText);
    const auto data = ReadBytes(ResolvePath(fileName));
    if (!data || data->isEmpty())
        return CutToLimit(defaultText);
    const Parsed parsed = Parse(*data);
    const auto found = FindKey(parsed, section.trimmed(), key.trimmed());
    if (!found)
        return CutToLimit(defaultText);
    return CutToLimit(ValueOf(*data, parsed.lines[*found]));
}

bool WriteString(const QString& fileName, const QString& section, const QString& key, const QString& value) {
    return WriteStrings(fileName, section, {{key, value}});
}

bool WriteStrings(const QString& fileName, const QString& section,
                  const QList<QPair<QString, QString>>& keyValues) {
    // Names and values that would break the line structure are refused rather than
    // written as extra keys or sections.
    if (fileName.isEmpty() || !IsWritableSection(section))
        return false;
    if (keyValues.isEmpty())
        return true;
    for (const auto& [key, value] : keyValues) {
        if (!IsWritableKey(key) || HasLineBreak(value))
            return false;
    }

    QMutexLocker writeLocker(&g_writeMutex);
    QString path = ResolvePath(fileName);
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return false;

    QLockFile lock(LockPath(path));
    if (!AcquireLock(lock))
        return false;
    // Another program may have created the file in another spelling while we waited.
    path = ResolvePath(fileName);

    const auto data = ReadBytes(path);
    if (!data)
        return false;
    QByteArray updated = *data;
    for (const auto& [key, value] : keyValues)
        updated = WithKey(updated, section.trimmed(), key.trimmed(), value);
    if (updated == *data && QFileInfo::exists(path))
        return true;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(updated) != updated.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QList<QPair<QString, QString>> ReadSection(const QString& path, const QString& section) {
    QList<QPair<QString, QString>> entries;
    const auto data = ReadBytes(ResolvePath(path));
    if (!data || section.isEmpty())
        return entries;
    const Parsed parsed = Parse(*data);
    bool inSection = false;
    for (const Line& line : parsed.lines) {
        if (line.kind == LineKind::Section)
            inSection = SameName(line.name, section.trimmed());
        else if (inSection && line.kind == LineKind::Key)
            entries.append({line.name, ValueOf(*data, line)});
    }
    return entries;
}

} // namespace IniFile
