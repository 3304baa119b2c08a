#pragma once

#include <QString>

#include <optional>

class TProfile;

// The statistics record of one game, kept in the game's section of the settings
// file; the large-card and the small-card window share it. Each update is one
// locked read-modify-write of the whole record, so two running programs
// recording games at the same moment never lose a count, and a kill leaves the
// record either wholly updated or untouched.
namespace Statistics {

inline constexpr char GamesAttempted[] = "GamesAttempted";
inline constexpr char GamesWon[] = "GamesWon";
inline constexpr char LastGame[] = "LastGame";
inline constexpr char CurrentStreak[] = "CurrentStreak";
inline constexpr char LongestStreak[] = "LongestStreak";
inline constexpr char LongestStreakDate[] = "LongestStreakDate";
inline constexpr char AvgScore[] = "AvgScore";

struct TRecordResult {
    enum Outcome {
        NotRecorded, // fewer moves than the game's threshold
        Recorded,
        Failed, // the stored average was no usable number; the keys before it are written
    };
    Outcome outcome = NotRecorded;
    QString errorText; // when Failed: a message for the player

    bool Ok() const { return outcome != Failed; }
};

// Records a game that ended with the given move count, as won or lost, with its score,
// in the profile's file and section. Nothing is recorded below threshold moves.
TRecordResult RecordFinishedGame(const TProfile& profile, int moveCount, int threshold, bool won, int score);

// The statistics dialog's two clear commands: each writes "None" to its group of keys at once.
void ClearWinLoss(const TProfile& profile);
void ClearStreaks(const TProfile& profile);

// A stored count: its integer reading (a true word is 1, other text 0), where a negative
// number, which no count can be, reads as 0 as well.
int Count(const QString& text);
// count + 1, staying at the largest integer instead of wrapping to a negative count.
int Next(int count);

// Beyond any average of integer scores: a stored average past it is damage.
inline constexpr double MaxAverage = 1e10;
// A stored average: nothing when the text is no finite number within MaxAverage.
std::optional<double> Average(const QString& text);

} // namespace Statistics
