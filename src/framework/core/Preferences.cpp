#include "framework/core/Preferences.h"

#include "framework/core/IniFile.h"
#include "framework/core/TProfile.h"

#include <optional>

namespace Preferences {

namespace {

const QString None = QStringLiteral("None");

class Reader {
public:
    explicit Reader(const QString& fileName) : m_fileName(fileName) {}

    // The key's text, or nothing when it is absent.
    std::optional<QString> Text(const char* key) const {
        const QString text =
            IniFile::ReadString(m_fileName, QLatin1String(Section), QLatin1String(key), None);
        if (text == None)
            return std::nullopt;
        return text;
    }
    // An index in 0..last; a value outside (edited by hand) would index past the choices.
    void Index(const char* key, int last, int& value) const {
        if (const auto text = Text(key)) {
            const int index = ProfileText::ToInt(*text);
            value = index >= 0 && index <= last ? index : 0;
        }
    }
    void Bool(const char* key, bool& value) const {
        if (const auto text = Text(key))
            value = ProfileText::IsTrue(*text);
    }
    // A damaged colour text keeps the default rather than stopping the program.
    void Color(const char* key, int& value) const {
        if (const auto text = Text(key)) {
            bool ok = false;
            const int color = ProfileText::ToColor(*text, &ok);
            if (ok)
                value = color;
        }
    }
    void String(const char* key, std::optional<QString>& stored, QString& value) const {
        stored = Text(key);
        value = stored.value_or(QString());
    }

private:
    QString m_fileName;
};

QString BoolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

TStored Read(const QString& fileName) {
    TStored stored;
    TPreferences& prefs = stored.Values;
    const Reader keys(fileName);
    keys.Index("BackIndex", 3, prefs.BackIndex);
    if (const auto size = keys.Text("CardSize")) {
        prefs.CardSize = ProfileText::ToInt(*size) == 0 ? 0 : 1;
        stored.HasCardSize = true;
    }
    keys.Index("BackgroundIndex", 2, prefs.BackgroundIndex);
    if (const auto gradient = keys.Text("GradientIndex"))
        prefs.GradientIndex = ProfileText::ToInt(*gradient) == 1 ? 1 : 0;
    keys.Color("BackgroundColor", prefs.BackgroundColor);
    keys.Color("GradientStartColor", prefs.GradientStartColor);
    keys.Color("GradientEndColor", prefs.GradientEndColor);
    keys.Bool("DoAnimation", prefs.DoAnimation);
    keys.Bool("DoSound", prefs.DoSound);
    keys.Bool("VegasScoring", prefs.VegasScoring);
    keys.Bool("MinimizeToTray", prefs.MinimizeToTray);
    keys.Bool("SmartDragging", prefs.SmartDragging);
    keys.Bool("ShowTips", prefs.ShowTips);
    keys.Bool("ShowMenuBar", prefs.ShowMenuBar);
    keys.String("CustomColors", stored.CustomColors, prefs.CustomColors);
    keys.String("CustomImage", stored.CustomImage, prefs.CustomImage);
    keys.String("BackgroundImage", stored.BackgroundImage, prefs.BackgroundImage);
    return stored;
}

QList<QPair<QString, QString>> ClosingTexts(const TPreferences& prefs) {
    return {
        {QStringLiteral("BackgroundColor"), ProfileText::FromColor(prefs.BackgroundColor)},
        {QStringLiteral("BackIndex"), QString::number(prefs.BackIndex)},
        {QStringLiteral("DoAnimation"), BoolText(prefs.DoAnimation)},
        {QStringLiteral("DoSound"), BoolText(prefs.DoSound)},
        {QStringLiteral("VegasScoring"), BoolText(prefs.VegasScoring)},
        {QStringLiteral("SmartDragging"), BoolText(prefs.SmartDragging)},
        {QStringLiteral("ShowTips"), BoolText(prefs.ShowTips)},
        {QStringLiteral("MinimizeToTray"), BoolText(prefs.MinimizeToTray)},
        {QStringLiteral("CardSize"), QString::number(prefs.CardSize)},
        {QStringLiteral("BackgroundIndex"), QString::number(prefs.BackgroundIndex)},
        {QStringLiteral("GradientStartColor"), ProfileText::FromColor(prefs.GradientStartColor)},
        {QStringLiteral("GradientEndColor"), ProfileText::FromColor(prefs.GradientEndColor)},
        {QStringLiteral("GradientIndex"), QString::number(prefs.GradientIndex)},
    };
}

bool WriteBack(const QString& fileName, const TPreferences& opened, const TPreferences& closing) {
    const auto before = ClosingTexts(opened);
    const auto after = ClosingTexts(closing);
    const QString section = QLatin1String(Section);
    return IniFile::Update(fileName, [&](IniFile::Edit& file) {
        for (qsizetype i = 0; i < after.size(); ++i) {
            const auto& [key, text] = after[i];
            if (text != before[i].second || file.Read(section, key, None) == None)
                file.Write(section, key, text);
        }
        // Newer than the others: written only once changed, so a file that never had it stays
        // as it was while it is on.
        if (closing.ShowMenuBar != opened.ShowMenuBar)
            file.Write(section, QStringLiteral("ShowMenuBar"), BoolText(closing.ShowMenuBar));
        return true;
    });
}

} // namespace Preferences
