#include "framework/core/IniFile.h"
#include "framework/core/TProfile.h"
#include "framework/core/WindowPlacement.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

#include <clocale>

namespace {

// A profile configured as every window configures its own.
TProfile WindowProfile(const QString& section) {
    TProfile profile;
    profile.SetFileName(QStringLiteral("Solitaire.ini"));
    profile.SetDefaultText(QStringLiteral("None"));
    profile.SetSection(section);
    return profile;
}

// Switches both Qt's and the C library's locale to German for one scope.
class GermanLocale {
public:
    GermanLocale() : m_previousQt(QLocale()) {
        m_previousC = std::setlocale(LC_ALL, nullptr);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German"}) {
            if (std::setlocale(LC_ALL, name)) {
                m_cLocaleSet = true;
                break;
            }
        }
    }
    ~GermanLocale() {
        std::setlocale(LC_ALL, m_previousC.c_str());
        QLocale::setDefault(m_previousQt);
    }
    bool CLocaleSet() const { return m_cLocaleSet; }

private:
    QLocale m_previousQt;
    std::string m_previousC;
    bool m_cLocaleSet = false;
};

} // namespace

// The settings key access every window uses, and the value encodings of the settings file.
class TestProfile : public QObject {
    Q_OBJECT
private slots:
    void constructedProfileHasTheDocumentedDefaults();
    void freshInstallationReadsNoneForEveryKeyAndWritesCreateTheFile();
    void emptySectionEntryOrFileNameReadsEmptyAndNeverTouchesTheFile();
    void trueWordsInAnyCaseOrExactlyOneReadAsTrue();
    void valueReadsDecimalHexAndFallsBackToTheTrueWords();
    void noneReadsLikeAMissingKeyThroughValueAndState();
    void bothFileNameSpellingsReachTheSameFile();
    void writesAreVisibleToEveryOtherProfileAtOnce();
    void failedWriteKeepsTheCachedTextAndReportsNothing();
    void defaultTextIsReturnedForAbsentKeysAndStoredOnlyWhenDifferent();
    void coloursUseIdentifiersWhenTheyExistElseEightHexDigits();
    void colourTextsReadFromIdentifiersHexOrDecimal();
    void floatingPointUsesAPointAndFifteenDigitsUnderAGermanLocale();
    void dateTimesCountDaysSinceTheEpochWithTheTimeAsFraction();
    void windowPlacementsRoundTripPerSectionAndDamagedValuesReadAsAbsent();
    void centredWindowsLieOnTheScreenWithTheirCaptionInside_data();
    void centredWindowsLieOnTheScreenWithTheirCaptionInside();
};

void TestProfile::constructedProfileHasTheDocumentedDefaults() {
    // A bare profile names the upper-case file and nothing else.
    TProfile profile;
    QCOMPARE(profile.FileName(), QStringLiteral("SOLITAIRE.INI"));
    QVERIFY(profile.DefaultText().isEmpty());
    QVERIFY(profile.Entry().isEmpty());
    QVERIFY(profile.Section().isEmpty());
    QVERIFY(profile.CachedText().isEmpty());
}

void TestProfile::freshInstallationReadsNoneForEveryKeyAndWritesCreateTheFile() {
    // Without a settings file every key is absent ("None"); the first write creates folder and file.
    ScopedSettingsDir dir;
    const QString nested = dir.path() + QStringLiteral("/not/yet/there");
    IniFile::SetDirectory(nested);
    TProfile profile = WindowProfile(QStringLiteral("Preferences"));
    for (const char* key : {"BackIndex", "CardSize", "DoSound", "CustomImage", "TipsIndex"})
        QCOMPARE(profile.Read(QLatin1String(key)), QStringLiteral("None"));
    QVERIFY(!QFile::exists(nested + QStringLiteral("/Solitaire.ini")));

    profile.SetEntry(QStringLiteral("CardSize"));
    profile.SetValue(1);
    QCOMPARE(profile.CachedText(), QStringLiteral("1"));
    QCOMPARE(FileBytes(nested + QStringLiteral("/Solitaire.ini")), QByteArray("[Preferences]\nCardSize=1\n"));
    profile.SetEntry(QStringLiteral("TipsIndex"));
    profile.SetValue(-1);
    QCOMPARE(profile.GetValue(), -1);
    profile.SetEntry(QStringLiteral("DoSound"));
    profile.SetState(false);
    QCOMPARE(profile.GetText(), QStringLiteral("False"));
    profile.SetState(true);
    QCOMPARE(profile.GetText(), QStringLiteral("True"));
    QVERIFY(profile.GetState());
}

