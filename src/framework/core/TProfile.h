#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Reads and writes one key of the settings file as text, integer or boolean.
// With DefaultText "None", an absent key reads as "None": callers read the
// text first and only read Value or State when it is not "None".
class TProfile {
public:
    TProfile() = default;

    const QString& DefaultText() const { return m_defaultText; }
    const QString& Entry() const { return m_entry; }
    const QString& FileName() const { return m_fileName; }
    const QString& Section() const { return m_section; }

    void SetDefaultText(const QString& text);
    void SetEntry(const QString& entry) { m_entry = entry; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    void SetSection(const QString& section) { m_section = section; }

    QString GetText();
    void SetText(const QString& text);
    int GetValue();
    void SetValue(int value);
    bool GetState();
    void SetState(bool state);

    // The last text read or written successfully.
    const QString& CachedText() const { return m_text; }

    // Convenience for the usual pattern: the key's text, or "None" when absent.
    QString Read(const QString& entry) {
        SetEntry(entry);
        return GetText();
    }

private:
    QString m_defaultText;
    QString m_entry;
    QString m_fileName = QStringLiteral("SOLITAIRE.INI");
    QString m_section;
    QString m_text;
};

// Value encodings shared by the settings file's users.
namespace ProfileText {
// "TRUE"/"YES" in any case, or exactly "1".
bool IsTrue(const QString& text);
// Decimal, or "$" hexadecimal; a non-number gives 1 for a true word, else 0.
int ToInt(const QString& text);
// Decimal with an optional sign, or "$"/"0x" hexadecimal of at most 32 bits; nothing for
// any other text, including numbers beyond the integer range.
std::optional<int> ParseInt(const QString& text);
// General floating-point form, up to 15 significant digits, "." always.
QString FromDouble(double value);
// Parses that form; ok is false when the text is not a number.
double ToDouble(const QString& text, bool* ok = nullptr);
// Colours are 0x00BBGGRR integers: written as an identifier ("clBlack") when
// there is one, else "$00BBGGRR"; read from an identifier, "$" hex or decimal.
QString FromColor(int color);
int ToColor(const QString& text, bool* ok = nullptr);
// Date-times as days since 1899-12-30 with the time of day as the fraction.
double FromDateTime(const QDateTime& when);
QDateTime ToDateTime(double days);
} // namespace ProfileText
