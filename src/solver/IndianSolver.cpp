// Indian Patience: ten columns built down in any suit but the card's own, one
// card at a time; while the stock lasts a column reduced to its bottom card
// neither gives nor takes a card (but to a foundation), and an emptied column
// is dealt three new cards; a stock dealt once onto a waste; eight foundations.
// Faces are left out: a face-down card lies at the bottom of a column under
// other cards, where no rule looks at it.

#include "solver/WasteColumns.h"

namespace Solver {
namespace {

class TIndianGame : public TWasteColumnsGame<TIndianGame, 104> {
public:
    using TWasteColumnsGame::TWasteColumnsGame;
    static TIndianGame Make(const TPosition&, const TRules&, bool reductions) {
        return TIndianGame(reductions);
    }

    bool ColumnTakes(const State& s, int t, int from, Card c) const {
        if (t == from)
            return false;
        if (s.Cols.Empty(t))
            return true;
        if (StockLeft(s) && (s.Cols.Size(t) == 1 || (from < Columns && s.Cols.Size(from) == 1)))
            return false; // a bottom card neither takes nor goes on a column
        const Card top = s.Cols.Top(t);
        return Suit(c) != Suit(top) && Value(c) + 1 == Value(top);
    }
    // The emptied column is dealt up to three cards at once.
    void AfterTake(State& s, int from) const {
        if (s.Cols.Empty(from))
            for (int i = 0; i < 3 && StockLeft(s); ++i)
                s.Cols.Push(from, s.Talon.TakeStockTop());
    }

    // Once the stock is out a card may go up for good when the six cards one
    // rank lower of the other suits, which alone could be put on it, are home.
    // Before that, taking a card off a column can empty it (which deals from the
    // stock) or leave its bottom card alone (which locks it), so nothing goes
    // up by itself.
    bool MaySettle(const State& s) const { return !StockLeft(s); }
    bool GoesUpForGood(const State& s, Card c) const {
        for (int suit = 0; suit < 4 && Value(c) > Ace; ++suit)
            if (suit != Suit(c) && s.Homes.Home(suit, Value(c) - 1) < 2)
                return false;
        return true;
    }

    int Score(const State& s) const {
        int score = 20 * s.Homes.Total() - s.Talon.StockCount();
        for (int c = 0; c < Columns; ++c) {
            const int size = s.Cols.Size(c);
            for (int i = 1; i < size; ++i) {
                const Card lower = s.Cols.At(c, i - 1);
                const Card upper = s.Cols.At(c, i);
                if (Suit(lower) == Suit(upper) || Value(upper) + 1 != Value(lower))
                    score -= 4;
            }
        }
        return score;
    }
};

} // namespace

TGameEntry IndianEntry() {
    return EntryOf<TIndianGame>();
}

} // namespace Solver
