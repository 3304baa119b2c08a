#include "framework/core/TProfile.h"

#include "framework/core/IniFile.h"

#include <QTimeZone>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

void TProfile::SetDefaultText(const QString& text) {
    if (text != m_defaultText)
        m_defaultText = text;
}

QString TProfile::GetText() {
    if (m_section.isEmpty() || m_entry.isEmpty() || m_fileName.isEmpty()) {
        m_text.clear();
        return m_text;
    }
    m_text = IniFile::ReadString(m_fileName, m_section, m_entry, m_defaultText);
    return m_text;
}

void TProfile::SetText(const QString& text) {
    if (m_section.isEmpty() || m_entry.isEmpty() || m_fileName.isEmpty())
        return;
    if (IniFile::WriteString(m_fileName, m_section, m_entry, text))
        m_text = text;
}

int TProfile::GetValue() {
    return ProfileText::ToInt(GetText());
}

void TProfile::SetValue(int value) {
    SetText(QString::number(value));
}

bool TProfile::GetState() {
    return ProfileText::IsTrue(GetText());
}

void TProfile::SetState(bool state) {
    SetText(state ? QStringLiteral("True") : QStringLiteral("False"));
}

namespace ProfileText {

std::optional<int> ParseInt(const QString& text) {
    QString digits = text.trimmed();
    bool negative = false;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        negative = digits.front() == QLatin1Char('-');
        digits.remove(0, 1);
    }
    if (digits.isEmpty())
        return std::nullopt;
    int base = 10;
    if (digits.startsWith(QLatin1Char('$'))) {
        base = 16;
        digits.remove(0, 1);
    } else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits.remove(0, 2);
    }
    // QString::toLongLong would accept its own prefixes and spaces; only plain digits are wanted here.
    for (QChar c : digits) {
        if (!(c.isDigit() && c.unicode() < 128) &&
            !(base == 16 && QStringLiteral("abcdefABCDEF").contains(c)))
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong magnitude = digits.toLongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    if (base == 16) {
        if (digits.size() > 16 || magnitude > 0xFFFFFFFFLL)
            return std::nullopt;
        const auto bits = static_cast<int>(static_cast<quint32>(magnitude));
        return negative ? static_cast<int>(0u - static_cast<quint32>(bits)) : bits;
    }
    const qlonglong value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

namespace {

struct NamedColor {
    const char* name;
    int value;
};

// The written names first; the aliases after them are only read.
constexpr std::array<NamedColor, 22> NamedColors{{
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},       {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},     {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
    {"clLtGray", 0xC0C0C0},     {"clDkGray", 0x808080},
}};

const QDate& Epoch() {
    static const QDate epoch(1899, 12, 30);
    return epoch;
}

constexpr qint64 MsPerDay = 86400000;
// The representable range: 1 January 0001 to 31 December 9999.
constexpr double FirstDay = -693593.0;
constexpr double LastDay = 2958466.0;

} // namespace

bool IsTrue(const QString& text) {
    const QString upper = text.toUpper();
    return upper == QLatin1String("TRUE") || upper == QLatin1String("YES") || text == QLatin1String("1");
}

int ToInt(const QString& text) {
    if (const auto value = ParseInt(text))
        return *value;
    return IsTrue(text) ? 1 : 0;
}

QString FromDouble(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    // QString::number never uses the locale, so "." stays the separator everywhere.
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e < 0)
        return text;
    // "1.5e-07" is written "1.5E-7".
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    QString sign;
    if (exponent.startsWith(QLatin1Char('-')) || exponent.startsWith(QLatin1Char('+'))) {
        if (exponent.front() == QLatin1Char('-'))
            sign = QStringLiteral("-");
        exponent.remove(0, 1);
    }
    while (exponent.size() > 1 && exponent.front() == QLatin1Char('0'))
        exponent.remove(0, 1);
    return mantissa + QLatin1Char('E') + sign + exponent;
}

double ToDouble(const QString& text, bool* ok) {
    if (ok)
        *ok = false;
    QByteArray bytes = text.trimmed().toLatin1();
    // from_chars takes a minus sign but no plus sign; one sign at most either way.
    if (bytes.startsWith('+'))
        bytes.remove(0, 1);
    if (bytes.isEmpty() || bytes.startsWith('+') ||
        (text.trimmed().startsWith(QLatin1Char('+')) && bytes.startsWith('-')))
        return 0.0;
    double value = 0.0;
    // from_chars ignores the locale, unlike strtod.
    const auto [end, error] = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    if (error != std::errc() || end != bytes.constData() + bytes.size())
        return 0.0;
    if (ok)
        *ok = true;
    return value;
}

QString FromColor(int color) {
    for (std::size_t i = 0; i < 20; ++i) {
        if (NamedColors[i].value == color)
            return QLatin1String(NamedColors[i].name);
    }
    return QStringLiteral("$%1").arg(static_cast<quint32>(color), 8, 16, QLatin1Char('0')).toUpper();
}

int ToColor(const QString& text, bool* ok) {
    const QString trimmed = text.trimmed();
    for (const NamedColor& named : NamedColors) {
        if (trimmed.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) {
            if (ok)
                *ok = true;
            return named.value;
        }
    }
    const auto value = ParseInt(trimmed);
    if (ok)
        *ok = value.has_value();
    return value.value_or(0);
}

double FromDateTime(const QDateTime& when) {
    if (!when.isValid())
        return 0.0;
    const QDateTime local = when.toLocalTime();
    const double day = static_cast<double>(Epoch().daysTo(local.date()));
    const double fraction = static_cast<double>(local.time().msecsSinceStartOfDay()) / MsPerDay;
    // Before the epoch the day counts down while the time of day still counts up.
    return day < 0 ? day - fraction : day + fraction;
}

QDateTime ToDateTime(double days) {
    if (!std::isfinite(days) || days < FirstDay || days >= LastDay)
        return {};
    double whole = std::trunc(days);
    qint64 ms = std::llround(std::fabs(days - whole) * MsPerDay);
    if (ms >= MsPerDay) {
        // Rounded up to midnight: the next day, which before the epoch is the one nearer to it.
        ms -= MsPerDay;
        whole += 1.0;
    }
    const QDate date = Epoch().addDays(static_cast<qint64>(whole));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

} // namespace ProfileText