void TestProfile::emptySectionEntryOrFileNameReadsEmptyAndNeverTouchesTheFile() {
    // Any empty name gives the empty text (not "None"), clears the cache, and writes nothing.
    ScopedSettingsDir dir;
    TProfile profile = WindowProfile(QStringLiteral("Klondike"));
    profile.SetEntry(QStringLiteral("Autoplay"));
    profile.SetState(true);
    const QByteArray before = FileBytes(dir.path() + QStringLiteral("/Solitaire.ini"));
    QCOMPARE(profile.CachedText(), QStringLiteral("True"));

    TProfile noEntry = WindowProfile(QStringLiteral("Klondike"));
    QCOMPARE(noEntry.GetText(), QString());
    noEntry.SetText(QStringLiteral("x"));
    QCOMPARE(noEntry.GetValue(), 0);
    QVERIFY(!noEntry.GetState());

    profile.SetSection(QString());
    QCOMPARE(profile.GetText(), QString());
    QVERIFY(profile.CachedText().isEmpty());
    profile.SetText(QStringLiteral("False"));
    QVERIFY(profile.CachedText().isEmpty());

    profile.SetSection(QStringLiteral("Klondike"));
    profile.SetFileName(QString());
    QCOMPARE(profile.GetText(), QString());
    profile.SetState(false);
    QCOMPARE(FileBytes(dir.path() + QStringLiteral("/Solitaire.ini")), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Solitaire.ini")});
}

void TestProfile::trueWordsInAnyCaseOrExactlyOneReadAsTrue() {
    // Hand-edited booleans: TRUE/YES in any case or "1" are true, anything else false.
    ScopedSettingsDir dir;
    WriteBytes(dir.path() + QStringLiteral("/Solitaire.ini"),
               "[Preferences]\na=YES\nb=yes\nc=TrUe\nd=1\ne=0\nf=\ng=on\nh=2\ni=01\nj=True \n");
    TProfile profile = WindowProfile(QStringLiteral("Preferences"));
    const QList<QPair<const char*, bool>> cases = {{"a", true},  {"b", true},  {"c", true},  {"d", true},
                                                   {"e", false}, {"f", false}, {"g", false}, {"h", false},
                                                   {"i", false}, {"j", true},  {"zz", false}};
    for (const auto& [key, expected] : cases) {
        profile.SetEntry(QLatin1String(key));
        QVERIFY2(profile.GetState() == expected, key);
    }
    QVERIFY(ProfileText::IsTrue(QStringLiteral("yEs")));
    QVERIFY(!ProfileText::IsTrue(QStringLiteral(" 1")));
    QVERIFY(!ProfileText::IsTrue(QStringLiteral("1.0")));
}

void TestProfile::valueReadsDecimalHexAndFallsBackToTheTrueWords() {
    // Integers: decimal, "$" hex; a non-number is 1 for a true word, else 0, never an error.
    QCOMPARE(ProfileText::ToInt(QStringLiteral("42")), 42);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("-7")), -7);
    QCOMPARE(ProfileText::ToInt(QStringLiteral(" 12 ")), 12);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("$4000")), 16384);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("$FFFFFFFF")), -1);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("2147483647")), 2147483647);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("-2147483648")), std::numeric_limits<int>::min());
    QCOMPARE(ProfileText::ToInt(QStringLiteral("2147483648")), 0);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("$100000000")), 0);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("True")), 1);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("yes")), 1);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("False")), 0);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("12abc")), 0);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("1 2")), 0);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("20.5")), 0);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("$")), 0);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("-")), 0);
    QCOMPARE(ProfileText::ToInt(QString()), 0);
    QCOMPARE(ProfileText::ToInt(QStringLiteral("\u0661\u0662")), 0); // Arabic-Indic digits are not ours

    ScopedSettingsDir dir;
    TProfile profile = WindowProfile(QStringLiteral("Klondike"));
    profile.SetEntry(QStringLiteral("GamesWon"));
    for (int value :
         {0, 1, -1, 123456789, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        profile.SetValue(value);
        QCOMPARE(profile.GetValue(), value);
    }
}

