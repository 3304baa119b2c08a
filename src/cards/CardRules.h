#pragma once

#include "cards/TCard.h"
#include "cards/TCardPile.h"

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

// `upper` may lie on `lower` in a column built down in suit.
inline bool FollowsDownInSuit(const TCard* lower, const TCard* upper) {
    return upper->Value + 1 == lower->Value && upper->Suit == lower->Suit;
}

// `upper` may lie on `lower` in a column built down in any suit but its own.
inline bool FollowsDownInOtherSuit(const TCard* lower, const TCard* upper) {
    return upper->Value + 1 == lower->Value && upper->Suit != lower->Suit;
}

// `upper` is one rank above `lower`, turning the corner: the Ace follows the King.
inline bool NextRankAround(const TCard* lower, const TCard* upper) {
    return upper->Value == (lower->Value + 1) % 13;
}

// Built down in alternating colours, turning the corner: a King lies on an Ace.
inline bool AlternatesDownAround(const TCard* lower, const TCard* upper) {
    return NextRankAround(upper, lower) && IsRed(upper) != IsRed(lower);
}

// A foundation built up in suit from the rank `base`, turning the corner, thirteen cards at
// most. A card of the base rank, of any suit, starts it. Without a base (negative) it takes
// nothing: no rank may start a foundation before the game has chosen one.
inline bool BaseFoundationTakes(const TCardPile& foundation, const TCard* card, int base) {
    if (base < 0 || !card)
        return false;
    const TCard* top = foundation.Top();
    if (!top)
        return card->Value == base;
    return foundation.size() < 13 && top->Suit == card->Suit && NextRankAround(top, card);
}

// Whether each card of `pile` above `index` lies on the one below it as `builds(lower, upper)`
// allows, so that the cards from `index` up move together.
template <class Builds> bool IsRun(const TCardPile& pile, int index, Builds builds) {
    for (int i = index + 1; i < pile.size(); ++i)
        if (!builds(pile.CardAt(i - 1), pile.CardAt(i)))
            return false;
    return true;
}

} // namespace CardRules
