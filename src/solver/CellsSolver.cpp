// Free Cell and Sea Towers: columns, four free cells, four foundations, no stock.

#include "framework/core/GameTable.h"
#include "solver/Foundations.h"
#include "solver/GameSolver.h"
#include "solver/Piles.h"

#include <algorithm>
#include <utility>

namespace Solver {
namespace {

class TCellsGame {
public:
    static constexpr int Cells = 4;

    struct State {
        TPiles<10, 52> Cols;
        std::array<Card, Cells> Cell{NoCard, NoCard, NoCard, NoCard};
        THomes<4> Homes;
    };
    // Pile numbers: columns 0.., cells from CellBase, foundations from HomeBase.
    struct Move {
        std::uint8_t From;
        std::uint8_t To;
        std::uint8_t Count;
    };

    TCellsGame(bool towers, bool reductions)
        : m_towers(towers), m_columns(towers ? 10 : 8), m_reduce(reductions) {}
    static TCellsGame Make(const TPosition& p, const TRules&, bool reductions) {
        return TCellsGame(p.Game == GI_SEAHAVEN, reductions);
    }

    // ---- rules ---------------------------------------------------------------------

    // Whether `upper` may lie on `lower` in a column.
    bool Builds(Card lower, Card upper) const {
        if (Value(upper) + 1 != Value(lower))
            return false;
        return m_towers ? Suit(upper) == Suit(lower) : IsRed(upper) != IsRed(lower);
    }
    int EmptyCells(const State& s) const {
        return static_cast<int>(std::count(s.Cell.begin(), s.Cell.end(), NoCard));
    }
    int EmptyColumns(const State& s) const {
        int n = 0;
        for (int c = 0; c < m_columns; ++c)
            n += s.Cols.Empty(c) ? 1 : 0;
        return n;
    }
    // Cards at the top of column c that form a run of the game's kind.
    int RunLength(const State& s, int c) const {
        const int size = s.Cols.Size(c);
        int n = size ? 1 : 0;
        while (n < size && Builds(s.Cols.At(c, size - n - 1), s.Cols.At(c, size - n)))
            ++n;
        return n;
    }
    // The most cards a press on a column may pick up.
    int LiftLimit(const State& s) const {
        const int free = EmptyCells(s);
        if (m_towers)
            return free + 1; // no free cell: the top card alone
        return (free + 1) * (EmptyColumns(s) + 1);
    }
    bool CanLift(const State& s, int c, int n) const {
        return n >= 1 && n <= RunLength(s, c) && n <= LiftLimit(s);
    }
    // Whether column t takes a group of n cards whose bottom card is `bottom`
    // (picked up from a column when `fromColumn`).
    bool ColumnTakes(const State& s, int t, Card bottom, int n, bool fromColumn) const {
        if (!s.Cols.Empty(t))
            return Builds(s.Cols.Top(t), bottom);
        if (m_towers)
            return Value(bottom) == King;
        // The limit for an empty column was taken at the press, with the target empty.
        return !fromColumn || n <= (EmptyCells(s) + 1) * EmptyColumns(s);
    }

    // ---- pile numbers and names ----------------------------------------------------------

    int CellBase() const { return m_columns; }
    int HomeBase() const { return m_columns + Cells; }
    std::string Name(int pile) const {
        if (pile < m_columns)
            return ViewName("TableauPileView", pile + 1);
        if (pile < HomeBase())
            return ViewName("FreePileView", pile - CellBase() + 1);
        return ViewName("FoundPileView", pile - HomeBase() + 1);
    }
    int Number(const std::string& view) const {
        if (int n = ViewNumber(view, "TableauPileView", m_columns))
            return n - 1;
        if (int n = ViewNumber(view, "FreePileView", Cells))
            return CellBase() + n - 1;
        if (int n = ViewNumber(view, "FoundPileView", 4))
            return HomeBase() + n - 1;
        return -1;
    }

    // ---- doing moves -----------------------------------------------------------------------