void TestProfile::noneReadsLikeAMissingKeyThroughValueAndState() {
    // A cleared key holds "None": as text it is "None", as value 0, as state false.
    ScopedSettingsDir dir;
    TProfile profile = WindowProfile(QStringLiteral("Golf"));
    profile.SetEntry(QStringLiteral("GamesAttempted"));
    profile.SetValue(9);
    profile.SetText(QStringLiteral("None"));
    QCOMPARE(profile.GetText(), QStringLiteral("None"));
    QCOMPARE(profile.GetValue(), 0);
    QVERIFY(!profile.GetState());
    profile.SetEntry(QStringLiteral("NeverWritten"));
    QCOMPARE(profile.GetText(), QStringLiteral("None"));
    QCOMPARE(profile.GetValue(), 0);
    QVERIFY(!profile.GetState());
}

void TestProfile::bothFileNameSpellingsReachTheSameFile() {
    // "SOLITAIRE.INI" (the constructed name) and "Solitaire.ini" (the windows' name) are one file.
    ScopedSettingsDir dir;
    TProfile tips; // keeps the constructed upper-case name, as the tips window does
    tips.SetDefaultText(QStringLiteral("None"));
    tips.SetSection(QStringLiteral("Preferences"));
    tips.SetEntry(QStringLiteral("TipsIndex"));
    tips.SetValue(-1);
    TProfile prefs = WindowProfile(QStringLiteral("PREFERENCES"));
    QCOMPARE(prefs.Read(QStringLiteral("tipsindex")), QStringLiteral("-1"));
    prefs.SetValue(4);
    QCOMPARE(tips.GetValue(), 4);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("SOLITAIRE.INI")});
}

void TestProfile::writesAreVisibleToEveryOtherProfileAtOnce() {
    // Nothing is buffered: a write through one profile is read by another at once.
    ScopedSettingsDir dir;
    TProfile game = WindowProfile(QStringLiteral("Spider"));
    TProfile statistics = WindowProfile(QStringLiteral("Spider"));
    game.SetEntry(QStringLiteral("SameSuitBuilds"));
    statistics.SetEntry(QStringLiteral("SameSuitBuilds"));
    for (bool state : {true, false, true}) {
        game.SetState(state);
        QCOMPARE(statistics.GetState(), state);
    }
}

void TestProfile::failedWriteKeepsTheCachedTextAndReportsNothing() {
    // An unwritable place leaves the cache as it was.
    ScopedSettingsDir dir;
    WriteBytes(dir.path() + QStringLiteral("/blocker"), "a file, not a folder");
    IniFile::SetDirectory(dir.path() + QStringLiteral("/blocker/settings"));
    TProfile profile = WindowProfile(QStringLiteral("Preferences"));
    QCOMPARE(profile.Read(QStringLiteral("DoSound")), QStringLiteral("None"));
    profile.SetState(false);
    QCOMPARE(profile.CachedText(), QStringLiteral("None"));
    QCOMPARE(profile.GetText(), QStringLiteral("None"));
}

