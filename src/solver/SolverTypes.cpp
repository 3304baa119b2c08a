#include "solver/SolverTypes.h"

namespace Solver {
namespace {

constexpr char Ranks[] = "A23456789TJQK";
constexpr char Suits[] = "CSDH";

} // namespace

std::string CardName(Card c) {
    if (c == NoCard)
        return "--";
    std::string name{Ranks[Value(c)], Suits[Suit(c)]};
    if (IsDown(c))
        name += '*';
    return name;
}

Card ParseCard(std::string_view text) {
    if (text.size() < 2 || text.size() > 3 || (text.size() == 3 && text[2] != '*'))
        return NoCard;
    const std::string_view ranks(Ranks);
    const std::string_view suits(Suits);
    const auto rank = ranks.find(text[0]);
    const auto suit = suits.find(text[1]);
    if (rank == std::string_view::npos || suit == std::string_view::npos)
        return NoCard;
    return MakeCard(static_cast<int>(suit), static_cast<int>(rank), text.size() == 3);
}

std::string PileText(const std::vector<Card>& cards) {
    std::string text;
    for (Card c : cards) {
        if (!text.empty())
            text += ' ';
        text += CardName(c);
    }
    return text;
}

std::vector<Card> ParsePile(std::string_view text) {
    std::vector<Card> cards;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::size_t end = text.find(' ', i);
        if (end == std::string_view::npos)
            end = text.size();
        cards.push_back(ParseCard(text.substr(i, end - i)));
        i = end;
    }
    return cards;
}

const std::vector<Card>* TPosition::Pile(std::string_view view) const {
    for (const TPilePosition& pile : Piles)
        if (pile.View == view)
            return &pile.Cards;
    return nullptr;
}

std::vector<Card>& TPosition::SetPile(std::string_view view, std::vector<Card> cards) {
    for (TPilePosition& pile : Piles)
        if (pile.View == view) {
            pile.Cards = std::move(cards);
            return pile.Cards;
        }
    Piles.push_back(TPilePosition{std::string(view), std::move(cards)});
    return Piles.back().Cards;
}

std::string TMove::Text() const {
    return From + ' ' + To + ' ' + std::to_string(Cards);
}

const char* VerdictText(TVerdict verdict) {
    switch (verdict) {
    case TVerdict::Winnable:
        return "winnable";
    case TVerdict::NotWinnable:
        return "not winnable";
    case TVerdict::Unknown:
        break;
    }
    return "unknown";
}

} // namespace Solver
