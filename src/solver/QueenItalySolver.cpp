// Queen of Italy: a terrace of eleven cards playable only to the foundations,
// nine columns built down in alternating colours turning the corner (a King on
// an Ace), one card at a time; eight foundations built up by suit from a base
// value chosen at the start, turning the corner; a stock dealt one card at a
// time onto a waste, turned over once, the second pass dealing a card only
// onto an empty waste.

#include "solver/GameSolver.h"
#include "solver/Piles.h"
#include "solver/Talon.h"

#include <algorithm>

namespace Solver {
namespace {

class TQueenItalyGame {
public:
    explicit TQueenItalyGame(bool reductions) : m_reduce(reductions) {}
    static TQueenItalyGame Make(const TPosition&, const TRules&, bool reductions) {
        return TQueenItalyGame(reductions);
    }
    static constexpr int Columns = 9;
    static constexpr int Waste = Columns;
    static constexpr int Terrace = Columns + 1;
    static constexpr int HomeBase = Columns + 2;
    static constexpr int Stock = 254;
    static constexpr int Choose = 255; // the base choice: From is the column

    struct State {
        TPiles<Columns, 104> Cols;
        std::array<Card, 11> TerraceCards{};
        std::uint8_t TerraceSize = 0;
        std::array<std::int8_t, 8> HomeSuit{-1, -1, -1, -1, -1, -1, -1, -1};
        std::array<std::uint8_t, 8> HomeCount{};
        TTalon<104> Talon;
        bool BaseChosen = false;
        std::uint8_t Base = 0;
        bool Redealt = false;
    };
    struct Move {
        std::uint8_t From; // column, Waste, Terrace, Stock, or Choose
        std::uint8_t To;   // column or HomeBase + foundation
    };

    static bool ColumnTakes(const State& s, int t, Card c) {
        if (s.Cols.Empty(t))
            return true;
        const Card top = s.Cols.Top(t);
        if (IsRed(c) == IsRed(top))
            return false;
        return Value(c) == King ? Value(top) == Ace : Value(c) + 1 == Value(top);
    }
    // How far value v lies from the base, going up and round.
    static int Step(const State& s, int v) { return (v - s.Base + 13) % 13; }
    static bool HomeTakes(const State& s, int f, Card c) {
        if (s.HomeSuit[f] < 0)
            return Value(c) == s.Base;
        return s.HomeCount[f] < 13 && s.HomeSuit[f] == Suit(c) && Step(s, Value(c)) == s.HomeCount[f];
    }
    // The double-click action's foundation: a base card to the first empty one,
    // another card to the first of its suit where it follows.
    static int HomeFor(const State& s, Card c) {
        for (int f = 0; f < 8; ++f)
            if (Value(c) == s.Base ? s.HomeSuit[f] < 0 : (s.HomeSuit[f] >= 0 && HomeTakes(s, f, c)))
                return f;
        return -1;
    }
    // Copies of (suit, value) home.
    static int Home(const State& s, int suit, int value) {
        int n = 0;
        for (int f = 0; f < 8; ++f)
            n += s.HomeSuit[f] == suit && s.HomeCount[f] > Step(s, value) ? 1 : 0;
        return n;
    }
    static int HomeTotal(const State& s) {
        int n = 0;
        for (int f = 0; f < 8; ++f)
            n += s.HomeCount[f];
        return n;
    }
    static bool CanDeal(const State& s) {
        if (s.Talon.StockTop() >= 0)
            return !s.Redealt || s.Talon.WasteTop() < 0;
        return !s.Redealt && s.Talon.WasteTop() >= 0; // the one redeal
    }
    // A click on the stock: the redeal when the stock is out, then a card
    // (in the second pass only onto an empty waste).
    static void Deal(State& s) {
        if (s.Talon.StockTop() < 0) {
            s.Talon.Dealt = 0;
            s.Redealt = true;
        }
        if (s.Talon.StockTop() >= 0 && (!s.Redealt || s.Talon.WasteTop() < 0))
            s.Talon.Deal();
    }

