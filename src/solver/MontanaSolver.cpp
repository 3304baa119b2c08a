// Montana: 4 rows of 13 places with four gaps; a gap takes the card one rank
// above its left neighbour in suit, or any Two in the first column. Shuffle
// Remaining (twice a game) redeals what is not yet in place.

#include "solver/GameSolver.h"

#include <array>

#include <algorithm>
#include <cstring>
#include <utility>

namespace Solver {
namespace {

class TMontanaGame {
public:
    static constexpr int Rows = 4;
    static constexpr int Cols = 13;
    static constexpr int Places = Rows * Cols;

    struct State {
        std::array<Card, Places> Grid{}; // NoCard for a gap
        std::array<Card, 4> Aces{};      // the hidden discard pile, bottom first
        std::uint8_t Shuffles = 0;
        std::uint32_t Generator = 0;
    };
    // A card from place From into the gap To; From == Places: Shuffle Remaining.
    struct Move {
        std::uint8_t From;
        std::uint8_t To;
    };

    // modelShuffles: the generator's state is known, so Shuffle Remaining is exact.
    explicit TMontanaGame(bool modelShuffles) : m_shuffles(modelShuffles) {}
    static TMontanaGame Make(const TPosition& p, const TRules&, bool) {
        return TMontanaGame(p.Generator.has_value());
    }

    // The card that fits gap g, as a value (suit, rank) with no place yet; NoCard
    // when nothing fits; for a first-column gap, MakeCard(0, 1) stands for "any Two".
    static Card Wanted(const State& s, int g) {
        if (g % Cols == 0)
            return MakeCard(0, 1);
        const Card left = s.Grid[g - 1];
        if (left == NoCard || Value(left) == Solver::King)
            return NoCard;
        return MakeCard(Suit(left), Value(left) + 1);
    }
    static bool Fits(const State& s, int g, Card c) {
        if (s.Grid[g] != NoCard || c == NoCard)
            return false;
        if (g % Cols == 0)
            return Value(c) == 1;
        const Card want = Wanted(s, g);
        return want != NoCard && Face(c) == want;
    }
    static int PlaceOf(const State& s, Card c) {
        for (int p = 0; p < Places; ++p)
            if (s.Grid[p] == c)
                return p;
        return -1;
    }

    // The program's generator, from the state it would be in.
    static int Next(std::uint32_t& g) {
        g = g * 22695477u + 1u;
        return static_cast<int>((g >> 16) & 0x7FFF);
    }

    // Shuffle Remaining, as the window does it with the program's generator.
    static void Shuffle(State& s) {
        std::array<int, Rows> start{};
        std::vector<Card> pile;
        for (int r = 0; r < Rows; ++r) {
            const Card* row = &s.Grid[r * Cols];
            int keep = 0;
            if (row[0] != NoCard && Value(row[0]) == 1) {
                keep = 1;
                while (keep < 12 && row[keep] != NoCard && Suit(row[keep]) == Suit(row[0]) &&
                       Value(row[keep]) == Value(row[keep - 1]) + 1)
                    ++keep;
            }
            // A run (a Two followed by a card, or longer) leaves the place after it empty.
            const bool gapAfter = keep >= 1 && !(keep == 1 && row[1] == NoCard);
            for (int c = keep; c < Cols; ++c)
                if (row[c] != NoCard)
                    pile.push_back(row[c]);
            start[r] = keep + (gapAfter ? 1 : 0);
            for (int c = keep; c < Cols; ++c)
                s.Grid[r * Cols + c] = NoCard;
        }
        for (Card ace : s.Aces)
            pile.push_back(ace);
        const int n = static_cast<int>(pile.size());
        for (int i = 0; i < n; ++i) {
            const int j = Next(s.Generator) % n;
            if (j != i)
                std::swap(pile[i], pile[j]);
        }
        for (int r = 0; r < Rows; ++r)
            for (int c = start[r]; c < Cols && !pile.empty(); ++c) {
                s.Grid[r * Cols + c] = pile.back();
                pile.pop_back();
            }
        int aces = 0;
        for (int r = 0; r < Rows; ++r)
            for (int c = start[r]; c < Cols; ++c) {
                Card& place = s.Grid[r * Cols + c];
                while (place != NoCard && Value(place) == Ace) {
                    s.Aces[aces++] = place;
                    if (pile.empty()) {
                        place = NoCard;
                    } else {
                        place = pile.back();
                        pile.pop_back();
                    }
                }
            }
        for (Card c : pile)
            s.Aces[aces++] = c;
        ++s.Shuffles;
    }

    static std::string Name(int place) { return ViewName("CardPileView", place + 1); }

    void Do(State& s, const Move& m, std::vector<TMove>* out) const {
        if (m.From == Places) {
            if (out)
                Emit(out, "Shuffle1", "Shuffle1", 0);
            Shuffle(s);
            return;
        }
        if (out)
            Emit(out, Name(m.From), Name(m.To), 1);
        s.Grid[m.To] = std::exchange(s.Grid[m.From], NoCard);
    }
    void Settle(State&, std::vector<TMove>*) const {}
    void Apply(State& s, const Move& m, std::vector<TMove>* out) const { Do(s, m, out); }

