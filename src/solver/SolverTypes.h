#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Plain values the solver works with: cards as bytes, a table position by view
// name, the game options that change the rules, the limits of one search and
// its result. Nothing here knows about windows.
namespace Solver {

// One card in a byte: value (Ace 0 .. King 12) in bits 0-3, suit (clubs,
// spades, diamonds, hearts) in bits 4-5, bit 6 set when the card lies face down.
using Card = std::uint8_t;
constexpr Card NoCard = 0xFF;
constexpr Card FaceDownBit = 0x40;

constexpr Card MakeCard(int suit, int value, bool faceDown = false) {
    return static_cast<Card>(value | (suit << 4) | (faceDown ? FaceDownBit : 0));
}
constexpr int Value(Card c) {
    return c & 0x0F;
}
constexpr int Suit(Card c) {
    return (c >> 4) & 0x03;
}
constexpr bool IsRed(Card c) {
    return Suit(c) >= 2;
}
constexpr bool IsDown(Card c) {
    return (c & FaceDownBit) != 0;
}
constexpr Card FaceUp(Card c) {
    return static_cast<Card>(c & ~FaceDownBit);
}
constexpr Card FaceDown(Card c) {
    return static_cast<Card>(c | FaceDownBit);
}
// The card without its face: what the rules look at.
constexpr Card Face(Card c) {
    return static_cast<Card>(c & 0x3F);
}

constexpr int Ace = 0;
constexpr int King = 12;

// "AS", "TD", "KH*" (face down): the notation of the tests' tables.
std::string CardName(Card c);
// Reads that notation; NoCard for anything else.
Card ParseCard(std::string_view text);
// A pile bottom first, separated by blanks, and back.
std::string PileText(const std::vector<Card>& cards);
std::vector<Card> ParsePile(std::string_view text);

// The cards of one pile view, bottom first.
struct TPilePosition {
    std::string View;
    std::vector<Card> Cards;

    bool operator==(const TPilePosition&) const = default;
};

// A position as the player sees it: the cards of every pile view by the view's
// name, and the game's state besides the cards.
struct TPosition {
    int Game = -1; // TGameIndex
    std::vector<TPilePosition> Piles;

    int Recycles = 0;        // Double Klondike: waste turned over in this game
    bool BaseChosen = false; // Queen of Italy: the foundation base was chosen
    int BaseValue = 0;       // Queen of Italy: its value
    bool Redealt = false;    // Queen of Italy: the waste was turned over
    int Pass = 1;            // Pyramid: 1 to 3
    int Shuffles = 0;        // Montana: Shuffle Remaining used in this game
    // Montana: the program's generator state now; without it the outcome of
    // Shuffle Remaining is unknown and the solver does not use the command.
    std::optional<std::uint32_t> Generator;

    // The named pile's cards, or null when the position has no such view.
    const std::vector<Card>* Pile(std::string_view view) const;
    std::vector<Card>& SetPile(std::string_view view, std::vector<Card> cards);

    // Field by field, the piles in their order (a window always lists its views alike).
    bool operator==(const TPosition&) const = default;
};

// The options of a game that change its rules.
struct TRules {
    int DrawCount = 3;             // Klondike, Double Klondike: 1 or 3
    bool SameSuitMoves = false;    // Spider
    bool KingStopsSequence = true; // Golf

    bool operator==(const TRules&) const = default;
};

// One player action for replay: drag `Cards` cards from the top of `From` onto
// `To`, or the command the game's move vocabulary gives it (Solver.h).
struct TMove {
    std::string From;
    std::string To;
    int Cards = 1;

    std::string Text() const; // "TableauPileView3 FoundationPile1 1"
    bool operator==(const TMove&) const = default;
};

struct TLimits {
    std::int64_t MaxNodes = 3'000'000;      // positions expanded
    std::int64_t MaxMillis = 8'000;         // wall time
    std::size_t MaxTableBytes = 384u << 20; // transposition table and its keys
    // The shortcuts that leave out moves proven unnecessary (foundation plays
    // made at once, moves made only together with their use). Off only to
    // check them against the plain search.
    bool Reductions = true;
    // No search: Moves receives the first action of every move the game's
    // generator offers from the position, the most promising first. Carried
    // here so that every game's entry point serves it unchanged.
    bool ListMoves = false;
};

enum class TVerdict { Winnable, NotWinnable, Unknown };

struct TResult {
    TVerdict Verdict = TVerdict::Unknown;
    std::vector<TMove> Moves; // a win, when winnable
    std::int64_t Nodes = 0;   // positions expanded
    std::int64_t Millis = 0;
    std::string Note; // why the verdict is unknown
};

const char* VerdictText(TVerdict verdict); // "winnable", "not winnable", "unknown"

} // namespace Solver
