#pragma once

#include "solver/SolverTypes.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// The solver: whether a position of any of the twelve games can be won, and
// how. It runs synchronously on the calling thread (tests, benchmark, command
// line); TAsyncSolver (AsyncSolver.h) runs it on a worker thread.
//
// Verdicts: winnable (with the player's actions of one win), not winnable
// (every position reachable under the game's exact rules was searched), or
// unknown (a limit was reached, the search was cancelled, or the game's
// search leaves moves out and so cannot prove a loss; TResult::Note says which).
//
// Move vocabulary. Every action is `<from view> <to view> <number of cards>`
// with the pile view names of the game's layout; the player drags that many
// cards from the top of `from` onto `to`, unless the game's entry below says
// otherwise. A view named DeckPileView as `from` always means a click on the
// stock (or the space bar).
//
//   Free Cell, Sea Towers: TableauPileView1-8 (1-10), FreePileView1-4, FoundPileView1-4.
//   Beleaguered Castle: TableauPileView1-8, FoundationPileView1-4.
//   Klondike, Double Klondike: TableauPileView1-7 (1-9), FoundationPile1-4 (1-8),
//       DiscardPileView (the waste). "DeckPileView DiscardPileView n" is one click on
//       the stock drawing n cards; a click on an empty stock turns the waste over
//       and draws at once, so it is written the same way. Klondike may take a
//       card back from a foundation to a column.
//   Forty Thieves, Indian Patience: TableauPile1-10, FoundPile1-8, DiscardPileView.
//       "DeckPileView DiscardPileView 1" deals one card to the waste. Indian
//       Patience refills a column by itself, as part of the move that emptied it.
//   Queen of Italy: TableauPileView1-9, FoundPile1-8, TerracePileView, DiscardPileView.
//       The first action of a deal is the base choice "TableauPileViewN FoundPile1 1":
//       a press (not a drag) on the card of column N. "DeckPileView DiscardPileView 1"
//       is a click on the stock; on an empty stock that click turns the waste
//       over (once per game) and deals the first card of the second pass.
//   Spider: TableauPile1-10, FoundPile1-8. A complete suit goes up as
//       "TableauPileN FoundPileM 13". "DeckPileView TableauPile1 10" deals a row.
//   Golf: TableauPileView1-7, DiscardPileView. "TableauPileViewN DiscardPileView 1"
//       is a press on the top card of column N; "DeckPileView DiscardPileView 1"
//       turns a stock card.
//   Pyramid: CardPileView1-28 (row by row), PlayPileView, WastePileView,
//       DiscardPileView. A pair is the drag of one card onto the other, "A B 1";
//       a King goes alone, "A DiscardPileView 1". "DeckPileView PlayPileView 1" is a
//       click on the deck; on an empty deck it turns the waste over and draws.
//   Montana: CardPileView1-52 (row by row). "CardPileViewA CardPileViewB 1" moves
//       the card of A into the gap B. "Shuffle1 Shuffle1 0" is the Shuffle
//       Remaining command, used only when the position gives the generator's state.
//
// Replaying a solution needs the window's Autoplay option off, since every
// foundation play is written out as an action of its own.
namespace Solver {

// How a list of actions plays from a position.
struct TReplay {
    bool Legal = false; // every action was legal
    bool Won = false;   // and the game ended won
    int FailedAt = -1;  // the first illegal action
    std::string Error;
};

class TSolver {
public:
    // With the game's default limits (DefaultLimits).
    explicit TSolver(int game, TRules rules = {});
    TSolver(int game, TRules rules, TLimits limits);

    int Game() const { return m_game; }
    const TRules& Rules() const { return m_rules; }
    const TLimits& Limits() const { return m_limits; }

    // Solves `position`; `cancel`, when set from another thread, stops it soon
    // with the verdict unknown.
    TResult Solve(const TPosition& position, const std::atomic<bool>* cancel = nullptr) const;
    // Solves numbered deal `deal` from its start.
    TResult SolveDeal(std::uint32_t deal, const std::atomic<bool>* cancel = nullptr) const;

    // The legal actions from `position` that the search would try, the most
    // promising first (no search: a hint where no win is known). Empty when
    // nothing worth doing is left.
    std::vector<TMove> LegalMoves(const TPosition& position) const;

    // Plays `moves` from `position` by the game's rules, as a check of a solution.
    TReplay Replay(const TPosition& position, const std::vector<TMove>& moves) const;

    // The limits the benchmark and the windows use for each game.
    static TLimits DefaultLimits(int game);

private:
    int m_game;
    TRules m_rules;
    TLimits m_limits;
};

} // namespace Solver
