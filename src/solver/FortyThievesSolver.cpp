// Forty Thieves: ten columns built down in suit, one card at a time; a stock
// dealt once, one card at a time, onto a waste; eight foundations.

#include "solver/Foundations.h"
#include "solver/GameSolver.h"
#include "solver/Piles.h"
#include "solver/Talon.h"

#include <algorithm>

namespace Solver {
namespace {

class TFortyThievesGame {
public:
    explicit TFortyThievesGame(bool reductions) : m_reduce(reductions) {}
    static TFortyThievesGame Make(const TPosition&, const TRules&, bool reductions) {
        return TFortyThievesGame(reductions);
    }
    static constexpr int Columns = 10;
    static constexpr int Waste = Columns;        // as a source
    static constexpr int HomeBase = Columns + 1; // foundations as targets
    static constexpr int Stock = 255;            // a deal

    struct State {
        TPiles<Columns, 104> Cols;
        THomes<8> Homes;
        TTalon<64> Talon;
    };
    struct Move {
        std::uint8_t From; // column, Waste, or Stock
        std::uint8_t To;   // column or HomeBase + foundation
    };

    static bool Builds(Card lower, Card upper) {
        return Suit(lower) == Suit(upper) && Value(upper) + 1 == Value(lower);
    }
    static bool ColumnTakes(const State& s, int t, Card c) {
        return s.Cols.Empty(t) || Builds(s.Cols.Top(t), c);
    }
    static std::string Name(int pile) {
        if (pile < Columns)
            return ViewName("TableauPile", pile + 1);
        if (pile == Waste)
            return "DiscardPileView";
        return ViewName("FoundPile", pile - HomeBase + 1);
    }
    static Card TopOf(const State& s, int from) {
        if (from == Waste) {
            const int i = s.Talon.WasteTop();
            return i < 0 ? NoCard : s.Talon.Cards[i];
        }
        return s.Cols.Empty(from) ? NoCard : s.Cols.Top(from);
    }

    void Do(State& s, const Move& m, std::vector<TMove>* out) const {
        if (m.From == Stock) {
            if (out)
                Emit(out, "DeckPileView", "DiscardPileView", 1);
            s.Talon.Deal();
            return;
        }
        if (out)
            Emit(out, Name(m.From), Name(m.To), 1);
        const Card c = m.From == Waste ? s.Talon.TakeWasteTop() : s.Cols.Pop(m.From);
        if (m.To < Columns)
            s.Cols.Push(m.To, c);
        else
            s.Homes.Add(m.To - HomeBase, c);
    }

    // A card may go up for good once both cards one rank lower of its suit,
    // the only ones that could be put on it, are home.
    void Settle(State& s, std::vector<TMove>* out) const {
        if (!m_reduce)
            return;
        for (bool moved = true; moved;) {
            moved = false;
            for (int from = 0; from <= Waste; ++from) {
                const Card c = TopOf(s, from);
                if (c == NoCard)
                    continue;
                const int f = s.Homes.Target(c);
                if (f >= 0 && (Value(c) == Ace || s.Homes.Home(Suit(c), Value(c) - 1) == 2)) {
                    Do(s, Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(HomeBase + f)},
                       out);
                    moved = true;
                }
            }
        }
    }
    void Apply(State& s, const Move& m, std::vector<TMove>* out) const {
        Do(s, m, out);
        Settle(s, out);
    }

    bool Moves(const State& s, std::vector<Move>& moves) const {
        const int firstEmpty = s.Cols.FirstEmpty();
        for (int from = 0; from <= Waste; ++from) {
            const Card c = TopOf(s, from);
            if (c == NoCard)
                continue;
            const int f = s.Homes.Target(c);
            if (f >= 0)
                moves.push_back(
                    Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(HomeBase + f)});
            for (int to = 0; to < Columns; ++to) {
                if (to == from)
                    continue;
                if (s.Cols.Empty(to) ? to != firstEmpty || (from < Columns && s.Cols.Size(from) == 1)
                                     : !Builds(s.Cols.Top(to), c))
                    continue;
                moves.push_back(Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)});
            }
        }
        if (s.Talon.StockTop() >= 0)
            moves.push_back(Move{Stock, 0});
        return true;
    }

    bool Won(const State& s) const { return s.Homes.Total() == 104; }

    void Key(const State& s, std::vector<std::uint8_t>& key) const {
        key.clear();
        s.Homes.Key(key);
        s.Talon.Key(key);
        s.Cols.AppendKey(key);
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

    const char* Restriction() const { return "the search kept only its most promising positions"; }
    bool BestFirst() const { return true; }
    // A full search is out of reach: keep the best open positions only.
    std::size_t OpenLimit() const { return 300000; }

    bool Load(const TPosition& p, State& s, std::string& error) const {
        s = State{};
        int cards = 0;
        for (int c = 0; c < Columns; ++c)
            for (Card card : PileOf(p, Name(c))) {
                s.Cols.Push(c, FaceUp(card));
                ++cards;
            }
        for (int f = 0; f < 8; ++f)
            if (!s.Homes.Load(f, PileOf(p, Name(HomeBase + f)), error))
                return false;
        const std::vector<Card>& waste = PileOf(p, "DiscardPileView");
        const std::vector<Card>& stock = PileOf(p, "DeckPileView");
        if (waste.size() + stock.size() > 64) {
            error = "too many cards in the stock and waste";
            return false;
        }
        s.Talon.Load(waste, stock);
        if (cards + s.Talon.Size + s.Homes.Total() != 104) {
            error = "the table does not hold 104 cards";
            return false;
        }
        return true;
    }

    bool Play(State& s, const TMove& move, std::string& error) const {
        error = "illegal move";
        if (move.Cards != 1)
            return false;
        if (move.From == "DeckPileView") {
            if (move.To != "DiscardPileView" || s.Talon.StockTop() < 0)
                return false;
            s.Talon.Deal();
            return true;
        }
        int from = ViewNumber(move.From, "TableauPile", Columns) - 1;
        if (move.From == "DiscardPileView")
            from = Waste;
        int to = ViewNumber(move.To, "TableauPile", Columns) - 1;
        if (int f = ViewNumber(move.To, "FoundPile", 8))
            to = HomeBase + f - 1;
        const Card c = from >= 0 ? TopOf(s, from) : NoCard;
        if (c == NoCard || to < 0 || to == from)
            return false;
        if (to < Columns ? !ColumnTakes(s, to, c) : !s.Homes.Takes(to - HomeBase, c))
            return false;
        Do(s, Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)}, nullptr);
        return true;
    }

private:
    bool m_reduce;
};

} // namespace

TGameEntry FortyThievesEntry() {
    return EntryOf<TFortyThievesGame>();
}

} // namespace Solver
