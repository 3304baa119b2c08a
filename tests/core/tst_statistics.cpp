#include "framework/core/Clock.h"
#include "framework/core/IniFile.h"
#include "framework/core/Statistics.h"
#include "framework/core/TProfile.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// A clock that says what the test tells it.
class FixedClock {
public:
    explicit FixedClock(const QDateTime& now) : m_now(now) {
        Clock::SetNow([this] { return m_now; });
    }
    ~FixedClock() { Clock::SetNow({}); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
    void Set(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now;
};

TProfile GameProfile(const QString& section = QStringLiteral("Klondike")) {
    TProfile profile;
    profile.SetFileName(QStringLiteral("Solitaire.ini"));
    profile.SetDefaultText(QStringLiteral("None"));
    profile.SetSection(section);
    return profile;
}

QString Key(const QString& key, const QString& section = QStringLiteral("Klondike")) {
    return IniFile::ReadString(QStringLiteral("Solitaire.ini"), section, key, QStringLiteral("None"));
}

void Set(const QString& key, const QString& text) {
    QVERIFY(IniFile::WriteString(QStringLiteral("Solitaire.ini"), QStringLiteral("Klondike"), key, text));
}

QString DateText(const QDateTime& when) {
    return ProfileText::FromDouble(ProfileText::FromDateTime(when));
}

const QDateTime Monday(QDate(2024, 5, 6), QTime(9, 30));
const QDateTime Tuesday(QDate(2024, 5, 7), QTime(21, 15, 30));

Statistics::TRecordResult Loss(TProfile& profile, int score) {
    return Statistics::RecordFinishedGame(profile, 5, 5, false, score);
}
Statistics::TRecordResult Win(TProfile& profile, int score = 52) {
    return Statistics::RecordFinishedGame(profile, 60, 5, true, score);
}

// Set in a child copy of this program that records games: how many ("forever" until killed).
constexpr char RecorderDirVariable[] = "QUINTARO_RECORDER_DIR";
constexpr char RecorderGamesVariable[] = "QUINTARO_RECORDER_GAMES";
constexpr int GamesPerRecorder = 40;

// Records its games in Klondike's record: every third one won, the others lost with a score of 10;
// "forever" records wins only, until killed.
int RunRecorder() {
    IniFile::SetDirectory(qEnvironmentVariable(RecorderDirVariable));
    TProfile profile = GameProfile();
    const QString games = qEnvironmentVariable(RecorderGamesVariable);
    if (games == QLatin1String("forever")) {
        std::printf("recording\n");
        std::fflush(stdout);
        while (true)
            Win(profile);
    }
    for (int i = 0; i < games.toInt(); ++i)
        i % 3 == 0 ? Win(profile) : Loss(profile, 10);
    return 0;
}

QProcess* StartRecorder(const QString& dir, const QString& games) {
    auto* process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(RecorderDirVariable), dir);
    env.insert(QLatin1String(RecorderGamesVariable), games);
    process->setProcessEnvironment(env);
    process->start(QCoreApplication::applicationFilePath(), {});
    return process;
}

} // namespace

// The statistics record every game window updates when a game ends.
class TestStatistics : public QObject {
    Q_OBJECT
private slots:
    void gamesBelowTheThresholdRecordNothingAndAtItRecordALoss();
    void lossWinLossGivesTheDocumentedRecordKeyByKey();
    void averageIsAnIntegerFirstAndFloatingTextAfterEvenUnderAGermanLocale();
    void winsAfterALossCountStreaksAndAnEqualLongestStreakMovesTheDate();
    void aLongerStoredStreakKeepsItsDate();
    void clearedGroupsRestartWhileLastGameAndTheDateStay();
    void nonNumbersReadAsZeroAndAnUnreadableAverageStopsAtThatKey();
    void moreWinsThanAttemptsNeverBreakTheAverage();
    void theCallersProfileKeepsItsDefaultText();
    void extremeStoredNumbersNeitherWrapNorStick_data();
    void extremeStoredNumbersNeitherWrapNorStick();
    void twoProgramsRecordingAtOnceLoseNoGame();
    void aKilledRecorderLeavesEachGameWhollyThereOrAbsent();
};