    Card TopOf(const State& s, int pile) const {
        if (pile < m_columns)
            return s.Cols.Empty(pile) ? NoCard : s.Cols.Top(pile);
        return s.Cell[pile - CellBase()];
    }
    Card TakeTop(State& s, int pile) const {
        if (pile < m_columns)
            return s.Cols.Pop(pile);
        return std::exchange(s.Cell[pile - CellBase()], NoCard);
    }
    void Do(State& s, const Move& m, std::vector<TMove>* out) const {
        if (out)
            Emit(out, Name(m.From), Name(m.To), m.Count);
        if (m.From < m_columns && m.To < m_columns) {
            s.Cols.MoveTop(m.From, m.To, m.Count);
            return;
        }
        const Card c = TakeTop(s, m.From);
        if (m.To < m_columns)
            s.Cols.Push(m.To, c);
        else if (m.To < HomeBase())
            s.Cell[m.To - CellBase()] = c;
        else
            s.Homes.Add(m.To - HomeBase(), c);
    }

    // A card may go up for good when no card that could still be put on it is
    // left out of the foundations: in suit that is always; in alternating
    // colours, when both opposite-colour cards one rank lower are home (Aces and
    // Twos always, since an Ace can always go up itself).
    bool SafeHome(const State& s, Card c) const {
        if (m_towers || Value(c) <= 1)
            return true;
        const int first = IsRed(c) ? 0 : 2;
        return s.Homes.Home(first, Value(c) - 1) && s.Homes.Home(first + 1, Value(c) - 1);
    }

    // ---- the search's interface ----------------------------------------------------------------

