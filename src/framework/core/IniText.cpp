#include "framework/core/IniText.h"

#include <algorithm>
#include <cstring>

namespace IniText {

namespace {

constexpr int MaxValueLength = 255;

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

QByteArrayView Bytes(const QByteArray& data, qsizetype begin, qsizetype end) {
    return QByteArrayView(data).sliced(begin, end - begin);
}

LineSpan LineAt(const QByteArray& data, qsizetype pos) {
    LineSpan line;
    line.begin = pos;
    const char* bytes = data.constData();
    const auto* newline = static_cast<const char*>(std::memchr(bytes + pos, '\n', data.size() - pos));
    if (!newline) {
        line.end = line.next = data.size();
        return line;
    }
    line.end = newline - bytes;
    line.next = line.end + 1;
    if (line.end > pos && bytes[line.end - 1] == '\r')
        --line.end;
    return line;
}

bool IsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A hash that names equal without regard to case share: one over the case-folded code points.
class FoldedHash {
public:
    static quint32 Of(QStringView text) {
        FoldedHash hash;
        for (qsizetype i = 0; i < text.size(); ++i) {
            char32_t c = text[i].unicode();
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(text[i], text[i + 1]);
                ++i;
            }
            hash.Add(QChar::toCaseFolded(c));
        }
        return hash.m_value;
    }
    static quint32 Of(QByteArrayView utf8) {
        if (!IsAscii(utf8))
            return Of(QString::fromUtf8(utf8));
        FoldedHash hash;
        for (char c : utf8)
            hash.Add(static_cast<unsigned char>(AsciiLower(c)));
        return hash.m_value;
    }

private:
    void Add(char32_t c) { m_value = (m_value ^ c) * 16777619u; } // FNV-1a
    quint32 m_value = 2166136261u;
};

std::optional<KeyLine> AsKey(const QByteArray& data, const LineSpan& line) {
    const char* bytes = data.constData();
    qsizetype i = line.begin;
    while (i < line.end && IsBlank(bytes[i]))
        ++i;
    if (i == line.end || bytes[i] == ';' || bytes[i] == '#' || bytes[i] == '[')
        return std::nullopt;
    const auto* equals = static_cast<const char*>(std::memchr(bytes + i, '=', line.end - i));
    if (!equals)
        return std::nullopt;
    KeyLine key;
    key.line = line;
    key.equals = equals - bytes;
    key.name = Trimmed(Bytes(data, i, key.equals));
    return key;
}

// A section or key name looked for, compared with the file's bytes without regard to case.
// Plain ASCII names, the usual case, compare byte by byte without a conversion.
class Needle {
public:
    explicit Needle(const QString& name)
        : m_text(name), m_utf8(name.toUtf8()), m_ascii(IsAscii(m_utf8)), m_hash(FoldedHash::Of(name)) {}

    quint32 Hash() const { return m_hash; }

    bool Matches(QByteArrayView bytes) const {
        if (m_ascii && IsAscii(bytes)) {
            if (bytes.size() != m_utf8.size())
                return false;
            for (qsizetype i = 0; i < bytes.size(); ++i)
                if (AsciiLower(bytes[i]) != AsciiLower(m_utf8[i]))
                    return false;
            return true;
        }
        return QString::fromUtf8(bytes).compare(m_text, Qt::CaseInsensitive) == 0;
    }

private:
    QString m_text;
    QByteArray m_utf8;
    bool m_ascii;
    quint32 m_hash;
};

QByteArrayView NameOf(const QByteArray& data, const SectionSpan& span) {
    return QByteArrayView(data).sliced(span.nameBegin, span.nameLength);
}

// Calls visit(span) for every section of that name, in file order, until it returns false.
template <typename Visit>
void ForEachSection(const QByteArray& data, const Layout& layout, const QString& section, Visit visit) {
    const Needle wanted(section);
    const auto hash = wanted.Hash();
    auto it =
        std::lower_bound(layout.byName.begin(), layout.byName.end(), std::pair<quint32, qint32>(hash, -1));
    for (; it != layout.byName.end() && it->first == hash; ++it) {
        const SectionSpan& span = layout.sections[it->second];
        if (wanted.Matches(NameOf(data, span)) && !visit(span))
            return;
    }
}

// Calls visit(key line) for every key of every section of that name, in file order,
// until it returns false.
template <typename Visit>
void ForEachKey(const QByteArray& data, const Layout& layout, const QString& section, Visit visit) {
    ForEachSection(data, layout, section, [&](const SectionSpan& span) {
        for (qsizetype pos = span.body; pos < span.end;) {
            const LineSpan line = LineAt(data, pos);
            if (const auto key = AsKey(data, line); key && !visit(*key))
                return false;
            pos = line.next;
        }
        return true;
    });
}

bool LastLineBlank(const QByteArray& data, qsizetype start) {
    qsizetype end = data.size();
    if (data.endsWith('\n'))
        --end;
    if (end <= start)
        return true;
    const qsizetype begin = std::max(start, data.lastIndexOf('\n', end - 1) + 1);
    return Trimmed(Bytes(data, begin, end)).isEmpty();
}

} // namespace