void TestStatistics::gamesBelowTheThresholdRecordNothingAndAtItRecordALoss() {
    // T - 1 moves leave the record (and the file) untouched; T moves count as attempted and lost.
    ScopedSettingsDir dir;
    TProfile profile = GameProfile(QStringLiteral("Spider"));
    auto result = Statistics::RecordFinishedGame(profile, 9, 10, false, 3);
    QCOMPARE(result.outcome, Statistics::TRecordResult::NotRecorded);
    QVERIFY(result.Ok());
    result = Statistics::RecordFinishedGame(profile, 9, 10, true, 104);
    QCOMPARE(result.outcome, Statistics::TRecordResult::NotRecorded);
    QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/Solitaire.ini")));

    result = Statistics::RecordFinishedGame(profile, 10, 10, false, 3);
    QCOMPARE(result.outcome, Statistics::TRecordResult::Recorded);
    QCOMPARE(Key(QStringLiteral("GamesAttempted"), QStringLiteral("Spider")), QStringLiteral("1"));
    QCOMPARE(Key(QStringLiteral("LastGame"), QStringLiteral("Spider")), QStringLiteral("False"));
}

void TestStatistics::lossWinLossGivesTheDocumentedRecordKeyByKey() {
    // Loss 20, win, loss 30: the keys, their order in the file, and an average of 25.
    ScopedSettingsDir dir;
    FixedClock clock(Monday);
    TProfile profile = GameProfile();
    QVERIFY(Loss(profile, 20).Ok());
    QCOMPARE(FileBytes(dir.path() + QStringLiteral("/Solitaire.ini")),
             QByteArray("[Klondike]\nGamesAttempted=1\nLastGame=False\nCurrentStreak=0\nAvgScore=20\n"));
    QCOMPARE(Key(QStringLiteral("GamesWon")), QStringLiteral("None"));

    QCOMPARE(Win(profile).outcome, Statistics::TRecordResult::Recorded);
    QCOMPARE(Key(QStringLiteral("GamesAttempted")), QStringLiteral("2"));
    QCOMPARE(Key(QStringLiteral("GamesWon")), QStringLiteral("1"));
    QCOMPARE(Key(QStringLiteral("LastGame")), QStringLiteral("True"));
    QCOMPARE(Key(QStringLiteral("CurrentStreak")), QStringLiteral("1"));
    QCOMPARE(Key(QStringLiteral("LongestStreak")), QStringLiteral("1"));
    QCOMPARE(Key(QStringLiteral("LongestStreakDate")), DateText(Monday));
    QCOMPARE(Key(QStringLiteral("AvgScore")), QStringLiteral("20"));

    QVERIFY(Loss(profile, 30).Ok());
    QCOMPARE(Key(QStringLiteral("GamesAttempted")), QStringLiteral("3"));
    QCOMPARE(Key(QStringLiteral("GamesWon")), QStringLiteral("1"));
    QCOMPARE(Key(QStringLiteral("LastGame")), QStringLiteral("False"));
    QCOMPARE(Key(QStringLiteral("CurrentStreak")), QStringLiteral("0"));
    QCOMPARE(Key(QStringLiteral("AvgScore")), QStringLiteral("25"));
    QCOMPARE(Key(QStringLiteral("LongestStreak")), QStringLiteral("1"));
}

void TestStatistics::averageIsAnIntegerFirstAndFloatingTextAfterEvenUnderAGermanLocale() {
    // 20 then 21 averages to "20.5" with a point, whatever the locale; thirds keep 15 digits.
    const QLocale previousQt;
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    ScopedSettingsDir dir;
    TProfile profile = GameProfile();
    Loss(profile, 20);
    QCOMPARE(Key(QStringLiteral("AvgScore")), QStringLiteral("20"));
    Loss(profile, 21);
    QCOMPARE(Key(QStringLiteral("AvgScore")), QStringLiteral("20.5"));
    Loss(profile, 0);
    QCOMPARE(Key(QStringLiteral("AvgScore")), QStringLiteral("13.6666666666667"));
    std::setlocale(LC_ALL, previousC.c_str());
    QLocale::setDefault(previousQt);
}

