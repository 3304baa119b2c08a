#pragma once

#include <QString>

// The settings file service: one key of one section of an ini-format text file,
// read or written as text. File, section and key names compare without regard
// to case. Every write replaces the file atomically under a lock, so a crash
// never leaves half a file and two running programs never lose each other's keys.
namespace IniFile {

// Folder in which bare file names ("Solitaire.ini") are resolved: by default
// $XDG_CONFIG_HOME/quintaro (~/.config/quintaro). Tests point it elsewhere.
QString Directory();
void SetDirectory(const QString& dir);

// Full path of a bare file name in Directory(), matching an existing file
// of the same name in any letter case.
QString ResolvePath(const QString& fileName);

// Reads at most 255 characters; returns defaultText when the file, section or key is absent.
QString ReadString(const QString& fileName, const QString& section, const QString& key,
                   const QString& defaultText);

// Writes key = value, creating the folder, file, section or key as needed.
// Returns false (and leaves the file unchanged) when the file cannot be written.
bool WriteString(const QString& fileName, const QString& section, const QString& key,
                 const QString& value);

// Every key of a section, in file order, as (key, value) pairs; used for the tips file.
QList<QPair<QString, QString>> ReadSection(const QString& path, const QString& section);

} // namespace IniFile
