#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// The text of an ini file as bytes: where its sections and keys lie, what a key holds, and the
// bytes with one key set, every other line kept byte for byte. Plain functions, no files; the
// settings file service (IniFile) reads and writes with them.
namespace IniText {

// One line as offsets into the file's bytes, so untouched lines are written back verbatim.
struct LineSpan {
    qsizetype begin = 0; // first byte of the line
    qsizetype end = 0;   // end of the content, before "\r\n" or "\n"
    qsizetype next = 0;  // first byte of the following line
};

// A section header's place. Only sections are indexed, never single lines, so that the
// index of even a hostile file stays smaller than the file. (The settings service never
// parses a file beyond 16 MB, so offsets fit in 32 bits.)
struct SectionSpan {
    qint32 header;     // first byte of the "[name]" line
    qint32 nameBegin;  // first byte of the name, trimmed
    qint32 nameLength; // its length in bytes
    qint32 body;       // first byte after the header line
    qint32 end;        // first byte of the next section's header, or the end of the file
};

struct Layout {
    qsizetype start = 0;   // after a byte order mark, which is not part of the first line's text
    QByteArray eol = "\n"; // the file's own line end, from its first line
    std::vector<SectionSpan> sections;
    // (hash of the case-folded name, section number), sorted: finds a section among many.
    std::vector<std::pair<quint32, qint32>> byName;
};

// A "key=value" line of a section body.
struct KeyLine {
    LineSpan line;
    qsizetype equals = -1; // the first '='
    QByteArrayView name;   // trimmed
};

Layout Parse(const QByteArray& data);

// The first line holding the key in any section of that name (duplicates: the first wins).
std::optional<KeyLine> FindKey(const QByteArray& data, const Layout& layout, const QString& section,
                               const QString& key);
QString ValueOf(const QByteArray& data, const KeyLine& key);
// Every key of every section of that name, in file order, as (key, value) pairs.
QList<QPair<QString, QString>> SectionEntries(const QByteArray& data, const Layout& layout,
                                              const QString& section);

// The file's bytes with key = value set; every other line keeps its exact bytes.
QByteArray WithKey(const QByteArray& data, const Layout& layout, const QString& section, const QString& key,
                   const QString& value);

// What a write refuses: names and values that would break the line structure.
bool HasLineBreak(const QString& text);
bool IsWritableSection(const QString& section);
bool IsWritableKey(const QString& key);

// A value as reads return it: at most 255 characters.
QString CutToLimit(QString text);

} // namespace IniText