void TestProfile::defaultTextIsReturnedForAbsentKeysAndStoredOnlyWhenDifferent() {
    // Without "None" as the default an absent key reads as whatever the default is.
    ScopedSettingsDir dir;
    TProfile profile;
    profile.SetSection(QStringLiteral("Preferences"));
    profile.SetEntry(QStringLiteral("DoSound"));
    QCOMPARE(profile.GetText(), QString());
    profile.SetDefaultText(QStringLiteral("fallback"));
    profile.SetDefaultText(QStringLiteral("fallback"));
    QCOMPARE(profile.DefaultText(), QStringLiteral("fallback"));
    QCOMPARE(profile.GetText(), QStringLiteral("fallback"));
    QCOMPARE(profile.CachedText(), QStringLiteral("fallback"));
    profile.SetDefaultText(QString(300, QLatin1Char('d')));
    QCOMPARE(profile.GetText().size(), 255);
}

void TestProfile::coloursUseIdentifiersWhenTheyExistElseEightHexDigits() {
    // Named colours are written by name; others as "$00BBGGRR".
    QCOMPARE(ProfileText::FromColor(16384), QStringLiteral("$00004000"));
    QCOMPARE(ProfileText::FromColor(0), QStringLiteral("clBlack"));
    QCOMPARE(ProfileText::FromColor(0xFFFFFF), QStringLiteral("clWhite"));
    QCOMPARE(ProfileText::FromColor(0x0000FF), QStringLiteral("clRed"));
    QCOMPARE(ProfileText::FromColor(0xFF0000), QStringLiteral("clBlue"));
    QCOMPARE(ProfileText::FromColor(0xC0C0C0), QStringLiteral("clSilver"));
    QCOMPARE(ProfileText::FromColor(0x808080), QStringLiteral("clGray"));
    QCOMPARE(ProfileText::FromColor(0xC0DCC0), QStringLiteral("clMoneyGreen"));
    QCOMPARE(ProfileText::FromColor(0xF0CAA6), QStringLiteral("clSkyBlue"));
    QCOMPARE(ProfileText::FromColor(0xF0FBFF), QStringLiteral("clCream"));
    QCOMPARE(ProfileText::FromColor(0xA4A0A0), QStringLiteral("clMedGray"));
    QCOMPARE(ProfileText::FromColor(0x00ABCDEF), QStringLiteral("$00ABCDEF"));
    QCOMPARE(ProfileText::FromColor(-1), QStringLiteral("$FFFFFFFF"));
    for (int color : {0, 1, 16384, 0x123456, 0xFFFFFF, 0xA4A0A0, -1}) {
        bool ok = false;
        QCOMPARE(ProfileText::ToColor(ProfileText::FromColor(color), &ok), color);
        QVERIFY(ok);
    }
}

void TestProfile::colourTextsReadFromIdentifiersHexOrDecimal() {
    // Identifiers in any case, "$" hex and decimal read; anything else is flagged.
    bool ok = false;
    QCOMPARE(ProfileText::ToColor(QStringLiteral("CLRED"), &ok), 0x0000FF);
    QVERIFY(ok);
    QCOMPARE(ProfileText::ToColor(QStringLiteral("clmoneygreen"), &ok), 0xC0DCC0);
    QVERIFY(ok);
    QCOMPARE(ProfileText::ToColor(QStringLiteral("$00004000"), &ok), 16384);
    QVERIFY(ok);
    QCOMPARE(ProfileText::ToColor(QStringLiteral("16384"), &ok), 16384);
    QVERIFY(ok);
    for (const char* bad : {"greenish", "", "None", "$", "$GG", "clRedd", "16384x"}) {
        ok = true;
        ProfileText::ToColor(QLatin1String(bad), &ok);
        QVERIFY2(!ok, bad);
    }
    QCOMPARE(ProfileText::ToColor(QStringLiteral("nonsense")), 0);
}

