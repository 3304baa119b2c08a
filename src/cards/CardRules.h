#pragma once

#include "cards/TCard.h"

// Rank and colour relations the games build their rules from.
namespace CardRules {

inline bool IsRed(const TCard* card) {
    return card->Suit == FS_DIAMONDS || card->Suit == FS_HEARTS;
}

// `upper` may lie on `lower` in a column built down in alternating colours.
inline bool AlternatesDown(const TCard* lower, const TCard* upper) {
    return upper->Value + 1 == lower->Value && IsRed(upper) != IsRed(lower);
}

// `upper` may lie on `lower` in a column built down in suit.
inline bool FollowsDownInSuit(const TCard* lower, const TCard* upper) {
    return upper->Value + 1 == lower->Value && upper->Suit == lower->Suit;
}

// `upper` may lie on `lower` in a column built down in any suit but its own.
inline bool FollowsDownInOtherSuit(const TCard* lower, const TCard* upper) {
    return upper->Value + 1 == lower->Value && upper->Suit != lower->Suit;
}

} // namespace CardRules
