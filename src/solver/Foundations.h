#pragma once

#include "solver/SolverTypes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Solver {

// N foundations built up by suit from the Ace, each remembered as its suit and
// its number of cards. Which view holds which suit matters only for naming the
// moves; the key knows only how far each suit has come.
template <int N> struct THomes {
    std::array<std::uint8_t, N> Count{};
    std::array<std::int8_t, N> SuitOf = MakeEmpty();

    static constexpr std::array<std::int8_t, N> MakeEmpty() {
        std::array<std::int8_t, N> a{};
        a.fill(-1);
        return a;
    }

    // Whether foundation `view` takes `c` (face up) next.
    bool Takes(int view, Card c) const {
        if (SuitOf[view] < 0)
            return Value(c) == Ace;
        return SuitOf[view] == Suit(c) && Count[view] == Value(c) && Count[view] < 13;
    }
    // The foundation the double-click action sends `c` to: an Ace to the first
    // empty one, another card to the first of its suit one rank lower; -1 for none.
    int Target(Card c) const {
        for (int f = 0; f < N; ++f)
            if (Value(c) == Ace ? SuitOf[f] < 0 : Takes(f, c))
                return f;
        return -1;
    }
    void Add(int view, Card c) {
        SuitOf[view] = static_cast<std::int8_t>(Suit(c));
        ++Count[view];
    }
    // Takes the top card of `view` back off.
    Card Remove(int view) {
        const Card c = MakeCard(SuitOf[view], Count[view] - 1);
        if (--Count[view] == 0)
            SuitOf[view] = -1;
        return c;
    }
    Card Top(int view) const { return Count[view] ? MakeCard(SuitOf[view], Count[view] - 1) : NoCard; }
    // Copies of card (suit, value) home.
    int Home(int suit, int value) const {
        int n = 0;
        for (int f = 0; f < N; ++f)
            n += SuitOf[f] == suit && Count[f] > value ? 1 : 0;
        return n;
    }
    int Total() const {
        int n = 0;
        for (int f = 0; f < N; ++f)
            n += Count[f];
        return n;
    }
    // Per suit, its foundations' counts from the highest: N bytes.
    void Key(std::vector<std::uint8_t>& key) const {
        constexpr int PerSuit = N / 4;
        for (int s = 0; s < 4; ++s) {
            std::array<std::uint8_t, PerSuit> counts{};
            int k = 0;
            for (int f = 0; f < N && k < PerSuit; ++f)
                if (SuitOf[f] == s)
                    counts[k++] = Count[f];
            std::sort(counts.begin(), counts.end(), [](int a, int b) { return a > b; });
            key.insert(key.end(), counts.begin(), counts.end());
        }
    }
    // Reads foundation view f from its cards; false unless they run Ace up in one suit.
    bool Load(int view, const std::vector<Card>& cards, std::string& error) {
        Count[view] = 0;
        SuitOf[view] = -1;
        for (std::size_t i = 0; i < cards.size(); ++i) {
            const Card c = FaceUp(cards[i]);
            if (cards[i] == NoCard || Value(c) != static_cast<int>(i) || (i > 0 && Suit(c) != SuitOf[view])) {
                error = "a foundation out of order";
                return false;
            }
            Add(view, c);
        }
        return true;
    }
};

} // namespace Solver
