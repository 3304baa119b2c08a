// Spider: ten columns built down regardless of suit over face-down cards; runs
// (in suit with Same Suit Moves) move together; a complete suit from King to Ace
// goes up in one move; the stock deals a row of ten, one card on each column,
// never onto an empty column.

#include "solver/GameSolver.h"
#include "solver/Piles.h"

#include <algorithm>

namespace Solver {
namespace {

class TSpiderGame {
public:
    static constexpr int Columns = 10;
    static constexpr int HomeBase = Columns;
    static constexpr int Stock = 255;

    struct State {
        TPiles<Columns, 104> Cols;
        std::array<Card, 60> StockCards{}; // top last
        std::uint8_t StockSize = 0;
        std::uint8_t Suits = 0;    // complete suits up
        std::uint8_t HomeMask = 0; // the foundations holding one
    };
    static int FirstEmptyHome(const State& s) {
        for (int f = 0; f < 8; ++f)
            if (!(s.HomeMask >> f & 1))
                return f;
        return -1;
    }
    static void AddHome(State& s, int f) {
        s.HomeMask = static_cast<std::uint8_t>(s.HomeMask | 1 << f);
        ++s.Suits;
    }
    struct Move {
        std::uint8_t From; // column or Stock
        std::uint8_t To;   // column; HomeBase: the first empty foundation; HomeBase + 1 + f: foundation f
        std::uint8_t Count;
    };

    explicit TSpiderGame(bool sameSuit) : m_sameSuit(sameSuit) {}
    static TSpiderGame Make(const TPosition&, const TRules& rules, bool) {
        return TSpiderGame(rules.SameSuitMoves);
    }

    // Whether `upper` moves together with `lower` under it.
    bool Joins(Card lower, Card upper) const {
        return !IsDown(lower) && !IsDown(upper) && Value(upper) + 1 == Value(lower) &&
               (!m_sameSuit || Suit(upper) == Suit(lower));
    }
    // The cards that may be picked up from the top of column c: face up (a
    // face-down card never moves), each one rank below the card under it.
    int Liftable(const State& s, int c) const {
        const int size = s.Cols.Size(c);
        if (size == 0 || IsDown(s.Cols.Top(c)))
            return 0;
        int n = 1;
        while (n < size && Joins(s.Cols.At(c, size - n - 1), s.Cols.At(c, size - n)))
            ++n;
        return n;
    }
    // A complete suit, King to Ace, at the top of column c.
    static bool SuitOnTop(const State& s, int c) {
        const int size = s.Cols.Size(c);
        if (size < 13)
            return false;
        for (int i = 0; i < 13; ++i) {
            const Card card = s.Cols.At(c, size - 1 - i);
            if (IsDown(card) || Value(card) != i || Suit(card) != Suit(s.Cols.Top(c)))
                return false;
        }
        return true;
    }
    static bool AnyEmpty(const State& s) {
        for (int c = 0; c < Columns; ++c)
            if (s.Cols.Empty(c))
                return true;
        return false;
    }
    static void TurnUp(State& s, int c) {
        if (!s.Cols.Empty(c) && IsDown(s.Cols.Top(c)))
            s.Cols.Top(c) = FaceUp(s.Cols.Top(c));
    }

    void Do(State& s, const Move& m, std::vector<TMove>* out) const {
        if (m.From == Stock) {
            if (out)
                Emit(out, "DeckPileView", "TableauPile1", 10);
            for (int c = 0; c < Columns; ++c)
                s.Cols.Push(c, FaceUp(s.StockCards[--s.StockSize]));
            return;
        }
        if (m.To >= HomeBase) {
            const int f = m.To == HomeBase ? FirstEmptyHome(s) : m.To - HomeBase - 1;
            if (out)
                Emit(out, ViewName("TableauPile", m.From + 1), ViewName("FoundPile", f + 1), 13);
            for (int i = 0; i < 13; ++i)
                s.Cols.Pop(m.From);
            AddHome(s, f);
        } else {
            if (out)
                Emit(out, ViewName("TableauPile", m.From + 1), ViewName("TableauPile", m.To + 1), m.Count);
            s.Cols.MoveTop(m.From, m.To, m.Count);
        }
        TurnUp(s, m.From);
    }
    void Settle(State&, std::vector<TMove>*) const {}
    void Apply(State& s, const Move& m, std::vector<TMove>* out) const { Do(s, m, out); }