    void Settle(State& s, std::vector<TMove>* out) const {
        if (!m_reduce)
            return;
        for (bool moved = true; moved;) {
            moved = false;
            for (int p = 0; p < HomeBase(); ++p) {
                const Card c = TopOf(s, p);
                if (c == NoCard)
                    continue;
                const int f = s.Homes.Target(c);
                if (f >= 0 && SafeHome(s, c)) {
                    Do(s, Move{static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(HomeBase() + f), 1},
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
        auto add = [&](int from, int to, int n) {
            moves.push_back(Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to),
                                 static_cast<std::uint8_t>(n)});
        };
        int firstEmptyColumn = -1;
        for (int c = 0; c < m_columns && firstEmptyColumn < 0; ++c)
            if (s.Cols.Empty(c))
                firstEmptyColumn = c;
        int firstEmptyCell = -1;
        for (int i = 0; i < Cells && firstEmptyCell < 0; ++i)
            if (s.Cell[i] == NoCard)
                firstEmptyCell = i;

        // Foundations (the plays that are not safe; the safe ones are made already).
        for (int p = 0; p < HomeBase(); ++p) {
            const Card c = TopOf(s, p);
            if (c == NoCard)
                continue;
            const int f = s.Homes.Target(c);
            if (f >= 0)
                add(p, HomeBase() + f, 1);
        }
        // Column to column; of the empty columns only the first (they are all alike).
        for (int from = 0; from < m_columns; ++from) {
            const int size = s.Cols.Size(from);
            if (size == 0)
                continue;
            const int lift = std::min(RunLength(s, from), LiftLimit(s));
            for (int to = 0; to < m_columns; ++to) {
                if (to == from)
                    continue;
                if (!s.Cols.Empty(to)) {
                    const int need = Value(s.Cols.Top(to)) - 1;
                    const int n = Value(s.Cols.Top(from)) <= need ? need - Value(s.Cols.Top(from)) + 1 : 0;
                    if (n >= 1 && n <= lift && ColumnTakes(s, to, s.Cols.At(from, size - n), n, true))
                        add(from, to, n);
                } else if (to == firstEmptyColumn) {
                    // The whole column into an empty one changes nothing.
                    for (int n = 1; n <= lift && n < size; ++n)
                        if (ColumnTakes(s, to, s.Cols.At(from, size - n), n, true))
                            add(from, to, n);
                }
            }
        }
        // Cell to column.
        for (int i = 0; i < Cells; ++i) {
            const Card c = s.Cell[i];
            if (c == NoCard)
                continue;
            for (int to = 0; to < m_columns; ++to)
                if ((!s.Cols.Empty(to) || to == firstEmptyColumn) && ColumnTakes(s, to, c, 1, false))
                    add(CellBase() + i, to, 1);
        }
        // Column to the first empty cell.
        if (firstEmptyCell >= 0)
            for (int from = 0; from < m_columns; ++from)
                if (!s.Cols.Empty(from))
                    add(from, CellBase() + firstEmptyCell, 1);
        return true;
    }

    bool Won(const State& s) const { return s.Homes.Total() == 52; }

    void Key(const State& s, std::vector<std::uint8_t>& key) const {
        key.clear();
        s.Homes.Key(key);
        std::array<Card, Cells> cells = s.Cell;
        std::sort(cells.begin(), cells.end());
        key.insert(key.end(), cells.begin(), cells.end());
        s.Cols.AppendKey(key);
    }

    // Cards home count most; free cells and empty columns next; cards lying on a
    // lower card of the same column, and cards above the next card each suit
    // needs, count against.
    int Score(const State& s) const {
        int score = 60 * s.Homes.Total() + 12 * EmptyCells(s) + 24 * EmptyColumns(s);
        for (int c = 0; c < m_columns; ++c) {
            const int size = s.Cols.Size(c);
            int lowest = 99;
            for (int i = 0; i < size; ++i) {
                const Card card = s.Cols.At(c, i);
                const bool nextHome = s.Homes.Home(Suit(card), Value(card) - 1) || Value(card) == Ace;
                if (Value(card) > lowest)
                    score -= 4;
                else if (i > 0 && !Builds(s.Cols.At(c, i - 1), card))
                    score -= 1;
                if (nextHome)
                    score -= 2 * (size - 1 - i);
                lowest = std::min(lowest, Value(card));
            }
        }
        return score;
    }

    const char* Restriction() const { return ""; }
    bool BestFirst() const { return true; }

    // ---- positions and replay ------------------------------------------------------------------

    bool Load(const TPosition& p, State& s, std::string& error) const {
        s = State{};
        int cards = 0;
        for (int c = 0; c < m_columns; ++c)
            for (Card card : PileOf(p, Name(c))) {
                s.Cols.Push(c, FaceUp(card));
                ++cards;
            }
        for (int i = 0; i < Cells; ++i) {
            const std::vector<Card>& cell = PileOf(p, Name(CellBase() + i));
            if (cell.size() > 1) {
                error = "a free cell holds more than one card";
                return false;
            }
            if (!cell.empty()) {
                s.Cell[i] = FaceUp(cell[0]);
                ++cards;
            }
        }
        for (int f = 0; f < 4; ++f) {
            if (!s.Homes.Load(f, PileOf(p, Name(HomeBase() + f)), error))
                return false;
        }
        if (cards + s.Homes.Total() != 52) {
            error = "the table does not hold 52 cards";
            return false;
        }
        return true;
    }

    bool Play(State& s, const TMove& move, std::string& error) const {
        const int from = Number(move.From);
        const int to = Number(move.To);
        const int n = move.Cards;
        if (from < 0 || to < 0 || from == to || from >= HomeBase() || TopOf(s, from) == NoCard) {
            error = "no such move";
            return false;
        }
        bool legal = false;
        const bool fromColumn = from < m_columns;
        if (fromColumn ? CanLift(s, from, n) : n == 1) {
            const Card bottom = fromColumn ? s.Cols.At(from, s.Cols.Size(from) - n) : TopOf(s, from);
            if (to < m_columns)
                legal = ColumnTakes(s, to, bottom, n, fromColumn);
            else if (to < HomeBase())
                legal = n == 1 && s.Cell[to - CellBase()] == NoCard;
            else
                legal = n == 1 && s.Homes.Takes(to - HomeBase(), bottom);
        }
        if (!legal) {
            error = "illegal move";
            return false;
        }
        Do(s,
           Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to), static_cast<std::uint8_t>(n)},
           nullptr);
        return true;
    }

private:
    bool m_towers;
    int m_columns;
    bool m_reduce;
};

} // namespace

TGameEntry CellsEntry() {
    return EntryOf<TCellsGame>();
}

} // namespace Solver
