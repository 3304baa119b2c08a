#pragma once

#include "solver/Piles.h"
#include "solver/Search.h"
#include "solver/Solver.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What every game's solver file shares: reading positions, naming views, and
// running a game through the search or through a replay.
namespace Solver {

// n when `view` is `prefix` followed by a number from 1 to `count`, else 0.
inline int ViewNumber(std::string_view view, std::string_view prefix, int count) {
    if (view.size() <= prefix.size() || view.substr(0, prefix.size()) != prefix)
        return 0;
    int n = 0;
    const char* first = view.data() + prefix.size();
    const char* last = view.data() + view.size();
    const auto [end, error] = std::from_chars(first, last, n);
    if (error != std::errc() || end != last || n < 1 || n > count)
        return 0;
    return n;
}

inline std::string ViewName(std::string_view prefix, int number) {
    return std::string(prefix) + std::to_string(number);
}

// The named pile, or an empty one when the position lacks it.
inline const std::vector<Card>& PileOf(const TPosition& p, std::string_view view) {
    static const std::vector<Card> none;
    const std::vector<Card>* cards = p.Pile(view);
    return cards ? *cards : none;
}

inline void Emit(std::vector<TMove>* out, std::string from, std::string to, int cards) {
    if (out)
        out->push_back(TMove{std::move(from), std::move(to), cards});
}

// Each game class G offers, besides the search's interface (Search.h):
//   bool Load(const TPosition&, State&, std::string& error) const;
//   bool Play(State&, const TMove&, std::string& error) const;  one action by the rules
// The first action of each move the generator offers, the moves into the
// best-scored positions first; a safe foundation play waiting in the position
// comes alone, since it is what the search would play first.
template <class G> TResult ListFirstActions(const G& game, const typename G::State& start) {
    TResult result;
    result.Note = "moves listed, not searched";
    typename G::State settled = start;
    game.Settle(settled, &result.Moves);
    if (!result.Moves.empty()) {
        result.Moves.resize(1);
        return result;
    }
    std::vector<typename G::Move> moves;
    game.Moves(start, moves);
    std::vector<std::pair<int, TMove>> scored;
    for (const auto& move : moves) {
        typename G::State next = start;
        std::vector<TMove> actions;
        game.Apply(next, move, &actions);
        if (actions.empty())
            continue;
        const int score = game.Won(next) ? std::numeric_limits<int>::max() : game.Score(next);
        const bool listed = std::any_of(scored.begin(), scored.end(),
                                        [&](const auto& entry) { return entry.second == actions.front(); });
        if (!listed)
            scored.emplace_back(score, actions.front());
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (auto& entry : scored)
        result.Moves.push_back(std::move(entry.second));
    return result;
}

template <class G>
TResult RunSearch(const G& game, const TPosition& position, const TLimits& limits,
                  const std::atomic<bool>* cancel) {
    typename G::State state{};
    std::string error;
    if (!game.Load(position, state, error)) {
        TResult result;
        result.Note = "the position cannot be read: " + error;
        return result;
    }
    if (limits.ListMoves)
        return ListFirstActions(game, state);
    TSearch<G> search(game, limits, cancel);
    return search.Run(state);
}

template <class G>
TReplay RunReplay(const G& game, const TPosition& position, const std::vector<TMove>& moves) {
    TReplay replay;
    typename G::State state{};
    if (!game.Load(position, state, replay.Error))
        return replay;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        if (!game.Play(state, moves[i], replay.Error)) {
            replay.FailedAt = static_cast<int>(i);
            replay.Error = moves[i].Text() + ": " + replay.Error;
            return replay;
        }
    }
    replay.Legal = true;
    replay.Won = game.Won(state);
    return replay;
}

// A game's two entry points.
struct TGameEntry {
    TResult (*Solve)(const TPosition&, const TRules&, const TLimits&, const std::atomic<bool>*) = nullptr;
    TReplay (*Replay)(const TPosition&, const TRules&, const std::vector<TMove>&) = nullptr;
};

// The entry points of a game class G whose static Make(position, rules,
// reductions) builds it; a replay always plays with the reductions on.
template <class G>
TResult SolveWith(const TPosition& p, const TRules& rules, const TLimits& limits,
                  const std::atomic<bool>* cancel) {
    return RunSearch(G::Make(p, rules, limits.Reductions), p, limits, cancel);
}
template <class G>
TReplay ReplayWith(const TPosition& p, const TRules& rules, const std::vector<TMove>& moves) {
    return RunReplay(G::Make(p, rules, true), p, moves);
}
template <class G> TGameEntry EntryOf() {
    return {&SolveWith<G>, &ReplayWith<G>};
}

// Each game's entry points (one file per game or family).
TGameEntry CellsEntry();
TGameEntry KlondikeEntry();
TGameEntry CastleEntry();
TGameEntry GolfEntry();
TGameEntry PyramidEntry();
TGameEntry MontanaEntry();
TGameEntry FortyThievesEntry();
TGameEntry IndianEntry();
TGameEntry QueenItalyEntry();
TGameEntry SpiderEntry();

} // namespace Solver