    static std::string Name(int pile) {
        if (pile < Columns)
            return ViewName("TableauPileView", pile + 1);
        if (pile == Waste)
            return "DiscardPileView";
        if (pile == Terrace)
            return "TerracePileView";
        return ViewName("FoundPile", pile - HomeBase + 1);
    }
    static Card TopOf(const State& s, int from) {
        if (from == Waste) {
            const int i = s.Talon.WasteTop();
            return i < 0 ? NoCard : s.Talon.Cards[i];
        }
        if (from == Terrace)
            return s.TerraceSize ? s.TerraceCards[s.TerraceSize - 1] : NoCard;
        return s.Cols.Empty(from) ? NoCard : s.Cols.Top(from);
    }

    void Do(State& s, const Move& m, std::vector<TMove>* out) const {
        if (m.From == Stock) {
            if (out)
                Emit(out, "DeckPileView", "DiscardPileView", 1);
            Deal(s);
            return;
        }
        if (m.From == Choose) {
            if (out)
                Emit(out, Name(m.To), "FoundPile1", 1);
            const Card c = s.Cols.Pop(m.To);
            s.Base = static_cast<std::uint8_t>(Value(c));
            s.BaseChosen = true;
            s.HomeSuit[0] = static_cast<std::int8_t>(Suit(c));
            s.HomeCount[0] = 1;
            for (int col = 0; col < Columns; ++col)
                if (s.Cols.Empty(col) && s.Talon.StockTop() >= 0)
                    s.Cols.Push(col, s.Talon.TakeStockTop());
            return;
        }
        if (out)
            Emit(out, Name(m.From), Name(m.To), 1);
        Card c;
        if (m.From == Waste)
            c = s.Talon.TakeWasteTop();
        else if (m.From == Terrace)
            c = s.TerraceCards[--s.TerraceSize];
        else
            c = s.Cols.Pop(m.From);
        if (m.To < Columns) {
            s.Cols.Push(m.To, c);
        } else {
            const int f = m.To - HomeBase;
            s.HomeSuit[f] = static_cast<std::int8_t>(Suit(c));
            ++s.HomeCount[f];
        }
    }

    // The terrace's card goes up whenever it can: it takes no card and goes
    // nowhere else. A column's card goes up for good once the four cards that
    // could be put on it (the other colour, one rank lower) are home.
    void Settle(State& s, std::vector<TMove>* out) const {
        if (!m_reduce)
            return;
        if (!s.BaseChosen)
            return;
        for (bool moved = true; moved;) {
            moved = false;
            for (int from = 0; from <= Terrace; ++from) {
                if (from == Waste)
                    continue;
                const Card c = TopOf(s, from);
                if (c == NoCard)
                    continue;
                const int f = HomeFor(s, c);
                if (f < 0)
                    continue;
                bool safe = from == Terrace;
                if (!safe && Step(s, Value(c)) > 0) {
                    const int lower = (Value(c) + 12) % 13;
                    const int first = IsRed(c) ? 0 : 2;
                    safe = Home(s, first, lower) == 2 && Home(s, first + 1, lower) == 2;
                }
                if (safe) {
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
        if (!s.BaseChosen) {
            for (int col = 0; col < Columns; ++col)
                if (!s.Cols.Empty(col))
                    moves.push_back(Move{Choose, static_cast<std::uint8_t>(col)});
            return true;
        }
        const int firstEmpty = s.Cols.FirstEmpty();
        for (int from = 0; from <= Terrace; ++from) {
            const Card c = TopOf(s, from);
            if (c == NoCard)
                continue;
            const int f = HomeFor(s, c);
            if (f >= 0)
                moves.push_back(
                    Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(HomeBase + f)});
            if (from == Terrace)
                continue;
            for (int to = 0; to < Columns; ++to) {
                if (to == from)
                    continue;
                // Empty columns are alike; a lone card gains nothing by moving to one.
                if (s.Cols.Empty(to) && (to != firstEmpty || (from < Columns && s.Cols.Size(from) == 1)))
                    continue;
                if (ColumnTakes(s, to, c))
                    moves.push_back(Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)});
            }
        }
        if (CanDeal(s))
            moves.push_back(Move{Stock, 0});
        return true;
    }

    bool Won(const State& s) const { return HomeTotal(s) == 104; }