void TestStatistics::winsAfterALossCountStreaksAndAnEqualLongestStreakMovesTheDate() {
    // Three wins after a loss give streaks 1, 2, 3; a stored longest streak of 3 keeps its
    // date until the third win equals it, which moves the date to now.
    ScopedSettingsDir dir;
    const QDateTime longAgo(QDate(2001, 1, 1), QTime(8, 0));
    Set(QStringLiteral("LongestStreak"), QStringLiteral("3"));
    Set(QStringLiteral("LongestStreakDate"), DateText(longAgo));
    FixedClock clock(Monday);
    TProfile profile = GameProfile();
    Loss(profile, 10);
    for (int streak = 1; streak <= 3; ++streak) {
        if (streak == 3)
            clock.Set(Tuesday);
        QVERIFY(Win(profile).Ok());
        QCOMPARE(Key(QStringLiteral("CurrentStreak")), QString::number(streak));
        QCOMPARE(Key(QStringLiteral("LongestStreak")), QStringLiteral("3"));
        QCOMPARE(Key(QStringLiteral("LongestStreakDate")), DateText(streak < 3 ? longAgo : Tuesday));
    }
    QCOMPARE(ProfileText::ToDateTime(ProfileText::ToDouble(Key(QStringLiteral("LongestStreakDate")))),
             Tuesday);
    QCOMPARE(Key(QStringLiteral("GamesWon")), QStringLiteral("3"));
    QCOMPARE(Key(QStringLiteral("GamesAttempted")), QStringLiteral("4"));
    Win(profile);
    QCOMPARE(Key(QStringLiteral("LongestStreak")), QStringLiteral("4"));
}

void TestStatistics::aLongerStoredStreakKeepsItsDate() {
    // A win that does not reach the stored longest streak leaves it and its date alone.
    ScopedSettingsDir dir;
    Set(QStringLiteral("LongestStreak"), QStringLiteral("5"));
    Set(QStringLiteral("LongestStreakDate"), QStringLiteral("36890.5"));
    FixedClock clock(Monday);
    TProfile profile = GameProfile();
    Win(profile);
    QCOMPARE(Key(QStringLiteral("CurrentStreak")), QStringLiteral("1"));
    QCOMPARE(Key(QStringLiteral("LongestStreak")), QStringLiteral("5"));
    QCOMPARE(Key(QStringLiteral("LongestStreakDate")), QStringLiteral("36890.5"));
}

void TestStatistics::clearedGroupsRestartWhileLastGameAndTheDateStay() {
    // After clearing, "LastGame" and the date stay; the next win starts a streak of 1 even
    // though "LastGame" says the previous game was won, and the next loss writes its score directly.
    ScopedSettingsDir dir;
    FixedClock clock(Monday);
    TProfile profile = GameProfile();
    Loss(profile, 40);
    Win(profile);
    Win(profile);
    Statistics::ClearStreaks(profile);
    QCOMPARE(Key(QStringLiteral("CurrentStreak")), QStringLiteral("None"));
    QCOMPARE(Key(QStringLiteral("LongestStreak")), QStringLiteral("None"));
    QCOMPARE(Key(QStringLiteral("LastGame")), QStringLiteral("True"));
    QCOMPARE(Key(QStringLiteral("LongestStreakDate")), DateText(Monday));
    QCOMPARE(Key(QStringLiteral("GamesWon")), QStringLiteral("2"));
    Win(profile);
    QCOMPARE(Key(QStringLiteral("CurrentStreak")), QStringLiteral("1"));
    QCOMPARE(Key(QStringLiteral("LongestStreak")), QStringLiteral("1"));

    Statistics::ClearWinLoss(profile);
    for (const char* key : {"GamesAttempted", "GamesWon", "AvgScore"})
        QCOMPARE(Key(QLatin1String(key)), QStringLiteral("None"));
    QCOMPARE(Key(QStringLiteral("CurrentStreak")), QStringLiteral("1"));
    Loss(profile, 7);
    QCOMPARE(Key(QStringLiteral("GamesAttempted")), QStringLiteral("1"));
    QCOMPARE(Key(QStringLiteral("AvgScore")), QStringLiteral("7"));
}

