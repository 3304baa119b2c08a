#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <chrono>

// The settings file service: one key of one section of an ini-format text file,
// read or written as text. File, section and key names compare without regard
// to case. Every write replaces the file atomically under a lock, so a crash
// never leaves half a file and two running programs never lose each other's keys.
namespace IniFile {

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

// Every key of a section, in file order and without the length cut, as (key, value)
// pairs; used for the tips file, given by full path.
QList<QPair<QString, QString>> ReadSection(const QString& path, const QString& section);

} // namespace IniFile
