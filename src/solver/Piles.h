#pragma once

#include "solver/SolverTypes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace Solver {

// Insertion sort, for the few piles a key puts in order.
template <class It, class Less> void SortSmall(It first, It last, Less less) {
    for (It i = first; i != last; ++i)
        for (It j = i; j != first && less(*j, *(j - 1)); --j)
            std::iter_swap(j, j - 1);
}

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

    // The first empty one of piles 0 .. count - 1, or -1.
    int FirstEmpty(int count = NPiles) const {
        for (int p = 0; p < count; ++p)
            if (Empty(p))
                return p;
        return -1;
    }
    // Appends the piles that hold cards to a key, each ended by NoCard; sorted
    // by their cards unless `sorted` is false, so that piles that only trade
    // places give one key.
    void AppendKey(std::vector<std::uint8_t>& key, bool sorted = true) const {
        std::array<std::uint8_t, NPiles> order{};
        int n = 0;
        for (int p = 0; p < NPiles; ++p)
            if (!Empty(p))
                order[n++] = static_cast<std::uint8_t>(p);
        if (sorted)
            SortSmall(order.begin(), order.begin() + n, [this](int a, int b) {
                return std::lexicographical_compare(Data(a), Data(a) + Size(a), Data(b), Data(b) + Size(b));
            });
        for (int i = 0; i < n; ++i) {
            key.insert(key.end(), Data(order[i]), Data(order[i]) + Size(order[i]));
            key.push_back(NoCard);
        }
    }

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
