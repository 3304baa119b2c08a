// Golf: seven columns of five played onto the waste one rank up or down, a
// stock turned one card at a time; won with all 52 cards on the waste.

#include "solver/GameSolver.h"
#include "solver/Piles.h"

namespace Solver {
namespace {

class TGolfGame {
public:
    static constexpr int Columns = 7;
    static constexpr int MaxStock = 52;

    struct State {
        TPiles<Columns, 52> Cols;
        std::array<Card, MaxStock> Stock{}; // top last
        std::uint8_t StockSize = 0;
        Card Waste = NoCard; // the waste's top card
        std::uint8_t WasteSize = 0;
    };
    // A column (0..6) onto the waste, or Columns: turn a stock card.
    struct Move {
        std::uint8_t From;
    };

    explicit TGolfGame(bool kingStops) : m_kingStops(kingStops) {}
    static TGolfGame Make(const TPosition&, const TRules& rules, bool) {
        return TGolfGame(rules.KingStopsSequence);
    }

    bool Fits(const State& s, Card c) const {
        if (s.Waste == NoCard)
            return false;
        const int w = Value(s.Waste);
        if (w == King)
            return !m_kingStops && Value(c) == King - 1;
        if (w == Ace)
            return Value(c) == Ace + 1;
        return Value(c) == w + 1 || Value(c) == w - 1;
    }

    void Do(State& s, const Move& m, std::vector<TMove>* out) const {
        if (m.From == Columns) {
            if (out)
                Emit(out, "DeckPileView", "DiscardPileView", 1);
            s.Waste = s.Stock[--s.StockSize];
        } else {
            if (out)
                Emit(out, ViewName("TableauPileView", m.From + 1), "DiscardPileView", 1);
            s.Waste = s.Cols.Pop(m.From);
        }
        ++s.WasteSize;
    }

    // Once the columns are empty only the stock is left to turn.
    void Settle(State& s, std::vector<TMove>* out) const {
        if (s.Cols.Total() == 0)
            while (s.StockSize > 0)
                Do(s, Move{Columns}, out);
    }
    void Apply(State& s, const Move& m, std::vector<TMove>* out) const {
        Do(s, m, out);
        Settle(s, out);
    }

    bool Moves(const State& s, std::vector<Move>& moves) const {
        for (int c = 0; c < Columns; ++c)
            if (!s.Cols.Empty(c) && Fits(s, s.Cols.Top(c)))
                moves.push_back(Move{static_cast<std::uint8_t>(c)});
        if (s.StockSize > 0)
            moves.push_back(Move{Columns});
        return true;
    }

    bool Won(const State& s) const { return s.WasteSize == 52; }

    // The columns' heights and the stock's size say which cards are left; of
    // the waste only its top card's rank matters.
    void Key(const State& s, std::vector<std::uint8_t>& key) const {
        key.clear();
        for (int c = 0; c < Columns; ++c)
            key.push_back(static_cast<std::uint8_t>(s.Cols.Size(c)));
        key.push_back(s.StockSize);
        key.push_back(s.Waste == NoCard ? NoCard : static_cast<std::uint8_t>(Value(s.Waste)));
    }

    int Score(const State& s) const { return -2 * s.Cols.Total() - s.StockSize; }

    const char* Restriction() const { return ""; }
    bool BestFirst() const { return false; }

    bool Load(const TPosition& p, State& s, std::string& error) const {
        s = State{};
        for (int c = 0; c < Columns; ++c)
            for (Card card : PileOf(p, ViewName("TableauPileView", c + 1)))
                s.Cols.Push(c, FaceUp(card));
        const std::vector<Card>& stock = PileOf(p, "DeckPileView");
        const std::vector<Card>& waste = PileOf(p, "DiscardPileView");
        for (Card c : stock)
            s.Stock[s.StockSize++] = FaceUp(c);
        s.WasteSize = static_cast<std::uint8_t>(waste.size());
        s.Waste = waste.empty() ? NoCard : FaceUp(waste.back());
        if (s.Cols.Total() + s.StockSize + s.WasteSize != 52) {
            error = "the table does not hold 52 cards";
            return false;
        }
        return true;
    }

    bool Play(State& s, const TMove& move, std::string& error) const {
        error = "illegal move";
        if (move.To != "DiscardPileView" || move.Cards != 1)
            return false;
        if (move.From == "DeckPileView") {
            if (s.StockSize == 0)
                return false;
            Do(s, Move{Columns}, nullptr);
            return true;
        }
        const int c = ViewNumber(move.From, "TableauPileView", Columns) - 1;
        if (c < 0 || s.Cols.Empty(c) || !Fits(s, s.Cols.Top(c)))
            return false;
        Do(s, Move{static_cast<std::uint8_t>(c)}, nullptr);
        return true;
    }

private:
    bool m_kingStops;
};

} // namespace

TGameEntry GolfEntry() {
    return EntryOf<TGolfGame>();
}

} // namespace Solver