void TestProfile::floatingPointUsesAPointAndFifteenDigitsUnderAGermanLocale() {
    // The decimal separator is "." whatever the locale, in both directions.
    GermanLocale german;
    if (!german.CLocaleSet())
        qWarning("no German C locale installed; only Qt's default locale is German");
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));

    QCOMPARE(ProfileText::FromDouble(20.5), QStringLiteral("20.5"));
    QCOMPARE(ProfileText::FromDouble(25.0), QStringLiteral("25"));
    QCOMPARE(ProfileText::FromDouble(-0.125), QStringLiteral("-0.125"));
    QCOMPARE(ProfileText::FromDouble(1.0 / 3.0), QStringLiteral("0.333333333333333"));
    QCOMPARE(ProfileText::FromDouble(36890.5), QStringLiteral("36890.5"));
    QCOMPARE(ProfileText::FromDouble(1e20), QStringLiteral("1E20"));
    QCOMPARE(ProfileText::FromDouble(1.5e-7), QStringLiteral("1.5E-7"));
    QCOMPARE(ProfileText::FromDouble(123456789012345678.0), QStringLiteral("1.23456789012346E17"));

    bool ok = false;
    QCOMPARE(ProfileText::ToDouble(QStringLiteral("20.5"), &ok), 20.5);
    QVERIFY(ok);
    QCOMPARE(ProfileText::ToDouble(QStringLiteral(" 1.5E-7 "), &ok), 1.5e-7);
    QVERIFY(ok);
    QCOMPARE(ProfileText::ToDouble(QStringLiteral("+3"), &ok), 3.0);
    QVERIFY(ok);
    QCOMPARE(ProfileText::ToDouble(QStringLiteral("20"), &ok), 20.0);
    QVERIFY(ok);
    for (const char* bad : {"20,5", "", "abc", "1.2.3", "None", "++1", "+-1", "1e", "0x10"}) {
        ok = true;
        QCOMPARE(ProfileText::ToDouble(QLatin1String(bad), &ok), 0.0);
        QVERIFY2(!ok, bad);
    }
    for (double value : {0.0, 20.5, 25.0, 1.0 / 3.0, 45123.999988426, -693593.0, 1e-300, 2.5e15})
        QCOMPARE(ProfileText::ToDouble(ProfileText::FromDouble(value)),
                 ProfileText::ToDouble(QString::number(value, 'g', 15)));

    ScopedSettingsDir dir;
    TProfile profile = WindowProfile(QStringLiteral("Klondike"));
    profile.SetEntry(QStringLiteral("AvgScore"));
    profile.SetText(ProfileText::FromDouble(12.75));
    QCOMPARE(profile.GetText(), QStringLiteral("12.75"));
    QCOMPARE(ProfileText::ToDouble(profile.GetText()), 12.75);
}

