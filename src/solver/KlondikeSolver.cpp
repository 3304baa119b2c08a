// Klondike and Double Klondike: columns built down in alternating colours over
// face-down cards, a stock drawn one or three at a time onto a waste, and
// foundations by suit. The solver sees the face-down cards.

#include "framework/core/GameTable.h"
#include "solver/Foundations.h"
#include "solver/GameSolver.h"
#include "solver/Piles.h"

#include <algorithm>
#include <cstring>

namespace Solver {
namespace {

class TKlondikeGame {
public:
    static constexpr int MaxTalon = 59;

    // The waste (bottom first) followed by the stock (top first) is the talon,
    // in the order the cards are drawn; drawing and turning the waste over only
    // move the boundary W between them, and W - 1 is the waste's top card.
    //
    // Must: a card the next move has to use (see Moves), or NoCard.
    struct State {
        TPiles<9, 104> Cols;
        THomes<8> Homes;
        std::array<Card, MaxTalon> Talon{};
        std::uint64_t TalonLeft = 0;                  // which of the talon's cards at the start are left
        std::array<std::uint8_t, MaxTalon> TalonId{}; // each card's place in the talon at the start
        std::uint8_t TalonSize = 0;
        std::uint8_t W = 0;
        std::uint8_t Recycles = 0;
        Card Must = NoCard;
        Card Pulled = NoCard;   // a card just brought down from a foundation
        std::uint64_t Down = 0; // cards brought down from a foundation and not yet covered
    };
    enum TKind : std::uint8_t { FromTalon, FromColumn, FromHome };
    // FromTalon: `Clicks` clicks on the stock, then the waste's top card to `To`.
    struct Move {
        TKind Kind;
        std::uint8_t From; // column or foundation
        std::uint8_t To;   // column, or HomeBase + foundation
        std::uint8_t Count;
        std::uint8_t Clicks;
    };

    TKlondikeGame(bool doubleDeck, int drawCount, bool reductions, bool bestFirst = false)
        : m_double(doubleDeck), m_columns(doubleDeck ? 9 : 7), m_homes(doubleDeck ? 8 : 4),
          m_draw(drawCount == 1 ? 1 : 3), m_reduce(reductions), m_bestFirst(bestFirst) {}
    static TKlondikeGame Make(const TPosition& p, const TRules& rules, bool reductions) {
        return TKlondikeGame(p.Game == GI_DBLKLONDIKE, rules.DrawCount, reductions);
    }

    // ---- rules -------------------------------------------------------------------------

    static bool Builds(Card lower, Card upper) {
        return !IsDown(lower) && !IsDown(upper) && Value(upper) + 1 == Value(lower) &&
               IsRed(upper) != IsRed(lower);
    }
    bool RecycleAllowed(const State& s) const { return !m_double || m_draw == 3 || s.Recycles == 0; }
    // With one card drawn at a time and no limit on turning the waste over,
    // every talon card can be brought to the top at any time.
    bool TalonFree() const { return !m_double && m_draw == 1; }
    // One click on the stock; the cards it draws, or -1 when it does nothing.
    int Click(State& s) const {
        if (s.W == s.TalonSize) {
            if (s.TalonSize == 0 || !RecycleAllowed(s))
                return -1;
            s.W = 0;
            ++s.Recycles;
        }
        const int drawn = std::min<int>(m_draw, s.TalonSize - s.W);
        s.W = static_cast<std::uint8_t>(s.W + drawn);
        return drawn;
    }
    // The length of the face-up run of alternating colours at the top of column c.
    int RunLength(const State& s, int c) const {
        const int size = s.Cols.Size(c);
        if (size == 0 || IsDown(s.Cols.Top(c)))
            return 0;
        int n = 1;
        while (n < size && Builds(s.Cols.At(c, size - n - 1), s.Cols.At(c, size - n)))
            ++n;
        return n;
    }
    bool ColumnTakes(const State& s, int t, Card bottom) const {
        if (s.Cols.Empty(t))
            return Value(bottom) == King;
        return Builds(s.Cols.Top(t), bottom);
    }
    void TurnUp(State& s, int c) const {
        if (!s.Cols.Empty(c) && IsDown(s.Cols.Top(c)))
            s.Cols.Top(c) = FaceUp(s.Cols.Top(c));
    }
    Card TakeWasteTop(State& s) const {
        const Card c = s.Talon[s.W - 1];
        s.TalonLeft &= ~(std::uint64_t{1} << s.TalonId[s.W - 1]);
        std::memmove(&s.Talon[s.W - 1], &s.Talon[s.W], s.TalonSize - s.W);
        std::memmove(&s.TalonId[s.W - 1], &s.TalonId[s.W], s.TalonSize - s.W);
        --s.W;
        --s.TalonSize;
        return c;
    }