    bool ShuffleAllowed(const State& s) const { return s.Shuffles < 2; }

    bool Moves(const State& s, std::vector<Move>& moves) const {
        for (int g = 0; g < Places; ++g) {
            if (s.Grid[g] != NoCard)
                continue;
            if (g % Cols == 0) {
                for (int p = 0; p < Places; ++p)
                    if (s.Grid[p] != NoCard && Value(s.Grid[p]) == 1)
                        moves.push_back(Move{static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(g)});
                continue;
            }
            const Card want = Wanted(s, g);
            if (want != NoCard)
                moves.push_back(
                    Move{static_cast<std::uint8_t>(PlaceOf(s, want)), static_cast<std::uint8_t>(g)});
        }
        if (!ShuffleAllowed(s))
            return true;
        if (!m_shuffles)
            return false; // its outcome is unknown: left out
        // Shuffling where a card can still move is rarely worth it: left out.
        if (moves.empty()) {
            moves.push_back(Move{Places, 0});
            return true;
        }
        return false;
    }

    // Every row holds a Two to King of one suit in its first twelve places.
    bool Won(const State& s) const { return InPlace(s) == 48; }
    static int InPlace(const State& s) {
        int total = 0;
        for (int r = 0; r < Rows; ++r) {
            const Card* row = &s.Grid[r * Cols];
            if (row[0] == NoCard || Value(row[0]) != 1)
                continue;
            int n = 1;
            while (n < 12 && row[n] != NoCard && Suit(row[n]) == Suit(row[0]) && Value(row[n]) == n + 1)
                ++n;
            total += n;
        }
        return total;
    }

    // Without a shuffle to come the rows are alike, so their order is left out.
    void Key(const State& s, std::vector<std::uint8_t>& key) const {
        key.clear();
        if (m_shuffles && ShuffleAllowed(s)) {
            key.insert(key.end(), s.Grid.begin(), s.Grid.end());
            key.insert(key.end(), s.Aces.begin(), s.Aces.end());
            key.push_back(s.Shuffles);
            for (int i = 0; i < 4; ++i)
                key.push_back(static_cast<std::uint8_t>(s.Generator >> (8 * i)));
            return;
        }
        std::array<int, Rows> order{0, 1, 2, 3};
        SortSmall(order.begin(), order.end(),
                  [&](int a, int b) { return std::memcmp(&s.Grid[a * Cols], &s.Grid[b * Cols], Cols) < 0; });
        for (int r : order)
            key.insert(key.end(), s.Grid.begin() + r * Cols, s.Grid.begin() + (r + 1) * Cols);
    }

    int Score(const State& s) const {
        int dead = 0;
        for (int g = 0; g < Places; ++g)
            if (s.Grid[g] == NoCard && g % Cols != 0 && Wanted(s, g) == NoCard)
                ++dead;
        return 10 * InPlace(s) - 6 * dead - 20 * s.Shuffles;
    }

    const char* Restriction() const {
        return m_shuffles ? "the search tries Shuffle Remaining only where no card can move"
                          : "the outcome of Shuffle Remaining is not known";
    }
    bool BestFirst() const { return true; }

    bool Load(const TPosition& p, State& s, std::string& error) const {
        s = State{};
        int cards = 0;
        for (int i = 0; i < Places; ++i) {
            const std::vector<Card>& pile = PileOf(p, Name(i));
            if (pile.size() > 1) {
                error = "a place holds more than one card";
                return false;
            }
            s.Grid[i] = pile.empty() ? NoCard : FaceUp(pile[0]);
            cards += pile.empty() ? 0 : 1;
        }
        const std::vector<Card>& aces = PileOf(p, "DiscardPileView");
        if (aces.size() != 4 || cards != 48) {
            error = "the table does not hold 48 cards and 4 Aces set aside";
            return false;
        }
        for (int i = 0; i < 4; ++i)
            s.Aces[i] = FaceUp(aces[i]);
        s.Shuffles = static_cast<std::uint8_t>(std::clamp(p.Shuffles, 0, 2));
        s.Generator = p.Generator.value_or(0);
        return true;
    }

    bool Play(State& s, const TMove& move, std::string& error) const {
        error = "illegal move";
        if (move.From == "Shuffle1") {
            if (!m_shuffles || !ShuffleAllowed(s))
                return false;
            Shuffle(s);
            return true;
        }
        const int from = ViewNumber(move.From, "CardPileView", Places) - 1;
        const int to = ViewNumber(move.To, "CardPileView", Places) - 1;
        if (from < 0 || to < 0 || move.Cards != 1 || !Fits(s, to, s.Grid[from]))
            return false;
        Do(s, Move{static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)}, nullptr);
        return true;
    }

private:
    bool m_shuffles;
};

} // namespace

TGameEntry MontanaEntry() {
    return EntryOf<TMontanaGame>();
}

} // namespace Solver
