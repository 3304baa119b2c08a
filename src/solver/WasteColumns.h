#pragma once

#include "solver/Foundations.h"
#include "solver/GameSolver.h"
#include "solver/Piles.h"
#include "solver/Talon.h"

#include <string>
#include <vector>

namespace Solver {

// What Forty Thieves and Indian Patience share: ten columns of face-up cards
// that give and take one card at a time, a stock dealt once onto a waste one
// card at a time, and eight foundations built up by suit. The game G adds:
//   bool ColumnTakes(const State&, int to, int from, Card) const;  (to != from)
//   void AfterTake(State&, int from) const;       what follows taking a column's card
//   bool MaySettle(const State&) const;           whether anything goes up by itself now
//   bool GoesUpForGood(const State&, Card) const; a card some win sends up at once
//   int Score(const State&) const;
template <class G, int TalonCards> class TWasteColumnsGame {
public:
    static constexpr int Columns = 10;
    static constexpr int Waste = Columns;        // as a source
    static constexpr int HomeBase = Columns + 1; // foundations as targets
    static constexpr int Stock = 255;            // a deal

    struct State {
        TPiles<Columns, 104> Cols;
        THomes<8> Homes;
        TTalon<TalonCards> Talon;
    };
    struct Move {
        std::uint8_t From; // column, Waste, or Stock
        std::uint8_t To;   // column or HomeBase + foundation
    };

    explicit TWasteColumnsGame(bool reductions) : m_reduce(reductions) {}

    static bool StockLeft(const State& s) { return s.Talon.StockTop() >= 0; }
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
            Emit(out, "DeckPileView", "DiscardPileView", 1);
            s.Talon.Deal();
            return;
        }
        Emit(out, Name(m.From), Name(m.To), 1);
        const Card c = m.From == Waste ? s.Talon.TakeWasteTop() : s.Cols.Pop(m.From);
        if (m.To < Columns)
            s.Cols.Push(m.To, c);
        else
            s.Homes.Add(m.To - HomeBase, c);
        if (m.From < Columns)
            Game().AfterTake(s, m.From);
    }

    void Settle(State& s, std::vector<TMove>* out) const {
        if (!m_reduce || !Game().MaySettle(s))
            return;
        for (bool moved = true; moved;) {
            moved = false;
            for (int from = 0; from <= Waste; ++from) {
                const Card c = TopOf(s, from);
                if (c == NoCard)
                    continue;
                const int f = s.Homes.Target(c);
                if (f >= 0 && Game().GoesUpForGood(s, c)) {
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
                // Empty columns are alike; a lone card gains nothing by moving to one.
                if (to == from ||
                    (s.Cols.Empty(to) && (to != firstEmpty || (from < Columns && s.Cols.Size(from) == 1))))
                    continue;
                if (Game().ColumnTakes(s, to, from, c))
                    moves.push_back(Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)});
            }
        }
        if (StockLeft(s))
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

    const char* Restriction() const { return "the search kept only its most promising positions"; }
    bool BestFirst() const { return true; }
    // A full search is out of reach: keep the best open positions only.
    std::size_t OpenLimit() const { return 300000; }

    bool Load(const TPosition& p, State& s, std::string& error) const {
        s = State{};
        int cards = 0;
        for (int c = 0; c < Columns; ++c)
            for (Card card : PileOf(p, Name(c))) {
                if (cards == 104) {
                    error = "the table holds more than 104 cards";
                    return false;
                }
                s.Cols.Push(c, FaceUp(card));
                ++cards;
            }
        for (int f = 0; f < 8; ++f)
            if (!s.Homes.Load(f, PileOf(p, Name(HomeBase + f)), error))
                return false;
        const std::vector<Card>& waste = PileOf(p, "DiscardPileView");
        const std::vector<Card>& stock = PileOf(p, "DeckPileView");
        if (waste.size() + stock.size() > static_cast<std::size_t>(TalonCards)) {
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
            if (move.To != "DiscardPileView" || !StockLeft(s))
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
        if (to < Columns ? !Game().ColumnTakes(s, to, from, c) : !s.Homes.Takes(to - HomeBase, c))
            return false;
        Do(s, Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)}, nullptr);
        return true;
    }

private:
    const G& Game() const { return static_cast<const G&>(*this); }

    bool m_reduce;
};

} // namespace Solver
