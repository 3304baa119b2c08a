// Forty Thieves: ten columns built down in suit, one card at a time; a stock
// dealt once, one card at a time, onto a waste; eight foundations.

#include "solver/WasteColumns.h"

namespace Solver {
namespace {

class TFortyThievesGame : public TWasteColumnsGame<TFortyThievesGame, 64> {
public:
    using TWasteColumnsGame::TWasteColumnsGame;
    static TFortyThievesGame Make(const TPosition&, const TRules&, bool reductions) {
        return TFortyThievesGame(reductions);
    }

    static bool Builds(Card lower, Card upper) {
        return Suit(lower) == Suit(upper) && Value(upper) + 1 == Value(lower);
    }
    bool ColumnTakes(const State& s, int t, int /*from*/, Card c) const {
        return s.Cols.Empty(t) || Builds(s.Cols.Top(t), c);
    }
    void AfterTake(State&, int) const {}

    // A card may go up for good once both cards one rank lower of its suit,
    // the only ones that could be put on it, are home.
    bool MaySettle(const State&) const { return true; }
    bool GoesUpForGood(const State& s, Card c) const {
        return Value(c) == Ace || s.Homes.Home(Suit(c), Value(c) - 1) == 2;
    }

    // Cards home and empty columns help; a card resting on anything but the
    // card of its suit one rank higher must move again.
    int Score(const State& s) const {
        int score = 20 * s.Homes.Total() - s.Talon.StockCount();
        for (int c = 0; c < Columns; ++c) {
            const int size = s.Cols.Size(c);
            if (size == 0)
                score += 25;
            for (int i = 1; i < size; ++i)
                if (!Builds(s.Cols.At(c, i - 1), s.Cols.At(c, i)))
                    score -= 4;
        }
        return score;
    }
};

} // namespace

TGameEntry FortyThievesEntry() {
    return EntryOf<TFortyThievesGame>();
}

} // namespace Solver
