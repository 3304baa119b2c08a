// Beleaguered Castle: eight rows, one card at a time, built down regardless of
// suit; the Aces start on the foundations.

#include "solver/Foundations.h"
#include "solver/GameSolver.h"
#include "solver/Piles.h"

#include <algorithm>

namespace Solver {
namespace {

class TCastleGame {
public:
    explicit TCastleGame(bool reductions) : m_reduce(reductions) {}
    static TCastleGame Make(const TPosition&, const TRules&, bool reductions) {
        return TCastleGame(reductions);
    }
    static constexpr int RowCount = 8;
    static constexpr int HomeBase = RowCount;

    struct State {
        TPiles<RowCount, 52> Rows;
        THomes<4> Homes;
    };
    struct Move {
        std::uint8_t From;
        std::uint8_t To; // row, or HomeBase + foundation
    };

    static std::string Name(int pile) {
        return pile < RowCount ? ViewName("TableauPileView", pile + 1)
                               : ViewName("FoundationPileView", pile - HomeBase + 1);
    }
    static bool RowTakes(const State& s, int row, Card c) {
        return s.Rows.Empty(row) || Value(s.Rows.Top(row)) == Value(c) + 1;
    }

    void Do(State& s, const Move& m, std::vector<TMove>* out) const {
        if (out)
            Emit(out, Name(m.From), Name(m.To), 1);
        const Card c = s.Rows.Pop(m.From);
        if (m.To < RowCount)
            s.Rows.Push(m.To, c);
        else
            s.Homes.Add(m.To - HomeBase, c);
    }

    // A card may go up for good once every card one rank lower is home: any
    // card that could still be put on it then is.
    void Settle(State& s, std::vector<TMove>* out) const {
        if (!m_reduce)
            return;
        for (bool moved = true; moved;) {
            moved = false;
            int lowest = 13;
            for (int f = 0; f < 4; ++f)
                lowest = std::min<int>(lowest, s.Homes.Count[f]);
            for (int r = 0; r < RowCount; ++r) {
                if (s.Rows.Empty(r))
                    continue;
                const Card c = s.Rows.Top(r);
                const int f = s.Homes.Target(c);
                if (f >= 0 && Value(c) <= lowest) {
                    Do(s, Move{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(HomeBase + f)}, out);
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
        const int firstEmpty = s.Rows.FirstEmpty();
        for (int from = 0; from < RowCount; ++from) {
            if (s.Rows.Empty(from))
                continue;
            const Card c = s.Rows.Top(from);
            const int f = s.Homes.Target(c);
            if (f >= 0)
                moves.push_back(
                    Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(HomeBase + f)});
            for (int to = 0; to < RowCount; ++to) {
                if (to == from)
                    continue;
                // Empty rows are alike; a lone card gains nothing by moving to one.
                if (s.Rows.Empty(to) ? to != firstEmpty || s.Rows.Size(from) == 1 : !RowTakes(s, to, c))
                    continue;
                moves.push_back(Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)});
            }
        }
        return true;
    }

    bool Won(const State& s) const { return s.Homes.Total() == 52; }

    void Key(const State& s, std::vector<std::uint8_t>& key) const {
        key.clear();
        s.Homes.Key(key);
        s.Rows.AppendKey(key);
    }

    // Cards home and empty rows help; a card lying on a lower card of its row
    // must move before the lower one can go up.
    int Score(const State& s) const {
        int score = 40 * s.Homes.Total();
        for (int r = 0; r < RowCount; ++r) {
            const int size = s.Rows.Size(r);
            if (size == 0)
                score += 30;
            int lowest = 99;
            for (int i = 0; i < size; ++i) {
                const int v = Value(s.Rows.At(r, i));
                if (v > lowest)
                    score -= 6;
                else if (i > 0 && v + 1 != Value(s.Rows.At(r, i - 1)))
                    score -= 2;
                lowest = std::min(lowest, v);
            }
        }
        return score;
    }

    const char* Restriction() const { return ""; }
    bool BestFirst() const { return true; }

    bool Load(const TPosition& p, State& s, std::string& error) const {
        s = State{};
        int cards = 0;
        for (int r = 0; r < RowCount; ++r)
            for (Card c : PileOf(p, Name(r))) {
                s.Rows.Push(r, FaceUp(c));
                ++cards;
            }
        for (int f = 0; f < 4; ++f)
            if (!s.Homes.Load(f, PileOf(p, Name(HomeBase + f)), error))
                return false;
        if (cards + s.Homes.Total() != 52) {
            error = "the table does not hold 52 cards";
            return false;
        }
        return true;
    }

    bool Play(State& s, const TMove& move, std::string& error) const {
        error = "illegal move";
        const int from = ViewNumber(move.From, "TableauPileView", RowCount) - 1;
        int to = ViewNumber(move.To, "TableauPileView", RowCount) - 1;
        if (to < 0)
            if (int f = ViewNumber(move.To, "FoundationPileView", 4))
                to = HomeBase + f - 1;
        if (from < 0 || to < 0 || from == to || move.Cards != 1 || s.Rows.Empty(from))
            return false;
        const Card c = s.Rows.Top(from);
        if (to < RowCount ? !RowTakes(s, to, c) : !s.Homes.Takes(to - HomeBase, c))
            return false;
        Do(s, Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)}, nullptr);
        return true;
    }

private:
    bool m_reduce;
};

} // namespace

TGameEntry CastleEntry() {
    return EntryOf<TCastleGame>();
}

} // namespace Solver
