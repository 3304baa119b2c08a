// Pyramid: pairs of free cards totalling 13 and Kings alone go to the discard
// pile; the deck is turned one card at a time onto the play pile, whose card
// goes on to the waste, in three passes.

#include "solver/GameSolver.h"

#include <array>

#include <bit>

namespace Solver {
namespace {

class TPyramidGame {
public:
    explicit TPyramidGame(bool reductions) : m_reduce(reductions) {}
    static TPyramidGame Make(const TPosition&, const TRules&, bool reductions) {
        return TPyramidGame(reductions);
    }
    static constexpr int Places = 28;
    static constexpr int MaxTalon = 24;

    // The talon is every card of the deck, play pile and waste in the order they
    // are drawn in this pass: the waste (bottom first), the play card, the deck
    // (top first). Cards never change order in it: a redeal turns the waste
    // back into the deck with the earliest card on top. Next is the talon index
    // of the deck's top card; with PlayHas the play card is Next - 1.
    struct State {
        std::array<Card, Places> Pyramid{};
        std::uint32_t Present = 0; // pyramid places still holding their card
        std::array<Card, MaxTalon> Talon{};
        std::uint8_t TalonSize = 0;
        std::uint32_t Gone = 0; // talon cards discarded
        std::uint8_t Next = 0;
        bool PlayHas = false;
        std::uint8_t Pass = 1;
    };
    // Places: pyramid 0..27, PlayPlace, WastePlace. Draw: a click on the deck;
    // King: A alone; otherwise the card of A dragged onto B.
    static constexpr int PlayPlace = Places;
    static constexpr int WastePlace = Places + 1;
    enum TKind : std::uint8_t { Draw, King, Pair };
    struct Move {
        TKind Kind;
        std::uint8_t A;
        std::uint8_t B;
    };

    // Row and place of pyramid place p (both from 0).
    static int RowOf(int p) {
        int row = 0;
        while ((row + 1) * (row + 2) / 2 <= p)
            ++row;
        return row;
    }
    // Whether the card at p has neither of the two cards of the next row on it.
    static bool Free(const State& s, int p) {
        if (!(s.Present >> p & 1))
            return false;
        const int row = RowOf(p);
        if (row == 6)
            return true;
        const int below = p + row + 1; // the next row's card at the same place
        return !(s.Present >> below & 1) && !(s.Present >> (below + 1) & 1);
    }
    static int WasteIndex(const State& s) {
        const int end = s.PlayHas ? s.Next - 1 : s.Next;
        for (int i = end - 1; i >= 0; --i)
            if (!(s.Gone >> i & 1))
                return i;
        return -1;
    }
    static int DeckIndex(const State& s, int from) {
        for (int i = from; i < s.TalonSize; ++i)
            if (!(s.Gone >> i & 1))
                return i;
        return -1;
    }
    // The card at an accessible place, or NoCard.
    static Card CardAt(const State& s, int place) {
        if (place < Places)
            return Free(s, place) ? s.Pyramid[place] : NoCard;
        if (place == PlayPlace)
            return s.PlayHas ? s.Talon[s.Next - 1] : NoCard;
        const int w = WasteIndex(s);
        return w >= 0 ? s.Talon[w] : NoCard;
    }
    static void Remove(State& s, int place) {
        if (place < Places) {
            s.Present &= ~(std::uint32_t{1} << place);
        } else if (place == PlayPlace) {
            s.Gone |= std::uint32_t{1} << (s.Next - 1);
            s.PlayHas = false;
        } else {
            s.Gone |= std::uint32_t{1} << WasteIndex(s);
        }
    }
    // Whether a click on the deck draws a card (a click that only moves the
    // play card to the waste, with no redeal left, gains nothing).
    static bool CanDraw(const State& s) {
        if (DeckIndex(s, s.Next) >= 0)
            return true;
        const bool talonLeft = std::popcount(s.Gone) < s.TalonSize;
        return s.Pass < 3 && talonLeft;
    }
    static void DoDraw(State& s) {
        s.PlayHas = false; // the play card goes to the waste
        int j = DeckIndex(s, s.Next);
        if (j < 0) {
            ++s.Pass; // the redeal: the waste turns back into the deck
            j = DeckIndex(s, 0);
        }
        s.Next = static_cast<std::uint8_t>(j + 1);
        s.PlayHas = true;
    }

    static std::string Name(int place) {
        if (place < Places)
            return ViewName("CardPileView", place + 1);
        return place == PlayPlace ? "PlayPileView" : "WastePileView";
    }

    void Do(State& s, const Move& m, std::vector<TMove>* out) const {
        switch (m.Kind) {
        case Draw:
            if (out)
                Emit(out, "DeckPileView", "PlayPileView", 1);
            DoDraw(s);
            break;
        case King:
            if (out)
                Emit(out, Name(m.A), "DiscardPileView", 1);
            Remove(s, m.A);
            break;
        case Pair:
            if (out)
                Emit(out, Name(m.A), Name(m.B), 1);
            // The waste's card before the play card's: removing the play card
            // first would change which card is the waste's top.
            if (m.A == WastePlace || m.B == WastePlace) {
                Remove(s, WastePlace);
                Remove(s, m.A == WastePlace ? m.B : m.A);
            } else {
                Remove(s, m.A);
                Remove(s, m.B);
            }
            break;
        }
    }

