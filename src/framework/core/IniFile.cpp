#include "framework/core/IniFile.h"

#include "framework/core/IniText.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace IniFile {

namespace {

using IniText::CutToLimit;
using IniText::FindKey;
using IniText::HasLineBreak;
using IniText::IsWritableKey;
using IniText::IsWritableSection;
using IniText::Layout;
using IniText::Parse;
using IniText::ValueOf;
using IniText::WithKey;

// How long a writer waits for another program's write to finish before giving up.
std::atomic<qint64> g_lockWaitMs = 5000;

QMutex g_dirMutex;
QString g_dir;

// Serialises writers inside this process; the lock file does the same between processes.
QMutex g_writeMutex;

// ---- failure notes ----------------------------------------------------------------

QMutex g_reportMutex;
ReportSink g_reportSink;
bool g_toldWriteFailure = false;
bool g_toldOversized = false;

void Tell(bool& told, const QString& line) {
    QMutexLocker locker(&g_reportMutex);
    if (told)
        return;
    told = true;
    if (g_reportSink) {
        g_reportSink(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

void TellWriteFailure(const QString& path, const QString& reason) {
    Tell(g_toldWriteFailure,
         QStringLiteral("Quintaro: the settings could not be saved in %1: %2. Play goes on with the values "
                        "in memory; further failures are not reported.")
             .arg(QDir::toNativeSeparators(path), reason));
}

void TellOversized(const QString& path) {
    Tell(g_toldOversized, QStringLiteral("Quintaro: %1 is larger than %2 MB, so it is neither read nor "
                                         "changed; its settings read as absent.")
                              .arg(QDir::toNativeSeparators(path))
                              .arg(MaxFileSize / (1024 * 1024)));
}

QString ErrorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// ---- what was read, kept until the file changes -----------------------------------

// A file as stat() sees it; any change on disk changes one of these.
struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    static Stamp Of(const struct stat& info) {
        return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
    }
    bool operator==(const Stamp& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }

    // A change made within the file system's time resolution of this one would leave the stamp
    // as it is; what was read so soon after a change is therefore read again next time.
    bool SettledAt(const timespec& now) const {
        constexpr time_t Resolution = 2; // seconds, the coarsest of the common file systems
        return now.tv_sec - std::max(modified.tv_sec, changed.tv_sec) > Resolution;
    }
};

timespec Now() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

struct Snapshot {
    QByteArray data;
    Layout layout;
};

// The whole file up to one byte beyond the size limit, read in pieces so that a small file
// costs a small buffer; nothing when it cannot be read.
std::optional<QByteArray> ReadAtMostTheLimit(QFile& file) {
    constexpr qint64 Piece = 64 * 1024;
    QByteArray data;
    while (data.size() <= MaxFileSize) {
        const qsizetype had = data.size();
        data.resize(had + Piece);
        const qint64 n = file.read(data.data() + had, std::min<qint64>(Piece, MaxFileSize + 1 - had));
        if (n < 0)
            return std::nullopt;
        data.resize(had + n);
        if (n == 0)
            break;
    }
    return data;
}

struct CachedFile {
    Stamp stamp;
    std::shared_ptr<const Snapshot> snapshot;
};

struct CachedFolder {
    Stamp stamp;
    QStringList entries;
};

// Only a handful of files are ever read (the settings and the tips); the limit only keeps
// tests that use many folders from growing the cache.
constexpr qsizetype CacheLimit = 8;

QMutex g_cacheMutex;
QHash<QString, CachedFile> g_files;
QHash<QString, CachedFolder> g_folders;

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

std::shared_ptr<const Snapshot> MakeSnapshot(QByteArray data) {
    auto snapshot = std::make_shared<Snapshot>();
    snapshot->layout = Parse(data);
    snapshot->data = std::move(data);
    return snapshot;
}

void Remember(const QString& path, const Stamp& stamp, std::shared_ptr<const Snapshot> snapshot) {
    QMutexLocker locker(&g_cacheMutex);
    if (g_files.size() >= CacheLimit && !g_files.contains(path))
        g_files.clear();
    g_files.insert(path, {stamp, std::move(snapshot)});
}

// The file's bytes with their layout; null when the file is missing, no regular file, too large
// or unreadable, which all read as a file without keys.
std::shared_ptr<const Snapshot> Load(const QString& path) {
    struct stat info {};
    if (::stat(Native(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    if (info.st_size > MaxFileSize) {
        TellOversized(path);
        return nullptr;
    }
    {
        QMutexLocker locker(&g_cacheMutex);
        const auto cached = g_files.constFind(path);
        if (cached != g_files.constEnd() && cached->stamp == Stamp::Of(info))
            return cached->snapshot;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || ::fstat(file.handle(), &info) != 0)
        return nullptr;
    auto data = ReadAtMostTheLimit(file);
    if (!data)
        return nullptr;
    if (data->size() > MaxFileSize) {
        TellOversized(path);
        return nullptr;
    }
    auto snapshot = MakeSnapshot(std::move(*data));
    const Stamp stamp = Stamp::Of(info);
    // What was read while the file was still changing is only kept when it matches the stamp taken
    // with it and nothing could change unseen within the time resolution.
    if (stamp.size == snapshot->data.size() && stamp.SettledAt(Now()))
        Remember(path, stamp, snapshot);
    return snapshot;
}

// The folder's file names in sorted order; fresh: never from the cache.
QStringList Entries(const QString& folder, bool fresh) {
    struct stat info {};
    if (::stat(Native(folder).constData(), &info) != 0)
        return {};
    const Stamp stamp = Stamp::Of(info);
    if (!fresh) {
        QMutexLocker locker(&g_cacheMutex);
        const auto cached = g_folders.constFind(folder);
        if (cached != g_folders.constEnd() && cached->stamp == stamp)
            return cached->entries;
    }
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    if (stamp.SettledAt(Now())) {
        QMutexLocker locker(&g_cacheMutex);
        if (g_folders.size() >= CacheLimit && !g_folders.contains(folder))
            g_folders.clear();
        g_folders.insert(folder, {stamp, entries});
    }
    return entries;
}

void ForgetFolder(const QString& folder) {
    QMutexLocker locker(&g_cacheMutex);
    g_folders.remove(folder);
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString Resolve(const QString& fileName, bool fresh) {
    const QFileInfo given(fileName);
    const QString folder = given.isAbsolute() ? given.absolutePath() : Directory();
    const QString name = given.isAbsolute() ? given.fileName() : fileName;
    // Always the first match in sorted order, never simply the exact name: should two spellings
    // exist side by side, every spelling must still reach one and the same file.
    for (const QString& entry : Entries(folder, fresh)) {
        if (SameName(entry, name))
            return QDir(folder).filePath(entry);
    }
    return QDir(folder).filePath(name);
}

// ---- writing --------------------------------------------------------------------

// The file a write replaces: the path itself, or what its symbolic links lead to.
std::optional<QString> FollowLinks(const QString& path, QString* reason) {
    QString current = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        current = info.symLinkTarget();
    }
    *reason = ErrorText(ELOOP);
    return std::nullopt;
}

// Makes the folder and those above it as needed; the reason is the system's, for the first
// one that cannot be made (a file in the way, no permission).
bool MakeFolder(const QString& folder, QString* reason) {
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent != folder && !MakeFolder(parent, reason))
        return false;
    if (::mkdir(Native(folder).constData(), 0777) != 0 && errno != EEXIST) {
        *reason = ErrorText(errno);
        return false;
    }
    return true;
}

// Everything a writer leaves beside the file is named after it in lower case, so that every
// spelling of the name shares the lock.
QString Companion(const QString& target, const char* suffix) {
    const QFileInfo info(target);
    return info.absolutePath() + QLatin1Char('/') + info.fileName().toLower() + QLatin1String(suffix);
}

constexpr char LockSuffix[] = ".lock";
constexpr char TempSuffix[] = ".tmp-";

// An exclusive lock on a file beside the settings file. The kernel drops it when its owner dies,
// however it dies, so a lock is never stale: a killed writer's lock file is taken over at once.
class WriteLock {
public:
    WriteLock() = default;
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;
    ~WriteLock() { Release(); }

    bool Acquire(const QString& path, QString* reason) {
        m_path = Native(path);
        QDeadlineTimer deadline(g_lockWaitMs.load());
        int sleepMs = 1;
        while (true) {
            m_fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
            if (m_fd < 0) {
                *reason = ErrorText(errno);
                return false;
            }
            if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
                // The last owner removes the file as it lets go; a lock on a removed file locks nothing.
                struct stat held {};
                struct stat named {};
                if (::fstat(m_fd, &held) == 0 && ::stat(m_path.constData(), &named) == 0 &&
                    held.st_dev == named.st_dev && held.st_ino == named.st_ino)
                    return true;
                CloseFd();
                continue;
            }
            const int error = errno;
            CloseFd();
            if (error != EWOULDBLOCK && error != EINTR) {
                *reason = ErrorText(error);
                return false;
            }
            if (deadline.hasExpired()) {
                *reason = QStringLiteral("another program kept the file locked");
                return false;
            }
            // Short polls: writes are tiny, and a busy neighbour must not make us wait seconds.
            QThread::msleep(sleepMs);
            sleepMs = std::min(sleepMs * 2, 20);
        }
    }

    void Release() {
        if (m_fd < 0)
            return;
        ::unlink(m_path.constData());
        CloseFd();
    }

private:
    void CloseFd() {
        ::close(m_fd);
        m_fd = -1;
    }

    QByteArray m_path;
    int m_fd = -1;
};

// Temporary files exist only while their writer holds the lock, so whoever holds it now may
// remove every one it finds: they are what killed writers left.
void RemoveDeadTemps(const QString& target) {
    const QFileInfo info(target);
    const QString prefix = info.fileName().toLower() + QLatin1String(TempSuffix);
    QDir folder(info.absolutePath());
    for (const QString& name :
         folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(prefix, Qt::CaseInsensitive))
            folder.remove(name);
    }
}

struct Current {
    QByteArray data;
    bool exists = false;
    struct stat info {};
};

// The file as it is on disk now, never from the cache: a write must build on the latest content.
std::optional<Current> ReadCurrent(const QString& target, QString* reason, bool* oversized) {
    Current current;
    if (::stat(Native(target).constData(), &current.info) != 0) {
        if (errno == ENOENT)
            return current;
        *reason = ErrorText(errno);
        return std::nullopt;
    }
    if (!S_ISREG(current.info.st_mode)) {
        *reason = S_ISDIR(current.info.st_mode) ? QStringLiteral("it is a folder")
                                                : QStringLiteral("it is not a regular file");
        return std::nullopt;
    }
    if (current.info.st_size > MaxFileSize) {
        *oversized = true;
        return std::nullopt;
    }
    QFile file(target);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return std::nullopt;
    }
    auto data = ReadAtMostTheLimit(file);
    if (!data) {
        *reason = file.errorString();
        return std::nullopt;
    }
    if (data->size() > MaxFileSize) {
        *oversized = true;
        return std::nullopt;
    }
    current.data = std::move(*data);
    current.exists = true;
    return current;
}

// Writes the new content to a temporary file beside the target, makes sure all of it reached
// the disk, then renames it over the target. Any failure removes the temporary file and leaves
// the target as it was.
bool Replace(const QString& target, const QByteArray& bytes, const Current& old, QString* reason) {
    const QString prefix = Companion(target, TempSuffix);
    QByteArray temp;
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < 100; ++tries) {
        temp = Native(prefix + QString::number(QRandomGenerator::global()->generate64(), 36));
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            *reason = ErrorText(errno);
            return false;
        }
    }
    if (fd < 0) {
        *reason = ErrorText(EEXIST);
        return false;
    }
    const auto fail = [&](const QString& why) {
        *reason = why;
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.constData());
        return false;
    };

    if (old.exists) {
        // The replacement keeps the target's owner (when allowed) and permissions.
        if (::fchown(fd, old.info.st_uid, old.info.st_gid) != 0 && errno != EPERM)
            return fail(ErrorText(errno));
        if (::fchmod(fd, old.info.st_mode & 07777) != 0)
            return fail(ErrorText(errno));
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? ErrorText(errno) : QStringLiteral("nothing could be written"));
        written += n;
    }
    if (::fsync(fd) != 0)
        return fail(ErrorText(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return fail(ErrorText(errno));
    if (info.st_size != bytes.size())
        return fail(QStringLiteral("%1 of %2 bytes reached the disk").arg(info.st_size).arg(bytes.size()));
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return fail(ErrorText(errno));
    if (::rename(temp.constData(), Native(target).constData()) != 0)
        return fail(ErrorText(errno));
    // The rename itself lasts only once the folder is on disk too.
    const int folder =
        ::open(Native(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace

// ---- Edit ------------------------------------------------------------------------

struct Edit::Index : Layout {
    explicit Index(Layout layout) : Layout(std::move(layout)) {}
};

Edit::Edit(QByteArray data) : m_data(std::move(data)) {
}

Edit::~Edit() = default;

const Edit::Index& Edit::Parsed() const {
    if (!m_index)
        m_index = std::make_unique<Index>(Parse(m_data));
    return *m_index;
}

QString Edit::Read(const QString& section, const QString& key, const QString& defaultText) const {
    if (section.isEmpty() || key.isEmpty())
        return CutToLimit(defaultText);
    const auto found = FindKey(m_data, Parsed(), section.trimmed(), key.trimmed());
    return CutToLimit(found ? ValueOf(m_data, *found) : defaultText);
}

bool Edit::Write(const QString& section, const QString& key, const QString& value) {
    // Names and values that would break the line structure are refused rather than
    // written as extra keys or sections.
    if (!IsWritableSection(section) || !IsWritableKey(key) || HasLineBreak(value))
        return false;
    m_data = WithKey(m_data, Parsed(), section.trimmed(), key.trimmed(), value);
    m_index.reset();
    return true;
}

// ---- the service -----------------------------------------------------------------

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

void SetReportSink(ReportSink sink) {
    QMutexLocker locker(&g_reportMutex);
    g_reportSink = std::move(sink);
    g_toldWriteFailure = false;
    g_toldOversized = false;
}

QString ResolvePath(const QString& fileName) {
    return Resolve(fileName, false);
}

QString ReadString(const QString& fileName, const QString& section, const QString& key,
                   const QString& defaultText) {
    if (fileName.isEmpty() || section.isEmpty() || key.isEmpty())
        return CutToLimit(defaultText);
    const auto snapshot = Load(ResolvePath(fileName));
    if (!snapshot)
        return CutToLimit(defaultText);
    const auto found = FindKey(snapshot->data, snapshot->layout, section.trimmed(), key.trimmed());
    return CutToLimit(found ? ValueOf(snapshot->data, *found) : defaultText);
}

bool WriteString(const QString& fileName, const QString& section, const QString& key, const QString& value) {
    return WriteStrings(fileName, section, {{key, value}});
}

bool WriteStrings(const QString& fileName, const QString& section,
                  const QList<QPair<QString, QString>>& keyValues) {
    if (fileName.isEmpty() || !IsWritableSection(section))
        return false;
    if (keyValues.isEmpty())
        return true;
    for (const auto& [key, value] : keyValues) {
        if (!IsWritableKey(key) || HasLineBreak(value))
            return false;
    }
    return Update(fileName, [&](Edit& edit) {
        for (const auto& [key, value] : keyValues)
            edit.Write(section, key, value);
        return true;
    });
}

bool Update(const QString& fileName, const std::function<bool(Edit&)>& edit) {
    if (fileName.isEmpty())
        return false;
    QMutexLocker writeLocker(&g_writeMutex);
    QString path = Resolve(fileName, true);
    QString reason;
    bool oversized = false;
    bool declined = false;

    const bool written = [&] {
        if (!MakeFolder(QFileInfo(path).absolutePath(), &reason))
            return false;
        // Another program may create the file in another spelling, or make it a link, while we wait
        // for the lock: the lock is checked against the name as it is once we hold it.
        WriteLock lock;
        std::optional<QString> target;
        for (int attempt = 0;; ++attempt) {
            target = FollowLinks(path, &reason);
            if (!target || !lock.Acquire(Companion(*target, LockSuffix), &reason))
                return false;
            path = Resolve(fileName, true);
            const auto now = FollowLinks(path, &reason);
            if (!now)
                return false;
            if (Companion(*now, LockSuffix) == Companion(*target, LockSuffix)) {
                target = now;
                break;
            }
            lock.Release();
            if (attempt == 3) {
                reason = QStringLiteral("its name kept changing");
                return false;
            }
        }
        RemoveDeadTemps(*target);

        const auto current = ReadCurrent(*target, &reason, &oversized);
        if (!current)
            return false;
        Edit changes(current->data);
        if (!edit(changes)) {
            declined = true;
            return false;
        }
        if (changes.Data() == current->data && current->exists)
            return true;
        if (changes.Data().size() > MaxFileSize) {
            reason = QStringLiteral("it would grow beyond %1 MB").arg(MaxFileSize / (1024 * 1024));
            return false;
        }
        if (current->exists && ::access(Native(*target).constData(), W_OK) != 0) {
            reason = ErrorText(errno);
            return false;
        }
        if (!Replace(*target, changes.Data(), *current, &reason))
            return false;
        // A new file in the folder: the next look-up must list it again.
        ForgetFolder(QFileInfo(path).absolutePath());
        return true;
    }();

    if (!written && !declined) {
        if (oversized)
            TellOversized(path);
        else
            TellWriteFailure(path, reason);
    }
    return written;
}

QList<QPair<QString, QString>> ReadSection(const QString& path, const QString& section) {
    if (section.isEmpty())
        return {};
    const auto snapshot = Load(ResolvePath(path));
    if (!snapshot)
        return {};
    return IniText::SectionEntries(snapshot->data, snapshot->layout, section.trimmed());
}

} // namespace IniFile
