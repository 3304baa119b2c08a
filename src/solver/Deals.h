#pragma once

#include "solver/SolverTypes.h"

#include <cstdint>
#include <vector>

// Numbered deals without the program's generator: deal N is the deck that
// the program shuffles when its generator's state is N just before the
// shuffle. Both are pure, so a worker thread may use them at any time.
namespace Solver {

// The deck order of deal `deal` with `decks` decks, bottom first (the last
// card is the top one, dealt first), every card face down; `after` receives
// the generator's state after the shuffle.
std::vector<Card> DeckOrder(std::uint32_t deal, int decks, std::uint32_t* after = nullptr);

// The table right after the deal of game `game` (TGameIndex) from `deck`, card
// for card and face for face as the game's window deals it.
TPosition StartPosition(int game, const std::vector<Card>& deck);
// The same from a deal number (with the generator's state for Montana).
TPosition StartPosition(int game, std::uint32_t deal);

// Decks each game plays with.
int DeckCount(int game);

} // namespace Solver
