#pragma once

#include <QString>

class TProfile;

// The statistics record of one game, kept key by key in the game's section of the
// settings file; the large-card and the small-card window share it.
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
        Failed, // the stored average was not a number; the keys before it are written
    };
    Outcome outcome = NotRecorded;
    QString errorText; // when Failed: a message for the player

    bool Ok() const { return outcome != Failed; }
};

// Records a game that ended with the given move count, as won or lost, with its score.
// The profile's Section is the game's section; its Entry is left on the last key used.
// Nothing is recorded below threshold moves.
TRecordResult RecordFinishedGame(TProfile& profile, int moveCount, int threshold, bool won, int score);

// The statistics dialog's two clear commands: each writes "None" to its group of keys.
void ClearWinLoss(TProfile& profile);
void ClearStreaks(TProfile& profile);

} // namespace Statistics