void TestProfile::dateTimesCountDaysSinceTheEpochWithTheTimeAsFraction() {
    // 36890.5 is noon on 30 December 2000, local time, both ways and through the file's text.
    GermanLocale german;
    const QDateTime noon(QDate(2000, 12, 30), QTime(12, 0));
    QCOMPARE(ProfileText::FromDateTime(noon), 36890.5);
    QCOMPARE(ProfileText::ToDateTime(36890.5), noon);
    QCOMPARE(ProfileText::ToDateTime(0.0), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    QCOMPARE(ProfileText::ToDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    QCOMPARE(ProfileText::FromDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    // A fraction a hair below midnight rounds into the next day, not back to the same one.
    QCOMPARE(ProfileText::ToDateTime(36890.9999999999), QDateTime(QDate(2000, 12, 31), QTime(0, 0)));
    QVERIFY(!ProfileText::ToDateTime(std::numeric_limits<double>::quiet_NaN()).isValid());
    QVERIFY(!ProfileText::ToDateTime(1e12).isValid());
    QVERIFY(!ProfileText::ToDateTime(-1e12).isValid());

    const QDateTime moment(QDate(2024, 3, 9), QTime(17, 45, 12, 345));
    const QString text = ProfileText::FromDouble(ProfileText::FromDateTime(moment));
    QVERIFY2(!text.contains(QLatin1Char(',')), qPrintable(text));
    QCOMPARE(ProfileText::ToDateTime(ProfileText::ToDouble(text)), moment);

    // Another zone's moment is stored as the local time it corresponds to.
    const QDateTime utc = moment.toUTC();
    QCOMPARE(ProfileText::ToDateTime(ProfileText::FromDateTime(utc)), moment);
}

void TestProfile::windowPlacementsRoundTripPerSectionAndDamagedValuesReadAsAbsent() {
    // Each window's section keeps its own geometry and state beside the game's other keys;
    // anything unusable reads as no stored placement.
    ScopedSettingsDir dir;
    using namespace WindowPlacement;
    QVERIFY(!Load(QStringLiteral("Klondike")));
    QVERIFY(!LoadPosition(QStringLiteral("MainWindow")));

    TProfile profile = WindowProfile(QStringLiteral("Klondike"));
    profile.SetEntry(QStringLiteral("Autoplay"));
    profile.SetState(true);
    QVERIFY(Save(QStringLiteral("Klondike"), {QRect(-20, 35, 800, 600), TShowState::Maximized}));
    QVERIFY(Save(QStringLiteral("sKlondike"), {QRect(5, 6, 640, 480), TShowState::Normal}));
    QVERIFY(SavePosition(QStringLiteral("MainWindow"), QPoint(-4, 300)));
    const auto large = Load(QStringLiteral("klondike"));
    QVERIFY(large);
    QCOMPARE(large->normalGeometry, QRect(-20, 35, 800, 600));
    QCOMPARE(large->state, TShowState::Maximized);
    QCOMPARE(Load(QStringLiteral("sKlondike"))->normalGeometry, QRect(5, 6, 640, 480));
    QCOMPARE(*LoadPosition(QStringLiteral("MainWindow")), QPoint(-4, 300));
    QVERIFY(profile.GetState());
    QCOMPARE(profile.Read(QStringLiteral("NormPos")), QStringLiteral("-20,35,800,600"));

    profile.SetSection(QStringLiteral("Golf"));
    const QList<const char*> badGeometries = {"None",      "",         "1,2,3",     "1,2,3,4,5",
                                              "a,b,c,d",   "1,2,0,10", "1,2,10,-5", "1,2,999999,10",
                                              "1.5,2,3,4", "1,,3,4"};
    for (const char* bad : badGeometries) {
        profile.SetEntry(QStringLiteral("NormPos"));
        profile.SetText(QLatin1String(bad));
        QVERIFY2(!Load(QStringLiteral("Golf")), bad);
    }
    profile.SetText(QStringLiteral(" 1, 2 ,300,200"));
    for (const char* showCmd : {"9", "x", "0", "None"}) {
        profile.SetEntry(QStringLiteral("ShowCmd"));
        profile.SetText(QLatin1String(showCmd));
        QCOMPARE(Load(QStringLiteral("Golf"))->state, TShowState::Normal);
    }
    QCOMPARE(Load(QStringLiteral("Golf"))->normalGeometry, QRect(1, 2, 300, 200));
    for (const char* bad : {"1", "1,2,3", "x,y", "1,200000"}) {
        profile.SetEntry(QStringLiteral("Position"));
        profile.SetText(QLatin1String(bad));
        QVERIFY2(!LoadPosition(QStringLiteral("Golf")), bad);
    }
}

void TestProfile::centredWindowsLieOnTheScreenWithTheirCaptionInside_data() {
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("placed");
    QTest::newRow("fits") << QSize(543, 320) << QRect(0, 0, 640, 480) << QRect(48, 80, 543, 320);
    QTest::newRow("second screen, below a panel")
        << QSize(380, 196) << QRect(640, 30, 1024, 738) << QRect(962, 301, 380, 196);
    QTest::newRow("exactly the screen") << QSize(640, 480) << QRect(0, 0, 640, 480) << QRect(0, 0, 640, 480);
    QTest::newRow("wider and taller")
        << QSize(700, 600) << QRect(-800, 0, 640, 480) << QRect(-800, 0, 700, 600);
}

void TestProfile::centredWindowsLieOnTheScreenWithTheirCaptionInside() {
    QFETCH(QSize, frame);
    QFETCH(QRect, screen);
    QFETCH(QRect, placed);
    QCOMPARE(WindowPlacement::Centred(frame, screen), placed);
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
