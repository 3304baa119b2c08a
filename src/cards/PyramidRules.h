#pragma once

#include "cards/TCard.h"

#include <QList>
#include <bitset>

// The pyramid's geometry and the rules that need no window: which cards are
// free, which pairs go, and what a click on the deck does. Positions are
// numbered 0..27 row by row, left to right (row 1 is the apex).
namespace PyramidRules {

constexpr int Rows = 7;
constexpr int Positions = 28;
constexpr int Passes = 3;

// Which positions still hold their card.
using TPresence = std::bitset<Positions>;

// Row 1..7 and place 1..row of a position.
int RowOf(int position);
int PlaceOf(int position);
// The position at row and place (both from 1), or -1 outside the pyramid.
int PositionAt(int row, int place);

// The two positions of the next row that lie over `position`; none for the bottom row.
QList<int> CoveredBy(int position);
// The positions of the row above that `position` lies over (none, one or two).
QList<int> Covers(int position);

// A card is free when it is there and nothing covers it any more.
bool IsFree(const TPresence& present, int position);
TPresence FreePositions(const TPresence& present);

// Ranks (Ace 1 .. King 13) that total 13 leave together; a King never pairs.
bool Pairs(_CardValue a, _CardValue b);
// A King leaves on its own.
bool LeavesAlone(_CardValue value);

// What one click on the deck does, given the pass (1..Passes) and the cards of deck, play and waste.
struct TDeckClick {
    bool SetAside = false; // the play card goes to the waste first
    bool Draw = false;     // the deck's top card is turned onto the play pile
    bool Redeal = false;   // the waste becomes the deck of the next pass, then its first card is turned
};
TDeckClick PlanDeckClick(int pass, int deckCards, int playCards, int wasteCards);

// Whether another pass can still come: the deck's recycle mark shows exactly then.
bool RedealRemains(int pass, int deckCards, int playCards, int wasteCards);

// "First Pass", "Second Pass", "Third Pass".
const char* PassLabel(int pass);

} // namespace PyramidRules
