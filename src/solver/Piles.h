#pragma once

#include "solver/SolverTypes.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace Solver {

// Piles of cards kept end to end in one fixed array, so that a position copies
// as one small block. Pile p holds Cards[Start[p]] .. Cards[Start[p + 1] - 1],
// bottom first.
template <int NPiles, int NCards> struct TPiles {
    std::array<std::uint8_t, NPiles + 1> Start{};
    std::array<Card, NCards> Cards{};

    int Size(int p) const { return Start[p + 1] - Start[p]; }
    bool Empty(int p) const { return Start[p + 1] == Start[p]; }
    Card At(int p, int i) const { return Cards[Start[p] + i]; }
    Card& At(int p, int i) { return Cards[Start[p] + i]; }
    Card Top(int p) const { return Cards[Start[p + 1] - 1]; }
    Card& Top(int p) { return Cards[Start[p + 1] - 1]; }
    const Card* Data(int p) const { return Cards.data() + Start[p]; }
    int Total() const { return Start[NPiles]; }

    void Push(int p, Card c) {
        const int at = Start[p + 1];
        std::memmove(&Cards[at + 1], &Cards[at], Total() - at);
        Cards[at] = c;
        for (int q = p + 1; q <= NPiles; ++q)
            ++Start[q];
    }
    Card Pop(int p) {
        const int at = Start[p + 1] - 1;
        const Card c = Cards[at];
        std::memmove(&Cards[at], &Cards[at + 1], Total() - at - 1);
        for (int q = p + 1; q <= NPiles; ++q)
            --Start[q];
        return c;
    }
    // Moves the top n cards of `from` onto `to`, keeping their order.
    void MoveTop(int from, int to, int n) {
        Card moved[NCards];
        std::memcpy(moved, &Cards[Start[from + 1] - n], n);
        for (int i = 0; i < n; ++i)
            Pop(from);
        for (int i = 0; i < n; ++i)
            Push(to, moved[i]);
    }
    void Insert(int p, int index, Card c) {
        const int at = Start[p] + index;
        std::memmove(&Cards[at + 1], &Cards[at], Total() - at);
        Cards[at] = c;
        for (int q = p + 1; q <= NPiles; ++q)
            ++Start[q];
    }
    Card Remove(int p, int index) {
        const int at = Start[p] + index;
        const Card c = Cards[at];
        std::memmove(&Cards[at], &Cards[at + 1], Total() - at - 1);
        for (int q = p + 1; q <= NPiles; ++q)
            --Start[q];
        return c;
    }
};

} // namespace Solver
