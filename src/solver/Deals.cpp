#include "solver/Deals.h"

#include "framework/core/GameTable.h"

#include <string>
#include <utility>

namespace Solver {
namespace {

std::string Name(const char* prefix, int number) {
    return prefix + std::to_string(number);
}

// Deals the top card of `stock` (its last) onto `pile`.
void DealTo(std::vector<Card>& stock, std::vector<Card>& pile, bool faceUp) {
    const Card c = stock.back();
    stock.pop_back();
    pile.push_back(faceUp ? FaceUp(c) : FaceDown(c));
}

void AddEmpty(TPosition& p, const char* prefix, int count) {
    for (int i = 1; i <= count; ++i)
        p.SetPile(Name(prefix, i), {});
}

// Klondike and Double Klondike: row r gives one card to each column from r on,
// face up in column r.
TPosition KlondikeDeal(int game, std::vector<Card> stock, int columns, int foundations) {
    TPosition p;
    p.Game = game;
    std::vector<std::vector<Card>> cols(columns);
    for (int row = 0; row < columns; ++row)
        for (int c = row; c < columns; ++c)
            DealTo(stock, cols[c], c == row);
    p.SetPile("DeckPileView", std::move(stock));
    p.SetPile("DiscardPileView", {});
    AddEmpty(p, "FoundationPile", foundations);
    for (int c = 0; c < columns; ++c)
        p.SetPile(Name("TableauPileView", c + 1), std::move(cols[c]));
    p.SetPile("RecyclePileView", {});
    return p;
}

// Rounds of one face-up card to each column in turn until `keep` cards are left.
std::vector<std::vector<Card>> Rounds(std::vector<Card>& stock, int columns, std::size_t keep) {
    std::vector<std::vector<Card>> cols(columns);
    while (stock.size() > keep)
        for (int c = 0; c < columns && stock.size() > keep; ++c)
            DealTo(stock, cols[c], true);
    return cols;
}

TPosition CellDeal(int game, std::vector<Card> stock) {
    TPosition p;
    p.Game = game;
    const bool towers = game == GI_SEAHAVEN;
    const int columns = towers ? 10 : 8;
    std::vector<std::vector<Card>> cols = Rounds(stock, columns, towers ? 2 : 0);
    std::vector<std::vector<Card>> cells(4);
    if (towers) {
        DealTo(stock, cells[2], true);
        DealTo(stock, cells[1], true);
    }
    for (int i = 0; i < 4; ++i)
        p.SetPile(Name("FreePileView", i + 1), std::move(cells[i]));
    AddEmpty(p, "FoundPileView", 4);
    for (int c = 0; c < columns; ++c)
        p.SetPile(Name("TableauPileView", c + 1), std::move(cols[c]));
    return p;
}

TPosition CastleDeal(std::vector<Card> stock) {
    TPosition p;
    p.Game = GI_CASTLE;
    std::vector<std::vector<Card>> found(4);
    std::vector<Card> rest;
    for (Card c : stock) { // bottom first: the lowest-lying Ace goes to foundation 1
        if (Value(c) == Ace) {
            for (auto& f : found)
                if (f.empty()) {
                    f.push_back(FaceUp(c));
                    break;
                }
        } else {
            rest.push_back(c);
        }
    }
    std::vector<std::vector<Card>> rows = Rounds(rest, 8, 0);
    for (int r = 0; r < 8; ++r)
        p.SetPile(Name("TableauPileView", r + 1), std::move(rows[r]));
    for (int f = 0; f < 4; ++f)
        p.SetPile(Name("FoundationPileView", f + 1), std::move(found[f]));
    p.SetPile("DeckPileView", {});
    return p;
}

TPosition GolfDeal(std::vector<Card> stock) {
    TPosition p;
    p.Game = GI_GOLF;
    std::vector<std::vector<Card>> cols(7);
    for (int round = 0; round < 5; ++round)
        for (int c = 0; c < 7; ++c)
            DealTo(stock, cols[c], true);
    std::vector<Card> waste;
    DealTo(stock, waste, true); // the deal turns the first stock card
    for (int c = 0; c < 7; ++c)
        p.SetPile(Name("TableauPileView", c + 1), std::move(cols[c]));
    p.SetPile("DeckPileView", std::move(stock));
    p.SetPile("DiscardPileView", std::move(waste));
    return p;
}

TPosition PyramidDeal(std::vector<Card> stock) {
    TPosition p;
    p.Game = GI_PYRAMID;
    for (int v = 1; v <= 28; ++v) {
        std::vector<Card> one;
        DealTo(stock, one, true);
        p.SetPile(Name("CardPileView", v), std::move(one));
    }
    p.SetPile("DeckPileView", std::move(stock));
    p.SetPile("PlayPileView", {});
    p.SetPile("WastePileView", {});
    p.SetPile("DiscardPileView", {});
    return p;
}

TPosition MontanaDeal(std::vector<Card> stock) {
    TPosition p;
    p.Game = GI_MONTANA;
    std::vector<Card> grid(52, NoCard);
    for (int c = 0; c < 13; ++c)
        for (int r = 0; r < 4; ++r) {
            grid[r * 13 + c] = FaceUp(stock.back());
            stock.pop_back();
        }
    std::vector<Card> aces;
    for (Card& c : grid)
        if (Value(c) == Ace) {
            aces.push_back(c);
            c = NoCard;
        }
    for (int v = 0; v < 52; ++v)
        p.SetPile(Name("CardPileView", v + 1),
                  grid[v] == NoCard ? std::vector<Card>{} : std::vector<Card>{grid[v]});
    p.SetPile("DiscardPileView", std::move(aces));
    return p;
}

// Forty Thieves and Indian Patience: rounds of one card to each of ten
// columns, face up from round `firstUp` on.
TPosition TenColumnDeal(int game, std::vector<Card> stock, int rounds, int firstUp) {
    TPosition p;
    p.Game = game;
    std::vector<std::vector<Card>> cols(10);
    for (int round = 0; round < rounds; ++round)
        for (int c = 0; c < 10; ++c)
            DealTo(stock, cols[c], round >= firstUp);
    p.SetPile("DeckPileView", std::move(stock));
    p.SetPile("DiscardPileView", {});
    for (int c = 0; c < 10; ++c)
        p.SetPile(Name("TableauPile", c + 1), std::move(cols[c]));
    AddEmpty(p, "FoundPile", 8);
    return p;
}

TPosition QueenItalyDeal(std::vector<Card> stock) {
    TPosition p;
    p.Game = GI_QUEENITALY;
    std::vector<Card> terrace;
    for (int i = 0; i < 11; ++i)
        DealTo(stock, terrace, true);
    std::vector<std::vector<Card>> cols(9);
    for (int c = 0; c < 4; ++c)
        DealTo(stock, cols[c], true);
    p.SetPile("DeckPileView", std::move(stock));
    p.SetPile("DiscardPileView", {});
    p.SetPile("TerracePileView", std::move(terrace));
    for (int c = 0; c < 9; ++c)
        p.SetPile(Name("TableauPileView", c + 1), std::move(cols[c]));
    AddEmpty(p, "FoundPile", 8);
    return p;
}

TPosition SpiderDeal(std::vector<Card> stock) {
    TPosition p;
    p.Game = GI_SPIDER;
    std::vector<std::vector<Card>> cols(10);
    for (int row = 0; row < 5; ++row)
        for (int c = 0; c < (row < 4 ? 10 : 4); ++c)
            DealTo(stock, cols[c], row == 4 || (row == 3 && c >= 4));
    p.SetPile("DeckPileView", std::move(stock));
    AddEmpty(p, "FoundPile", 8);
    for (int c = 0; c < 10; ++c)
        p.SetPile(Name("TableauPile", c + 1), std::move(cols[c]));
    return p;
}

} // namespace

int DeckCount(int game) {
    switch (game) {
    case GI_DBLKLONDIKE:
    case GI_FORTYTHIEVES:
    case GI_INDIAN:
    case GI_QUEENITALY:
    case GI_SPIDER:
        return 2;
    default:
        return 1;
    }
}

std::vector<Card> DeckOrder(std::uint32_t deal, int decks, std::uint32_t* after) {
    std::vector<Card> deck;
    for (int d = 0; d < decks; ++d)
        for (int v = Ace; v <= King; ++v)
            for (int s = 0; s < 4; ++s)
                deck.push_back(MakeCard(s, v, true));
    // The program's generator, on a copy of its state.
    std::uint32_t state = deal;
    const int n = static_cast<int>(deck.size());
    for (int i = 0; i < n; ++i) {
        state = state * 22695477u + 1u;
        const int j = static_cast<int>((state >> 16) & 0x7FFF) % n;
        if (j != i)
            std::swap(deck[i], deck[j]);
    }
    if (after)
        *after = state;
    return deck;
}

TPosition StartPosition(int game, const std::vector<Card>& deck) {
    switch (game) {
    case GI_KLONDIKE:
        return KlondikeDeal(game, deck, 7, 4);
    case GI_DBLKLONDIKE:
        return KlondikeDeal(game, deck, 9, 8);
    case GI_FREECELL:
    case GI_SEAHAVEN:
        return CellDeal(game, deck);
    case GI_CASTLE:
        return CastleDeal(deck);
    case GI_GOLF:
        return GolfDeal(deck);
    case GI_PYRAMID:
        return PyramidDeal(deck);
    case GI_MONTANA:
        return MontanaDeal(deck);
    case GI_FORTYTHIEVES:
        return TenColumnDeal(game, deck, 4, 0);
    case GI_INDIAN:
        return TenColumnDeal(game, deck, 3, 1);
    case GI_QUEENITALY:
        return QueenItalyDeal(deck);
    case GI_SPIDER:
        return SpiderDeal(deck);
    default:
        return {};
    }
}

TPosition StartPosition(int game, std::uint32_t deal) {
    std::uint32_t after = 0;
    TPosition p = StartPosition(game, DeckOrder(deal, DeckCount(game), &after));
    if (game == GI_MONTANA)
        p.Generator = after; // Shuffle Remaining draws on from here
    return p;
}

} // namespace Solver
