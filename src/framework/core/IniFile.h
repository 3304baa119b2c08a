#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

// The settings file service: one key of one section of an ini-format text file,
// read or written as text. File, section and key names compare without regard
// to case.
//
// What it guarantees:
// - A write replaces the file with its complete new content (written, synced,
//   size checked, then renamed into place) or leaves the old file untouched and
//   returns false; a full disk or a kill never leaves half a file.
// - Every write is a read-modify-write of the file as it is on disk at that
//   moment, under a lock that running programs share; Update() makes several
//   reads and writes one such step, so concurrent programs never lose a change.
// - The lock dies with its owner: a killed writer never blocks the next one, and
//   the temporary files dead writers leave are removed by the next write.
// - A settings file that is a symbolic link is written through: the target is
//   replaced in its own folder and keeps its permissions.
// - A file is parsed once per change on disk; files above MaxFileSize are
//   neither parsed nor rewritten and read as if they had no keys.
// - Failures stay quiet in the window, but the first failed write of a run and
//   the first oversized file each write one line to standard error.
namespace IniFile {

// Files larger than this are left alone: no real settings file comes near it.
inline constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

// Folder in which bare file names ("Solitaire.ini") are resolved: by default
// $XDG_CONFIG_HOME/quintaro (~/.config/quintaro). Tests point it elsewhere.
QString Directory();
void SetDirectory(const QString& dir);

// Full path of a bare file name in Directory() (or of a full path as given), matching an
// existing file of the same name in any letter case.
QString ResolvePath(const QString& fileName);

// How long a write waits for another writer's lock before it gives up (default 5 s).
void SetLockTimeout(std::chrono::milliseconds timeout);

// Reads at most 255 characters; returns defaultText when the file, section or key is absent.
QString ReadString(const QString& fileName, const QString& section, const QString& key,
                   const QString& defaultText);

// Writes key = value, creating the folder, file, section or key as needed; every other
// line keeps its exact bytes. Returns false (and leaves the file unchanged) when the file
// cannot be written, or when a name or the value would break the line structure
// (a line break anywhere, "=" in the key, "]" in the section).
bool WriteString(const QString& fileName, const QString& section, const QString& key, const QString& value);

// Writes several keys of one section in one locked, atomic replacement: all or none.
bool WriteStrings(const QString& fileName, const QString& section,
                  const QList<QPair<QString, QString>>& keyValues);

// The file as one locked read-modify-write sees it: reads see the writes made before them.
class Edit {
public:
    explicit Edit(QByteArray data);
    ~Edit();
    Edit(const Edit&) = delete;
    Edit& operator=(const Edit&) = delete;

    // As ReadString, on the file as edited so far.
    QString Read(const QString& section, const QString& key, const QString& defaultText) const;
    // As WriteString; false (nothing changes) for names or values that would break the layout.
    bool Write(const QString& section, const QString& key, const QString& value);

    const QByteArray& Data() const { return m_data; }

private:
    struct Index;
    const Index& Parsed() const;

    QByteArray m_data;
    mutable std::unique_ptr<Index> m_index;
};

// Runs `edit` on the file as it is now, holding the file's lock. When it returns true,
// everything it wrote lands in one atomic replacement of the file; when it returns
// false nothing is written. Returns true when the edits are on disk (or there were none).
bool Update(const QString& fileName, const std::function<bool(Edit&)>& edit);

// Every key of a section, in file order and without the length cut, as (key, value)
// pairs; used for the tips file, given by full path.
QList<QPair<QString, QString>> ReadSection(const QString& path, const QString& section);

// Where the service's one-line failure notes go (standard error unless replaced). Setting
// it, even to the same place, lets the first failure of each kind be told again.
using ReportSink = std::function<void(const QString& line)>;
void SetReportSink(ReportSink sink);

} // namespace IniFile