    void Key(const State& s, std::vector<std::uint8_t>& key) const {
        key.clear();
        key.push_back(static_cast<std::uint8_t>(s.BaseChosen | (s.Redealt << 1)));
        key.push_back(s.Base);
        for (int suit = 0; suit < 4; ++suit) {
            std::array<std::uint8_t, 2> counts{};
            int k = 0;
            for (int f = 0; f < 8 && k < 2; ++f)
                if (s.HomeSuit[f] == suit)
                    counts[k++] = s.HomeCount[f];
            key.push_back(std::max(counts[0], counts[1]));
            key.push_back(std::min(counts[0], counts[1]));
        }
        key.push_back(s.TerraceSize);
        s.Talon.Key(key);
        s.Cols.AppendKey(key, s.BaseChosen);
    }

    int Score(const State& s) const {
        int score = 20 * HomeTotal(s) - s.Talon.StockCount() - 5 * s.TerraceSize;
        for (int c = 0; c < Columns; ++c) {
            const int size = s.Cols.Size(c);
            if (size == 0)
                score += 10;
            for (int i = 1; i < size; ++i)
                if (!ColumnTakesCard(s.Cols.At(c, i - 1), s.Cols.At(c, i)))
                    score -= 4;
        }
        return score;
    }
    static bool ColumnTakesCard(Card lower, Card upper) {
        if (IsRed(upper) == IsRed(lower))
            return false;
        return Value(upper) == King ? Value(lower) == Ace : Value(upper) + 1 == Value(lower);
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
        const std::vector<Card>& terrace = PileOf(p, "TerracePileView");
        if (terrace.size() > 11) {
            error = "too many cards on the terrace";
            return false;
        }
        for (Card c : terrace)
            s.TerraceCards[s.TerraceSize++] = FaceUp(c);
        s.BaseChosen = p.BaseChosen;
        s.Base = static_cast<std::uint8_t>(std::clamp(p.BaseValue, 0, 12));
        s.Redealt = p.Redealt;
        for (int f = 0; f < 8; ++f) {
            const std::vector<Card>& pile = PileOf(p, Name(HomeBase + f));
            for (std::size_t i = 0; i < pile.size(); ++i) {
                const Card c = FaceUp(pile[i]);
                if (!s.BaseChosen || Step(s, Value(c)) != static_cast<int>(i) ||
                    (i > 0 && Suit(c) != s.HomeSuit[f]) || i >= 13) {
                    error = "a foundation out of order";
                    return false;
                }
                s.HomeSuit[f] = static_cast<std::int8_t>(Suit(c));
                ++s.HomeCount[f];
            }
        }
        s.Talon.Load(PileOf(p, "DiscardPileView"), PileOf(p, "DeckPileView"));
        if (cards + s.TerraceSize + s.Talon.Size + HomeTotal(s) != 104) {
            error = "the table does not hold 104 cards";
            return false;
        }
        return true;
    }

    bool Play(State& s, const TMove& move, std::string& error) const {
        error = "illegal move";
        if (move.Cards != 1)
            return false;
        if (!s.BaseChosen) {
            const int col = ViewNumber(move.From, "TableauPileView", Columns) - 1;
            if (col < 0 || s.Cols.Empty(col) || move.To != "FoundPile1")
                return false;
            Do(s, Move{Choose, static_cast<std::uint8_t>(col)}, nullptr);
            return true;
        }
        if (move.From == "DeckPileView") {
            if (move.To != "DiscardPileView" || !CanDeal(s))
                return false;
            Deal(s);
            return true;
        }
        int from = ViewNumber(move.From, "TableauPileView", Columns) - 1;
        if (move.From == "DiscardPileView")
            from = Waste;
        if (move.From == "TerracePileView")
            from = Terrace;
        int to = ViewNumber(move.To, "TableauPileView", Columns) - 1;
        if (int f = ViewNumber(move.To, "FoundPile", 8))
            to = HomeBase + f - 1;
        const Card c = from >= 0 ? TopOf(s, from) : NoCard;
        if (c == NoCard || to < 0 || to == from)
            return false;
        if (to < Columns ? (from == Terrace || !ColumnTakes(s, to, c)) : !HomeTakes(s, to - HomeBase, c))
            return false;
        Do(s, Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)}, nullptr);
        return true;
    }

private:
    bool m_reduce;
};

} // namespace

TGameEntry QueenItalyEntry() {
    return EntryOf<TQueenItalyGame>();
}

} // namespace Solver