    // ---- names -----------------------------------------------------------------------------

    int HomeBase() const { return m_columns; }
    std::string Name(int pile) const {
        if (pile < m_columns)
            return ViewName("TableauPileView", pile + 1);
        return ViewName("FoundationPile", pile - HomeBase() + 1);
    }

    // ---- doing moves ---------------------------------------------------------------------------

    // Plays the move, with the turn-up it causes, and sets the card the next
    // move must use when the move is one that only a next move can justify.
    void Do(State& s, const Move& m, std::vector<TMove>* out) const {
        const Card must = s.Must;
        s.Must = NoCard;
        s.Pulled = NoCard;
        switch (m.Kind) {
        case FromTalon: {
            for (int i = 0; i < m.Clicks; ++i) {
                const int drawn = Click(s);
                if (out)
                    Emit(out, "DeckPileView", "DiscardPileView", drawn);
            }
            const Card c = TakeWasteTop(s);
            if (out)
                Emit(out, "DiscardPileView", Name(m.To), 1);
            Put(s, m.To, c);
            if (m.To < m_columns && TalonFree())
                s.Must = c;
            break;
        }
        case FromColumn: {
            if (out)
                Emit(out, Name(m.From), Name(m.To), m.Count);
            const bool part = m.Count < RunLength(s, m.From);
            if (m.To < m_columns)
                s.Cols.MoveTop(m.From, m.To, m.Count);
            else
                s.Homes.Add(m.To - HomeBase(), s.Cols.Pop(m.From));
            if (part && m.To < m_columns)
                s.Must = s.Cols.Top(m.From);
            TurnUp(s, m.From);
            break;
        }
        case FromHome:
            if (out)
                Emit(out, Name(HomeBase() + m.From), Name(m.To), 1);
            // A card brought down leaves the card to use as it was, unless it goes on it.
            if (s.Cols.Empty(m.To) || s.Cols.Top(m.To) != must)
                s.Must = must;
            s.Cols.Push(m.To, s.Homes.Remove(m.From));
            s.Down |= std::uint64_t{1} << Face(s.Cols.Top(m.To));
            s.Pulled = s.Cols.Top(m.To);
            break;
        }
        if (!m_reduce) {
            s.Must = NoCard;
            s.Pulled = NoCard;
        }
    }
    void Put(State& s, int to, Card c) const {
        if (to < m_columns)
            s.Cols.Push(to, c);
        else
            s.Homes.Add(to - HomeBase(), c);
    }

    // Whether c may go up for good because no card that could still be put on
    // it can be missing from the foundations: with two decks (where a card never
    // comes back down) all four opposite-colour cards one rank lower are home.
    // In Klondike, also the two cards of its own colour two ranks lower, which
    // could be put on those were they brought back down.
    bool LowerHome(const State& s, Card c) const {
        const int v = Value(c);
        if (v == Ace)
            return true;
        const int copies = m_double ? 2 : 1;
        const int opposite = IsRed(c) ? 0 : 2;
        if (s.Homes.Home(opposite, v - 1) < copies || s.Homes.Home(opposite + 1, v - 1) < copies)
            return false;
        return m_double || v == 1 || s.Homes.Home(Suit(c) ^ 1, v - 2) >= copies;
    }

