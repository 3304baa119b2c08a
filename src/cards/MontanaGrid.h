#pragma once

#include "cards/TCard.h"

#include <array>
#include <functional>
#include <optional>

class TCardPile;

// Montana's table as plain data: four rows of thirteen places, each holding a
// card or a gap (null), and the game's rules over it. The window only maps its
// views to this array and back.
namespace Montana {

constexpr int Rows = 4;
constexpr int Columns = 13;
// Every row built 2 to King.
constexpr int WinningScore = 48;

struct TPos {
    int Row = 0;
    int Column = 0;
    friend bool operator==(TPos, TPos) = default;
};

using TGrid = std::array<std::array<TCard*, Columns>, Rows>;

inline TCard* At(const TGrid& grid, TPos pos) {
    return grid[pos.Row][pos.Column];
}

// Whether the gap at `gap` takes `card`: a gap in the first column takes any 2; any other gap takes
// the card of its left neighbour's suit one rank higher, and nothing right of a King or of a gap.
bool Fits(const TGrid& grid, TPos gap, const TCard* card);

// Where a click sends the card at `at`: a 2 to the first empty place of the first column, any other
// card into the gap right of its suit's next lower card. None when that place holds a card.
std::optional<TPos> GapFor(const TGrid& grid, TPos at);

// Where the card lies that a click on the gap at `gap` brings: for the first column the 2 of the
// suit of a 3 right of the gap, else the first 2 not yet in the first column; for any other column
// the card that fits. None right of a King or of a gap.
std::optional<TPos> CardFor(const TGrid& grid, TPos gap);

// A click on a gap right of a King does nothing at all, not even a caption refresh.
bool AfterKing(const TGrid& grid, TPos gap);

// What a row keeps when the rest is shuffled again.
struct TRowPlan {
    int Kept = 0;             // the run 2, 3, ... of one suit from the first column, at most 12 cards
    int RefillFrom = 0;       // the first column dealt again (Columns: none)
    bool GapAfterRun = false; // the place right after the run stays empty
};
TRowPlan PlanRow(const TGrid& grid, int row);

// Cards in place: per row, the run of one suit from a 2 in the first column.
int Score(const TGrid& grid);

// Hooks for showing a redeal as it happens.
struct TRedealSteps {
    std::function<void()> Shuffled;         // the cards were gathered and shuffled
    std::function<void(TPos)> Placed;       // a place got its card, or lost an Ace
    std::function<void(int row)> RowFilled; // a row was dealt
};

// Shuffle Remaining: every row keeps its run, the other cards and the Aces set aside in `aside` are
// shuffled with the program's generator and dealt again from each row's refill column on, and the
// Aces are taken out once more. With the 48 cards and four Aces of a game it always ends with the
// four Aces in `aside` and four gaps, one right after every run that keeps its gap.
void ShuffleRemaining(TGrid& grid, TCardPile& aside, const TRedealSteps& steps = {});

} // namespace Montana
