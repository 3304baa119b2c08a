#pragma once

#include "cards/TCard.h"

// Rank and colour relations the games build their rules from.
namespace CardRules {

inline bool IsRed(const TCard* card) {
    return card->Suit == FS_DIAMONDS || card->Suit == FS_HEARTS;
}

// `upper` is one rank below `lower`, whatever the suits.
inline bool OneRankDown(const TCard* lower, const TCard* upper) {
    return upper->Value + 1 == lower->Value;
}

// `upper` may lie on `lower` in a column built down in alternating colours.
inline bool AlternatesDown(const TCard* lower, const TCard* upper) {
    return upper->Value + 1 == lower->Value && IsRed(upper) != IsRed(lower);
}

// The ranks lie one apart, either way, whatever the suits; the sequence never turns the corner
// between King and Ace.
inline bool OneApart(const TCard* a, const TCard* b) {
    return a->Value + 1 == b->Value || b->Value + 1 == a->Value;
}

} // namespace CardRules