Layout Parse(const QByteArray& data) {
    Layout layout;
    if (data.startsWith("\xEF\xBB\xBF"))
        layout.start = 3;
    const char* bytes = data.constData();
    const qsizetype size = data.size();
    qsizetype pos = layout.start;
    if (pos < size) {
        const LineSpan first = LineAt(data, pos);
        if (first.next > first.end)
            layout.eol = first.next - first.end == 2 ? QByteArray("\r\n") : QByteArray("\n");
    }
    while (pos < size) {
        const LineSpan line = LineAt(data, pos);
        qsizetype i = line.begin;
        while (i < line.end && IsBlank(bytes[i]))
            ++i;
        if (i < line.end && bytes[i] == '[') {
            QByteArrayView name = Trimmed(Bytes(data, i + 1, line.end));
            const qsizetype close = name.indexOf(']');
            if (close >= 0)
                name = Trimmed(name.first(close));
            if (!layout.sections.empty())
                layout.sections.back().end = static_cast<qint32>(line.begin);
            layout.sections.push_back({static_cast<qint32>(line.begin),
                                       static_cast<qint32>(name.data() - bytes),
                                       static_cast<qint32>(name.size()), static_cast<qint32>(line.next),
                                       static_cast<qint32>(size)});
        }
        pos = line.next;
    }
    layout.byName.reserve(layout.sections.size());
    for (std::size_t i = 0; i < layout.sections.size(); ++i) {
        const SectionSpan& span = layout.sections[i];
        layout.byName.emplace_back(
            FoldedHash::Of(QByteArrayView(data).sliced(span.nameBegin, span.nameLength)),
            static_cast<qint32>(i));
    }
    std::sort(layout.byName.begin(), layout.byName.end());
    return layout;
}

// The first line holding the key in any section of that name (duplicates: the first wins).
std::optional<KeyLine> FindKey(const QByteArray& data, const Layout& layout, const QString& section,
                               const QString& key) {
    const Needle wanted(key);
    std::optional<KeyLine> found;
    ForEachKey(data, layout, section, [&](const KeyLine& line) {
        if (!wanted.Matches(line.name))
            return true;
        found = line;
        return false;
    });
    return found;
}

QString ValueOf(const QByteArray& data, const KeyLine& key) {
    return QString::fromUtf8(Trimmed(Bytes(data, key.equals + 1, key.line.end)));
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

// The file's bytes with key = value set; every other line keeps its exact bytes.
QByteArray WithKey(const QByteArray& data, const Layout& layout, const QString& section, const QString& key,
                   const QString& value) {
    const QByteArray valueBytes = value.toUtf8();

    if (const auto found = FindKey(data, layout, section, key)) {
        QByteArray result = data.first(found->equals + 1);
        result += valueBytes;
        result += QByteArrayView(data).sliced(found->line.end);
        return result;
    }

    const QByteArray newKey = key.toUtf8() + '=' + valueBytes + layout.eol;

    // Insert after the last line of the first section of that name, before any blank lines that
    // part it from the next section.
    std::optional<QByteArray> inserted;
    ForEachSection(data, layout, section, [&](const SectionSpan& span) {
        LineSpan last = LineAt(data, span.header);
        for (qsizetype pos = span.body; pos < span.end;) {
            const LineSpan line = LineAt(data, pos);
            if (!Trimmed(Bytes(data, line.begin, line.end)).isEmpty())
                last = line;
            pos = line.next;
        }
        QByteArray result = data.first(last.next);
        if (last.next == last.end) // the last line of the file had no line end
            result += layout.eol;
        result += newKey;
        result += QByteArrayView(data).sliced(last.next);
        inserted = std::move(result);
        return false;
    });
    if (inserted)
        return *inserted;

    QByteArray result = data;
    if (!result.isEmpty() && !result.endsWith('\n'))
        result += layout.eol;
    if (layout.start < data.size() && !LastLineBlank(data, layout.start))
        result += layout.eol;
    result += '[' + section.toUtf8() + ']' + layout.eol;
    result += newKey;
    return result;
}

bool HasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || text.contains(QChar(0));
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

QList<QPair<QString, QString>> SectionEntries(const QByteArray& data, const Layout& layout,
                                              const QString& section) {
    QList<QPair<QString, QString>> entries;
    ForEachKey(data, layout, section, [&](const KeyLine& key) {
        entries.append({QString::fromUtf8(key.name), ValueOf(data, key)});
        return true;
    });
    return entries;
}

} // namespace IniText