void TestStatistics::nonNumbersReadAsZeroAndAnUnreadableAverageStopsAtThatKey() {
    // A hand-damaged count reads as 0 and the update goes on; an average that is no number stops
    // the update at that key with a message, keeping the keys written before it.
    ScopedSettingsDir dir;
    Set(QStringLiteral("GamesAttempted"), QStringLiteral("lots"));
    Set(QStringLiteral("CurrentStreak"), QStringLiteral("7"));
    Set(QStringLiteral("AvgScore"), QStringLiteral("12,5"));
    TProfile profile = GameProfile();
    const auto result = Loss(profile, 30);
    QCOMPARE(result.outcome, Statistics::TRecordResult::Failed);
    QVERIFY(!result.Ok());
    QVERIFY(result.errorText.contains(QStringLiteral("12,5")));
    QCOMPARE(Key(QStringLiteral("GamesAttempted")), QStringLiteral("1"));
    QCOMPARE(Key(QStringLiteral("LastGame")), QStringLiteral("False"));
    QCOMPARE(Key(QStringLiteral("CurrentStreak")), QStringLiteral("0"));
    QCOMPARE(Key(QStringLiteral("AvgScore")), QStringLiteral("12,5"));

    // A win never reads the average, so it records normally.
    FixedClock clock(Monday);
    QCOMPARE(Win(profile).outcome, Statistics::TRecordResult::Recorded);
    QCOMPARE(Key(QStringLiteral("GamesAttempted")), QStringLiteral("2"));
}

void TestStatistics::moreWinsThanAttemptsNeverBreakTheAverage() {
    // A record claiming more wins than attempts counts no earlier losses instead of dividing by
    // zero or a negative number.
    ScopedSettingsDir dir;
    Set(QStringLiteral("GamesAttempted"), QStringLiteral("1"));
    Set(QStringLiteral("GamesWon"), QStringLiteral("2"));
    Set(QStringLiteral("AvgScore"), QStringLiteral("10"));
    TProfile profile = GameProfile();
    QVERIFY(Loss(profile, 30).Ok());
    QCOMPARE(Key(QStringLiteral("AvgScore")), QStringLiteral("30"));
    QVERIFY(std::isfinite(ProfileText::ToDouble(Key(QStringLiteral("AvgScore")))));
}

void TestStatistics::theCallersProfileKeepsItsDefaultText() {
    // The record always uses the "None" convention but hands the profile back as it found it.
    ScopedSettingsDir dir;
    TProfile profile = GameProfile();
    profile.SetDefaultText(QStringLiteral("other"));
    Loss(profile, 4);
    Loss(profile, 6);
    QCOMPARE(profile.DefaultText(), QStringLiteral("other"));
    QCOMPARE(Key(QStringLiteral("GamesAttempted")), QStringLiteral("2"));
    QCOMPARE(Key(QStringLiteral("AvgScore")), QStringLiteral("5"));
}

void TestStatistics::extremeStoredNumbersNeitherWrapNorStick_data() {
    // A record edited by hand (or grown for ever): the stored key, a game, and what a key reads after.
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("won");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("after");
    const QString max = QString::number(std::numeric_limits<int>::max());
    const auto row = [](const char* name, QString key, QString stored, bool won, QString checked,
                        QString after) { QTest::newRow(name) << key << stored << won << checked << after; };
    row("attempts at the limit", "GamesAttempted", max, false, "GamesAttempted", max);
    row("wins at the limit", "GamesWon", max, true, "GamesWon", max);
    row("streak at the limit", "CurrentStreak", max, true, "LongestStreak", max);
    row("negative attempts", "GamesAttempted", "-5", false, "GamesAttempted", "1");
    row("attempts as negative hex", "GamesAttempted", "$FFFFFFFF", true, "GamesAttempted", "1");
    row("attempts beyond the integers", "GamesAttempted", "99999999999", false, "GamesAttempted", "1");
    row("negative streak", "CurrentStreak", "-9", true, "CurrentStreak", "1");
    for (const char* average : {"nan", "inf", "-INF", "1e300", "-2e10"})
        QTest::addRow("average %s", average) << "AvgScore" << average << false << "AvgScore" << average;
}

