#pragma once

#include "solver/SolverTypes.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Solver {

// The stock and waste of a game that deals the stock one card at a time onto
// a waste: every card in the order it is dealt (the waste bottom first, then
// the stock top first). The first Dealt cards have been dealt; Gone marks the
// cards that have left (played from the waste, or taken from the stock by a
// refill). The order never changes, so the mask and Dealt say everything.
template <int N> struct TTalon {
    std::array<Card, N> Cards{};
    std::uint8_t Size = 0;
    std::uint8_t Dealt = 0;
    std::array<std::uint64_t, 2> Gone{};

    bool IsGone(int i) const { return (Gone[i >> 6] >> (i & 63)) & 1; }
    void SetGone(int i) { Gone[i >> 6] |= std::uint64_t{1} << (i & 63); }

    // The waste's top card's index, or -1.
    int WasteTop() const {
        for (int i = Dealt - 1; i >= 0; --i)
            if (!IsGone(i))
                return i;
        return -1;
    }
    // The stock's top card's index, or -1.
    int StockTop() const {
        for (int i = Dealt; i < Size; ++i)
            if (!IsGone(i))
                return i;
        return -1;
    }
    int StockCount() const {
        int n = 0;
        for (int i = Dealt; i < Size; ++i)
            n += IsGone(i) ? 0 : 1;
        return n;
    }
    // Deals the stock's top card onto the waste (the stock holds one).
    void Deal() { Dealt = static_cast<std::uint8_t>(StockTop() + 1); }
    // Takes the stock's top card away (the stock holds one).
    Card TakeStockTop() {
        const int i = StockTop();
        SetGone(i);
        return Cards[i];
    }
    Card TakeWasteTop() {
        const int i = WasteTop();
        SetGone(i);
        return Cards[i];
    }
    void Load(const std::vector<Card>& waste, const std::vector<Card>& stock) {
        Size = 0;
        for (Card c : waste)
            Cards[Size++] = FaceUp(c);
        Dealt = Size;
        for (auto it = stock.rbegin(); it != stock.rend(); ++it)
            Cards[Size++] = FaceUp(*it);
        Gone = {};
    }
    void Key(std::vector<std::uint8_t>& key) const {
        key.push_back(Dealt);
        for (int w = 0; w < (N > 64 ? 2 : 1); ++w)
            for (int i = 0; i < 8; ++i)
                key.push_back(static_cast<std::uint8_t>(Gone[w] >> (8 * i)));
    }
};

} // namespace Solver
