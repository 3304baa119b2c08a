#include "framework/core/Statistics.h"

#include "framework/core/Clock.h"
#include "framework/core/IniFile.h"
#include "framework/core/TProfile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Statistics {

namespace {

const QString None = QStringLiteral("None");

// The record's keys in the file being updated, with the absent-key convention.
class Keys {
public:
    Keys(IniFile::Edit& file, const QString& section) : m_file(file), m_section(section) {}

    std::optional<QString> Text(const char* key) const {
        const QString text = m_file.Read(m_section, QLatin1String(key), None);
        if (text == None)
            return std::nullopt;
        return text;
    }
    // The key's count, or nothing when it is absent.
    std::optional<int> Value(const char* key) const {
        const auto text = Text(key);
        if (!text)
            return std::nullopt;
        return Count(*text);
    }
    void Write(const char* key, const QString& text) { m_file.Write(m_section, QLatin1String(key), text); }
    void Write(const char* key, int value) { Write(key, QString::number(value)); }

private:
    IniFile::Edit& m_file;
    const QString& m_section;
};

void Record(Keys& keys, bool won, int score, TRecordResult& result) {
    const auto attempts = keys.Value(GamesAttempted);
    const int attemptsBefore = attempts.value_or(0);
    keys.Write(GamesAttempted, attempts ? Next(*attempts) : 1);

    if (won) {
        const auto gamesWon = keys.Value(GamesWon);
        keys.Write(GamesWon, gamesWon ? Next(*gamesWon) : 1);

        const auto lastGame = keys.Text(LastGame);
        const bool previousWon = lastGame && ProfileText::IsTrue(*lastGame);
        keys.Write(LastGame, QStringLiteral("True"));

        const auto current = keys.Value(CurrentStreak);
        const int streak = current && previousWon ? Next(*current) : 1;
        keys.Write(CurrentStreak, streak);

        const auto longest = keys.Value(LongestStreak);
        if (!longest || *longest <= streak) {
            keys.Write(LongestStreak, streak);
            keys.Write(LongestStreakDate, ProfileText::FromDouble(ProfileText::FromDateTime(Clock::Now())));
        }
        return;
    }

    keys.Write(LastGame, QStringLiteral("False"));
    keys.Write(CurrentStreak, 0);

    // A hand-edited record could claim more wins than attempts; never let that make
    // the divisor below zero or negative.
    const int lostBefore = std::max(0, attemptsBefore - keys.Value(GamesWon).value_or(0));

    const auto storedAverage = keys.Text(AvgScore);
    if (!storedAverage) {
        keys.Write(AvgScore, score);
        return;
    }
    const auto average = Average(*storedAverage);
    if (!average) {
        result.outcome = TRecordResult::Failed;
        result.errorText = QStringLiteral("'%1' is not a valid floating point value").arg(*storedAverage);
        return;
    }
    const double updated = (score + lostBefore * *average) / (lostBefore + 1.0);
    keys.Write(AvgScore, ProfileText::FromDouble(updated));
}

void Clear(const TProfile& profile, std::initializer_list<const char*> names) {
    QList<QPair<QString, QString>> keys;
    for (const char* name : names)
        keys.append({QLatin1String(name), None});
    IniFile::WriteStrings(profile.FileName(), profile.Section(), keys);
}

} // namespace

int Count(const QString& text) {
    return std::max(0, ProfileText::ToInt(text));
}

int Next(int count) {
    return count < std::numeric_limits<int>::max() ? count + 1 : count;
}

std::optional<double> Average(const QString& text) {
    bool ok = false;
    const double value = ProfileText::ToDouble(text, &ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > MaxAverage)
        return std::nullopt;
    return value;
}

TRecordResult RecordFinishedGame(const TProfile& profile, int moveCount, int threshold, bool won, int score) {
    TRecordResult result;
    if (moveCount < threshold || profile.Section().isEmpty())
        return result;
    result.outcome = TRecordResult::Recorded;
    // One step from reading the first key to writing the last, so that nobody else's game
    // lands in between; an unusable average still keeps the keys written before it.
    IniFile::Update(profile.FileName(), [&](IniFile::Edit& file) {
        Keys keys(file, profile.Section());
        Record(keys, won, score, result);
        return true;
    });
    return result;
}

void ClearWinLoss(const TProfile& profile) {
    Clear(profile, {GamesAttempted, GamesWon, AvgScore});
}

void ClearStreaks(const TProfile& profile) {
    Clear(profile, {LongestStreak, CurrentStreak});
}

} // namespace Statistics