    // A King within reach goes at once: it pairs with nothing, and where it
    // lies it only covers cards (in the pyramid or on the waste).
    void Settle(State& s, std::vector<TMove>* out) const {
        if (!m_reduce)
            return;
        for (bool moved = true; moved;) {
            moved = false;
            for (int p = 0; p < Places + 2; ++p) {
                const Card c = CardAt(s, p);
                if (c != NoCard && Value(c) == Solver::King) {
                    Do(s, Move{King, static_cast<std::uint8_t>(p), 0}, out);
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
        std::array<Card, Places + 2> cards{};
        for (int p = 0; p < Places + 2; ++p)
            cards[p] = CardAt(s, p);
        for (int a = 0; a < Places + 2; ++a) {
            if (cards[a] == NoCard)
                continue;
            if (Value(cards[a]) == Solver::King) {
                moves.push_back(Move{King, static_cast<std::uint8_t>(a), 0});
                continue;
            }
            for (int b = a + 1; b < Places + 2; ++b)
                if (cards[b] != NoCard && Value(cards[a]) + Value(cards[b]) == 11)
                    moves.push_back(Move{Pair, static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)});
        }
        if (CanDraw(s))
            moves.push_back(Move{Draw, 0, 0});
        return true;
    }

    bool Won(const State& s) const { return s.Present == 0 && std::popcount(s.Gone) == s.TalonSize; }

    void Key(const State& s, std::vector<std::uint8_t>& key) const {
        key.clear();
        for (int i = 0; i < 4; ++i)
            key.push_back(static_cast<std::uint8_t>(s.Present >> (8 * i)));
        for (int i = 0; i < 3; ++i)
            key.push_back(static_cast<std::uint8_t>(s.Gone >> (8 * i)));
        key.push_back(s.Next);
        key.push_back(static_cast<std::uint8_t>(s.PlayHas | (s.Pass << 1)));
    }

    int Score(const State& s) const {
        return -3 * std::popcount(s.Present) - (s.TalonSize - std::popcount(s.Gone)) - 4 * s.Pass;
    }

    const char* Restriction() const { return ""; }
    bool BestFirst() const { return false; }

    bool Load(const TPosition& p, State& s, std::string& error) const {
        s = State{};
        int cards = 0;
        for (int i = 0; i < Places; ++i) {
            const std::vector<Card>& pile = PileOf(p, Name(i));
            if (pile.size() > 1) {
                error = "a pyramid place holds more than one card";
                return false;
            }
            if (!pile.empty()) {
                s.Pyramid[i] = FaceUp(pile[0]);
                s.Present |= std::uint32_t{1} << i;
                ++cards;
            }
        }
        std::vector<Card> talon = PileOf(p, "WastePileView");
        const std::vector<Card>& play = PileOf(p, "PlayPileView");
        talon.insert(talon.end(), play.begin(), play.end());
        s.Next = static_cast<std::uint8_t>(talon.size());
        s.PlayHas = !play.empty();
        const std::vector<Card>& deck = PileOf(p, "DeckPileView");
        talon.insert(talon.end(), deck.rbegin(), deck.rend());
        if (talon.size() > MaxTalon || play.size() > 1) {
            error = "too many cards outside the pyramid";
            return false;
        }
        for (std::size_t i = 0; i < talon.size(); ++i)
            s.Talon[i] = FaceUp(talon[i]);
        s.TalonSize = static_cast<std::uint8_t>(talon.size());
        s.Pass = static_cast<std::uint8_t>(std::clamp(p.Pass, 1, 3));
        if (cards + s.TalonSize + static_cast<int>(PileOf(p, "DiscardPileView").size()) != 52) {
            error = "the table does not hold 52 cards";
            return false;
        }
        return true;
    }

    static int PlaceOf(const std::string& view) {
        if (int n = ViewNumber(view, "CardPileView", Places))
            return n - 1;
        if (view == "PlayPileView")
            return PlayPlace;
        if (view == "WastePileView")
            return WastePlace;
        return -1;
    }

    bool Play(State& s, const TMove& move, std::string& error) const {
        error = "illegal move";
        if (move.Cards != 1)
            return false;
        if (move.From == "DeckPileView") {
            if (move.To != "PlayPileView" || !CanDraw(s))
                return false;
            DoDraw(s);
            return true;
        }
        const int a = PlaceOf(move.From);
        const Card ca = a >= 0 ? CardAt(s, a) : NoCard;
        if (ca == NoCard)
            return false;
        if (move.To == "DiscardPileView") {
            if (Value(ca) != Solver::King)
                return false;
            Remove(s, a);
            return true;
        }
        const int b = PlaceOf(move.To);
        const Card cb = b >= 0 && b != a ? CardAt(s, b) : NoCard;
        if (cb == NoCard || Value(ca) + Value(cb) != 11)
            return false;
        Do(s, Move{Pair, static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)}, nullptr);
        return true;
    }

private:
    bool m_reduce;
};

} // namespace

TGameEntry PyramidEntry() {
    return EntryOf<TPyramidGame>();
}

} // namespace Solver