    // Whether the top card of column `col` may go up for good: some win, if
    // there is one, sends it up now. Besides LowerHome, in Klondike a card may
    // go up whenever it could come back to where it lies now, should a win
    // need it there (to put a card on it, or to bring down the card under it
    // on the foundation): it lies on a face-up card it builds on, or alone as
    // a King. It stays the top of its foundation until then, since the next
    // card of its suit cannot go up before it. A card brought down stays down
    // until it is covered, or the search would only send it straight back.
    bool GoesUpForGood(const State& s, int col) const {
        const Card c = s.Cols.Top(col);
        if (LowerHome(s, c))
            return true;
        if (m_double || (s.Down >> Face(c) & 1))
            return false;
        const int size = s.Cols.Size(col);
        return size == 1 ? Value(c) == King : Builds(s.Cols.At(col, size - 2), c);
    }

    // The clicks that bring the boundary to w (each talon card within reach).
    int ClicksTo(const State& s, int w) const {
        State probe = s;
        int clicks = 0;
        while (probe.W != w && Click(probe) >= 0 && clicks <= 2 * MaxTalon + 2)
            ++clicks;
        return clicks;
    }

    // ---- the search's interface ----------------------------------------------------------------

    // Sends up what goes up for good: column tops as above, and, when every
    // talon card is always within reach, any talon card that fits (it can come
    // back down from the foundation whenever it is wanted, as from the talon).
    // The card the next move must use stays where it is.
    void Settle(State& s, std::vector<TMove>* out) const {
        if (!m_reduce)
            return;
        const Card must = s.Must;
        const Card pulled = s.Pulled;
        for (bool moved = true; moved;) {
            moved = false;
            for (int c = 0; c < m_columns; ++c) {
                if (s.Cols.Empty(c) || IsDown(s.Cols.Top(c)) || s.Cols.Top(c) == must)
                    continue;
                const int f = FoundationFor(s, s.Cols.Top(c));
                if (f >= 0 && GoesUpForGood(s, c)) {
                    Do(s,
                       Move{FromColumn, static_cast<std::uint8_t>(c),
                            static_cast<std::uint8_t>(HomeBase() + f), 1, 0},
                       out);
                    moved = true;
                }
            }
            if (!TalonFree())
                continue;
            for (int i = 0; i < s.TalonSize; ++i) {
                const int f = FoundationFor(s, s.Talon[i]);
                if (f >= 0 && LowerHome(s, s.Talon[i])) {
                    Do(s,
                       Move{FromTalon, 0, static_cast<std::uint8_t>(HomeBase() + f), 1,
                            static_cast<std::uint8_t>(ClicksTo(s, i + 1))},
                       out);
                    moved = true;
                    break;
                }
            }
        }
        s.Must = must;
        s.Pulled = pulled;
    }

    void Apply(State& s, const Move& m, std::vector<TMove>* out) const {
        Do(s, m, out);
        Settle(s, out);
        if (s.Must != NoCard && ColumnOf(s, s.Must) < 0)
            s.Must = NoCard; // it went up: used
        if (s.Down) {
            std::uint64_t tops = 0;
            for (int c = 0; c < m_columns; ++c)
                if (!s.Cols.Empty(c))
                    tops |= std::uint64_t{1} << Face(s.Cols.Top(c));
            s.Down &= tops;
        }
    }
    // The column whose top card is c, or -1.
    int ColumnOf(const State& s, Card c) const {
        for (int col = 0; col < m_columns && c != NoCard; ++col)
            if (!s.Cols.Empty(col) && s.Cols.Top(col) == c)
                return col;
        return -1;
    }

    int FoundationFor(const State& s, Card c) const {
        const int f = s.Homes.Target(c);
        return f < m_homes ? f : -1;
    }