    bool Moves(const State& s, std::vector<Move>& moves) const {
        auto add = [&](int from, int to, int n) {
            moves.push_back(Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to),
                                 static_cast<std::uint8_t>(n)});
        };
        const int firstEmpty = s.Cols.FirstEmpty();
        for (int from = 0; from < Columns; ++from) {
            const int lift = Liftable(s, from);
            if (lift == 0)
                continue;
            if (lift >= 13 && SuitOnTop(s, from))
                add(from, HomeBase, 13);
            const int size = s.Cols.Size(from);
            const Card top = s.Cols.Top(from);
            for (int to = 0; to < Columns; ++to) {
                if (to == from)
                    continue;
                if (s.Cols.Empty(to)) {
                    if (to == firstEmpty)
                        for (int n = 1; n <= lift && n < size; ++n)
                            add(from, to, n);
                    continue;
                }
                const int n = Value(s.Cols.Top(to)) - Value(top);
                if (n >= 1 && n <= lift)
                    add(from, to, n);
            }
        }
        if (s.StockSize >= Columns && !AnyEmpty(s))
            add(Stock, 0, Columns);
        return true;
    }

    bool Won(const State& s) const { return s.Suits == 8; }

    void Key(const State& s, std::vector<std::uint8_t>& key) const {
        key.clear();
        key.push_back(s.StockSize);
        s.Cols.AppendKey(key);
    }

    // Suits up, cards turned up, cards joined in suit and empty columns help.
    int Score(const State& s) const {
        int score = 200 * s.Suits;
        for (int c = 0; c < Columns; ++c) {
            const int size = s.Cols.Size(c);
            if (size == 0)
                score += 30;
            for (int i = 0; i < size; ++i) {
                const Card card = s.Cols.At(c, i);
                if (IsDown(card)) {
                    score -= 10;
                } else if (i > 0 && !IsDown(s.Cols.At(c, i - 1))) {
                    const Card lower = s.Cols.At(c, i - 1);
                    if (Value(card) + 1 == Value(lower))
                        score += Suit(card) == Suit(lower) ? 6 : 2;
                    else
                        score -= 3;
                }
            }
        }
        return score;
    }

    const char* Restriction() const { return "the search kept only its most promising positions"; }
    bool BestFirst() const { return true; }
    // A full search is out of reach: keep the best open positions only.
    std::size_t OpenLimit() const { return 150000; }

    bool Load(const TPosition& p, State& s, std::string& error) const {
        s = State{};
        int cards = 0;
        for (int c = 0; c < Columns; ++c)
            for (Card card : PileOf(p, ViewName("TableauPile", c + 1))) {
                s.Cols.Push(c, card);
                ++cards;
            }
        for (int f = 0; f < 8; ++f) {
            const std::vector<Card>& pile = PileOf(p, ViewName("FoundPile", f + 1));
            if (pile.size() == 13)
                AddHome(s, f);
            else if (!pile.empty()) {
                error = "a foundation holds part of a suit";
                return false;
            }
        }
        const std::vector<Card>& stock = PileOf(p, "DeckPileView");
        if (stock.size() > 60) {
            error = "too many cards in the stock";
            return false;
        }
        for (Card c : stock)
            s.StockCards[s.StockSize++] = c;
        if (cards + s.StockSize + 13 * s.Suits != 104) {
            error = "the table does not hold 104 cards";
            return false;
        }
        return true;
    }

    bool Play(State& s, const TMove& move, std::string& error) const {
        error = "illegal move";
        if (move.From == "DeckPileView") {
            if (move.To != "TableauPile1" || move.Cards != Columns || s.StockSize == 0 || AnyEmpty(s))
                return false;
            Do(s, Move{Stock, 0, Columns}, nullptr);
            return true;
        }
        const int from = ViewNumber(move.From, "TableauPile", Columns) - 1;
        if (from < 0 || move.Cards < 1 || move.Cards > Liftable(s, from))
            return false;
        const Card bottom = s.Cols.At(from, s.Cols.Size(from) - move.Cards);
        if (int f = ViewNumber(move.To, "FoundPile", 8)) {
            if (move.Cards != 13 || !SuitOnTop(s, from) || (s.HomeMask >> (f - 1) & 1))
                return false;
            Do(s, Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(HomeBase + f), 13},
               nullptr);
            return true;
        }
        const int to = ViewNumber(move.To, "TableauPile", Columns) - 1;
        if (to < 0 || to == from || (!s.Cols.Empty(to) && Value(s.Cols.Top(to)) != Value(bottom) + 1))
            return false;
        Do(s,
           Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to),
                static_cast<std::uint8_t>(move.Cards)},
           nullptr);
        return true;
    }

private:
    bool m_sameSuit;
};

} // namespace

TGameEntry SpiderEntry() {
    return EntryOf<TSpiderGame>();
}

} // namespace Solver