void TestStatistics::extremeStoredNumbersNeitherWrapNorStick() {
    // Counts stop at the largest integer and a negative count reads as none; an average that is
    // no finite, sane number stops the update at that key like any unreadable average.
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(bool, won);
    QFETCH(QString, checked);
    QFETCH(QString, after);
    ScopedSettingsDir dir;
    Set(QStringLiteral("LastGame"), QStringLiteral("True"));
    Set(key, stored);
    TProfile profile = GameProfile();
    const auto result = won ? Win(profile) : Loss(profile, 30);
    QCOMPARE(Key(checked), after);
    QCOMPARE(result.Ok(), key != QLatin1String("AvgScore"));
    for (const char* count : {"GamesAttempted", "GamesWon", "CurrentStreak", "LongestStreak"}) {
        const QString text = Key(QLatin1String(count));
        QVERIFY2(text == QLatin1String("None") || text.toLongLong() >= 0, count);
    }
}

void TestStatistics::twoProgramsRecordingAtOnceLoseNoGame() {
    // Two running programs finishing games at the same moments: every game of both is counted.
    ScopedSettingsDir dir;
    std::unique_ptr<QProcess> first(StartRecorder(dir.path(), QString::number(GamesPerRecorder)));
    std::unique_ptr<QProcess> second(StartRecorder(dir.path(), QString::number(GamesPerRecorder)));
    for (QProcess* process : {first.get(), second.get()}) {
        QVERIFY(process->waitForFinished(120000));
        QCOMPARE(process->exitCode(), 0);
    }
    const int wins = 2 * ((GamesPerRecorder + 2) / 3);
    QCOMPARE(Key(QStringLiteral("GamesAttempted")), QString::number(2 * GamesPerRecorder));
    QCOMPARE(Key(QStringLiteral("GamesWon")), QString::number(wins));
    QCOMPARE(Key(QStringLiteral("AvgScore")), QStringLiteral("10"));
}

void TestStatistics::aKilledRecorderLeavesEachGameWhollyThereOrAbsent() {
    // A program killed at any moment while it records wins leaves a record in which every count
    // agrees, and the next game is recorded at once, without waiting for the dead program's lock.
    ScopedSettingsDir dir;
    FixedClock clock(Monday);
    const QString path = dir.path() + QStringLiteral("/Solitaire.ini");
    int recorded = 0;
    for (int round = 0; round < 4; ++round) {
        std::unique_ptr<QProcess> recorder(StartRecorder(dir.path(), QStringLiteral("forever")));
        QVERIFY(recorder->waitForReadyRead(30000));
        QTest::qWait(20 + QRandomGenerator::global()->bounded(80));
        recorder->kill();
        QVERIFY(recorder->waitForFinished(30000));

        const QString attempts = Key(QStringLiteral("GamesAttempted"));
        QVERIFY(attempts.toInt() >= recorded);
        for (const char* key : {"GamesWon", "CurrentStreak", "LongestStreak"})
            QCOMPARE(Key(QLatin1String(key)), attempts);
        IniFile::SetLockTimeout(std::chrono::milliseconds(0));
        TProfile profile = GameProfile();
        QCOMPARE(Win(profile).outcome, Statistics::TRecordResult::Recorded);
        IniFile::SetLockTimeout(std::chrono::seconds(5));
        recorded = attempts.toInt() + 1;
        QCOMPARE(Key(QStringLiteral("GamesAttempted")), QString::number(recorded));
        QCOMPARE(Key(QStringLiteral("CurrentStreak")), QString::number(recorded));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{QStringLiteral("Solitaire.ini")});
    }
    QVERIFY(QFile::exists(path));
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(RecorderDirVariable))
        return RunRecorder();
    TestStatistics test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_statistics.moc"