    // Some moves are worth making only for what a later move does with the
    // card they leave on top of a column: part of a run moved off a face-up
    // card (worth it to send that card up or to put something on it), a card
    // brought down from a foundation (worth it to put something on it, or to
    // bring down the card under it), and, when every talon card is always
    // within reach, a talon card put on a column (worth it to put something on
    // it). Any win can be reordered so that each such move comes right before
    // its first use: until then nothing touches the card, the column the move
    // went to or the moved cards' new place (nothing else fits there), so
    // postponing changes no other move. One move can be the first use of two
    // such moves at most, one that laid out the card it goes on and one that
    // brought down a card to uncover it on its foundation, which can come
    // second. So after such a move the next one uses its card (Must or Pulled),
    // or brings a card down.
    bool Moves(const State& s, std::vector<Move>& moves) const {
        auto add = [&](TKind kind, int from, int to, int n, int clicks) {
            moves.push_back(Move{kind, static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to),
                                 static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(clicks)});
        };
        const int must = ColumnOf(s, s.Must);
        const int pulled = ColumnOf(s, s.Pulled);
        const int firstEmpty = s.Cols.FirstEmpty(m_columns);
        // Whether column `to` may be a target now.
        auto target = [&](int to) {
            if (must >= 0 && pulled >= 0)
                return false; // only bringing a card down
            if (must >= 0 || pulled >= 0)
                return to == std::max(must, pulled);
            return !s.Cols.Empty(to) || to == firstEmpty;
        };
        const bool free = must < 0 && pulled < 0;

        // Columns to foundations and to other columns.
        for (int from = 0; from < m_columns; ++from) {
            const int run = RunLength(s, from);
            if (run == 0)
                continue;
            const int size = s.Cols.Size(from);
            const Card top = s.Cols.Top(from);
            const int f = FoundationFor(s, top);
            if (f >= 0 && pulled < 0 && (must < 0 || from == must))
                add(FromColumn, from, HomeBase() + f, 1, 0);
            for (int to = 0; to < m_columns; ++to) {
                if (to == from || !target(to))
                    continue;
                if (s.Cols.Empty(to)) {
                    // A King-headed run, unless it is the whole column already.
                    for (int n = 1; n <= run; ++n)
                        if (Value(s.Cols.At(from, size - n)) == King && n < size)
                            add(FromColumn, from, to, n, 0);
                    continue;
                }
                const Card t = s.Cols.Top(to);
                const int n = Value(t) - Value(top);
                if (n >= 1 && n <= run && Builds(t, s.Cols.At(from, size - n)))
                    add(FromColumn, from, to, n, 0);
            }
        }
        // Cards the stock can bring to the waste's top, each at its first reach.
        State probe = s;
        std::uint64_t seen = 0;
        for (int clicks = 0; clicks <= 2 * MaxTalon + 2; ++clicks) {
            if (clicks > 0 && Click(probe) < 0)
                break;
            if (probe.W == 0)
                continue;
            // A position of the boundary met again, with no recycle spent since, repeats.
            const std::uint64_t bit = std::uint64_t{1} << (probe.W - 1);
            if (!m_double || m_draw == 3 || probe.Recycles == s.Recycles) {
                if (seen & bit)
                    break;
                seen |= bit;
            }
            const Card c = probe.Talon[probe.W - 1];
            const int f = FoundationFor(probe, c);
            if (f >= 0 && free && (!TalonFree() || !m_reduce))
                add(FromTalon, 0, HomeBase() + f, 1, clicks);
            for (int to = 0; to < m_columns; ++to)
                if (target(to) && ColumnTakes(s, to, c))
                    add(FromTalon, 0, to, 1, clicks);
        }
        // Klondike lets a card come back down from a foundation. With Must
        // waiting, only from a foundation of the other colour that holds the
        // card one rank below it (brought down onto it, or uncovered by
        // bringing down the cards above it); with Must and Pulled waiting,
        // only the next card of Pulled's foundation.
        if (!m_double)
            for (int f = 0; f < m_homes; ++f) {
                const Card c = s.Homes.Top(f);
                if (c == NoCard)
                    continue;
                if (must >= 0 && (IsRed(c) == IsRed(s.Must) || Value(c) + 1 < Value(s.Must)))
                    continue;
                if (must >= 0 && pulled >= 0 && Suit(c) != Suit(s.Pulled))
                    continue;
                for (int to = 0; to < m_columns; ++to)
                    if ((!s.Cols.Empty(to) || to == firstEmpty) && ColumnTakes(s, to, c))
                        add(FromHome, f, to, 1, 0);
            }
        return true;
    }

