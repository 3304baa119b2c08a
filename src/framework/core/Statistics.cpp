#include "framework/core/Statistics.h"

#include "framework/core/Clock.h"
#include "framework/core/TProfile.h"

#include <algorithm>
#include <optional>

namespace Statistics {

namespace {

const QString None = QStringLiteral("None");

// Reads a key with the absent-key convention, whatever default the caller's profile had.
class KeyReader {
public:
    explicit KeyReader(TProfile& profile) : m_profile(profile), m_previousDefault(profile.DefaultText()) {
        m_profile.SetDefaultText(None);
    }
    ~KeyReader() { m_profile.SetDefaultText(m_previousDefault); }
    KeyReader(const KeyReader&) = delete;
    KeyReader& operator=(const KeyReader&) = delete;

    // The key's integer, or nothing when it is absent; a non-number reads as 0.
    std::optional<int> Value(const char* key) {
        m_profile.SetEntry(QLatin1String(key));
        const QString text = m_profile.GetText();
        if (text == None)
            return std::nullopt;
        return ProfileText::ToInt(text);
    }
    std::optional<QString> Text(const char* key) {
        m_profile.SetEntry(QLatin1String(key));
        const QString text = m_profile.GetText();
        if (text == None)
            return std::nullopt;
        return text;
    }
    void Write(const char* key, const QString& text) {
        m_profile.SetEntry(QLatin1String(key));
        m_profile.SetText(text);
    }
    void Write(const char* key, int value) { Write(key, QString::number(value)); }

private:
    TProfile& m_profile;
    QString m_previousDefault;
};

} // namespace

TRecordResult RecordFinishedGame(TProfile& profile, int moveCount, int threshold, bool won, int score) {
    TRecordResult result;
    if (moveCount < threshold)
        return result;
    KeyReader keys(profile);

    int attemptsBefore = 0;
    if (const auto attempts = keys.Value(GamesAttempted))
        attemptsBefore = *attempts;
    keys.Write(GamesAttempted, attemptsBefore + 1);

    if (won) {
        const auto gamesWon = keys.Value(GamesWon);
        keys.Write(GamesWon, gamesWon ? *gamesWon + 1 : 1);

        const auto lastGame = keys.Text(LastGame);
        const bool previousWon = lastGame && ProfileText::IsTrue(*lastGame);
        keys.Write(LastGame, QStringLiteral("True"));

        const auto current = keys.Value(CurrentStreak);
        const int streak = current && previousWon ? *current + 1 : 1;
        keys.Write(CurrentStreak, streak);

        const auto longest = keys.Value(LongestStreak);
        if (!longest || *longest <= streak) {
            keys.Write(LongestStreak, streak);
            keys.Write(LongestStreakDate, ProfileText::FromDouble(ProfileText::FromDateTime(Clock::Now())));
        }
    } else {
        keys.Write(LastGame, QStringLiteral("False"));
        keys.Write(CurrentStreak, 0);

        // A hand-edited record could claim more wins than attempts; never let that make
        // the divisor below zero or negative.
        const int lostBefore = std::max(0, attemptsBefore - keys.Value(GamesWon).value_or(0));

        const auto storedAverage = keys.Text(AvgScore);
        if (!storedAverage) {
            keys.Write(AvgScore, score);
        } else {
            bool ok = false;
            const double average = ProfileText::ToDouble(*storedAverage, &ok);
            if (!ok) {
                result.outcome = TRecordResult::Failed;
                result.errorText =
                    QStringLiteral("'%1' is not a valid floating point value").arg(*storedAverage);
                return result;
            }
            const double updated = (score + lostBefore * average) / (lostBefore + 1);
            keys.Write(AvgScore, ProfileText::FromDouble(updated));
        }
    }
    result.outcome = TRecordResult::Recorded;
    return result;
}

void ClearWinLoss(TProfile& profile) {
    KeyReader keys(profile);
    for (const char* key : {GamesAttempted, GamesWon, AvgScore})
        keys.Write(key, None);
}

void ClearStreaks(TProfile& profile) {
    KeyReader keys(profile);
    for (const char* key : {LongestStreak, CurrentStreak})
        keys.Write(key, None);
}

} // namespace Statistics