    bool Won(const State& s) const { return s.Homes.Total() == 52 * (m_double ? 2 : 1); }

    void Key(const State& s, std::vector<std::uint8_t>& key) const {
        key.clear();
        s.Homes.Key(key);
        // The talon in order, then where the boundary may go: with recycles
        // without limit, which cards clicks can bring to the top is all that
        // matters; otherwise the boundary itself and the recycles spent.
        // The talon never changes its order: which of its cards are left says it all.
        const int bytes = m_double ? 8 : 3;
        for (int i = 0; i < bytes; ++i)
            key.push_back(static_cast<std::uint8_t>(s.TalonLeft >> (8 * i)));
        if (!m_double || m_draw == 3) {
            State probe = s;
            std::uint64_t reach = 0;
            for (int clicks = 0; clicks <= 2 * MaxTalon + 2; ++clicks) {
                if (clicks > 0 && Click(probe) < 0)
                    break;
                if (probe.W == 0)
                    continue;
                const std::uint64_t bit = std::uint64_t{1} << (probe.W - 1);
                if (reach & bit)
                    break;
                reach |= bit;
            }
            for (int i = 0; i < bytes; ++i)
                key.push_back(static_cast<std::uint8_t>(reach >> (8 * i)));
        } else {
            key.push_back(s.W);
            key.push_back(s.Recycles ? 1 : 0);
        }
        key.push_back(s.Must);
        key.push_back(s.Pulled);
        // Columns are alike: in order of their contents; empty ones left out.
        s.Cols.AppendKey(key);
    }

    // Cards home are progress; face-down cards count against, the more the
    // deeper their column, and so, a little, do cards left in the talon.
    int Score(const State& s) const {
        int score = 10 * s.Homes.Total() - s.TalonSize / 2;
        for (int c = 0; c < m_columns; ++c) {
            const int size = s.Cols.Size(c);
            if (size == 0)
                score += 4;
            for (int i = 0; i < size && IsDown(s.Cols.At(c, i)); ++i)
                score -= 12 + 2 * i;
        }
        return score;
    }

    const char* Restriction() const { return ""; }
    bool BestFirst() const { return m_bestFirst; }

    // ---- positions and replay ------------------------------------------------------------------

    bool Load(const TPosition& p, State& s, std::string& error) const {
        s = State{};
        int cards = 0;
        for (int c = 0; c < m_columns; ++c)
            for (Card card : PileOf(p, Name(c))) {
                s.Cols.Push(c, card);
                ++cards;
            }
        for (int f = 0; f < m_homes; ++f)
            if (!s.Homes.Load(f, PileOf(p, Name(HomeBase() + f)), error))
                return false;
        // The hidden waste lies under the visible one; the stock is drawn from its top.
        std::vector<Card> talon = PileOf(p, "RecyclePileView");
        const std::vector<Card>& waste = PileOf(p, "DiscardPileView");
        talon.insert(talon.end(), waste.begin(), waste.end());
        s.W = static_cast<std::uint8_t>(talon.size());
        const std::vector<Card>& stock = PileOf(p, "DeckPileView");
        talon.insert(talon.end(), stock.rbegin(), stock.rend());
        if (talon.size() > static_cast<std::size_t>(m_double ? MaxTalon : 24)) {
            error = "too many cards in the stock";
            return false;
        }
        for (std::size_t i = 0; i < talon.size(); ++i) {
            s.Talon[i] = FaceUp(talon[i]);
            s.TalonId[i] = static_cast<std::uint8_t>(i);
            s.TalonLeft |= std::uint64_t{1} << i;
        }
        s.TalonSize = static_cast<std::uint8_t>(talon.size());
        s.Recycles = static_cast<std::uint8_t>(std::clamp(p.Recycles, 0, 255));
        if (cards + s.TalonSize + s.Homes.Total() != 52 * (m_double ? 2 : 1)) {
            error = "the table does not hold every card";
            return false;
        }
        return true;
    }

    bool Play(State& s, const TMove& move, std::string& error) const {
        error = "illegal move";
        if (move.From == "DeckPileView") {
            if (move.To != "DiscardPileView")
                return false;
            const int drawn = Click(s);
            if (drawn != move.Cards) {
                error = "the click draws " + std::to_string(drawn) + " cards";
                return false;
            }
            return true;
        }
        int to = -1;
        if (int n = ViewNumber(move.To, "TableauPileView", m_columns))
            to = n - 1;
        else if (int n = ViewNumber(move.To, "FoundationPile", m_homes))
            to = HomeBase() + n - 1;
        if (to < 0 || move.Cards < 1)
            return false;
        auto takes = [&](Card bottom, int count) {
            if (to < m_columns)
                return ColumnTakes(s, to, bottom);
            return count == 1 && s.Homes.Takes(to - HomeBase(), bottom);
        };
        if (move.From == "DiscardPileView") {
            if (s.W == 0 || move.Cards != 1 || !takes(s.Talon[s.W - 1], 1))
                return false;
            Put(s, to, TakeWasteTop(s));
            return true;
        }
        if (int n = ViewNumber(move.From, "TableauPileView", m_columns)) {
            const int from = n - 1;
            if (from == to || move.Cards > RunLength(s, from) ||
                !takes(s.Cols.At(from, s.Cols.Size(from) - move.Cards), move.Cards))
                return false;
            Do(s,
               Move{FromColumn, static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to),
                    static_cast<std::uint8_t>(move.Cards), 0},
               nullptr);
            return true;
        }
        if (int n = ViewNumber(move.From, "FoundationPile", m_homes); n && !m_double) {
            const int from = n - 1;
            const Card c = s.Homes.Top(from);
            if (c == NoCard || move.Cards != 1 || HomeBase() + from == to || !takes(c, 1))
                return false;
            s.Homes.Remove(from);
            Put(s, to, c);
            return true;
        }
        return false;
    }

private:
    bool m_double;
    int m_columns;
    int m_homes;
    int m_draw;
    bool m_reduce;
    bool m_bestFirst;
};

// Best first finds most wins in few positions but keeps every open position in
// memory; depth first needs little more than the table and so can search the
// whole of a larger space. The first gets a share of the limits, the second
// the rest.
TResult Solve(const TPosition& p, const TRules& rules, const TLimits& limits,
              const std::atomic<bool>* cancel) {
    const bool twoDecks = p.Game == GI_DBLKLONDIKE;
    TLimits first = limits;
    first.MaxNodes = limits.MaxNodes / 5;
    first.MaxMillis = limits.MaxMillis / 5;
    TResult quick =
        RunSearch(TKlondikeGame(twoDecks, rules.DrawCount, limits.Reductions, true), p, first, cancel);
    if (quick.Verdict != TVerdict::Unknown || (cancel && cancel->load()))
        return quick;
    TLimits rest = limits;
    rest.MaxNodes = std::max<std::int64_t>(1, limits.MaxNodes - quick.Nodes);
    rest.MaxMillis = std::max<std::int64_t>(1, limits.MaxMillis - quick.Millis);
    TResult full = RunSearch(TKlondikeGame(twoDecks, rules.DrawCount, limits.Reductions), p, rest, cancel);
    full.Nodes += quick.Nodes;
    full.Millis += quick.Millis;
    return full;
}

} // namespace

TGameEntry KlondikeEntry() {
    return {&Solve, &ReplayWith<TKlondikeGame>};
}

} // namespace Solver
