#pragma once

#include "solver/SolverTypes.h"
#include "solver/StateTable.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <queue>
#include <vector>

namespace Solver {

// What a game gives the search (each game's solver file implements it):
//
//   struct State;  a position, copied freely
//   struct Move;   one search step; may stand for several player actions
//   bool Moves(const State&, std::vector<Move>&) const;
//       the moves worth trying; false when it left out legal moves on purpose,
//       so that an exhausted search proves nothing
//   void Apply(State&, const Move&, std::vector<TMove>* out) const;
//       plays the move and what follows it by itself (turn-ups, refills) and
//       by choice because it can never hurt (safe foundation plays); writes the
//       player's actions to `out` when given
//   void Settle(State&, std::vector<TMove>* out) const;  those choices alone
//   bool Won(const State&) const;
//   void Key(const State&, std::vector<std::uint8_t>&) const;
//       the canonical key: equal keys only for positions with the same future
//   int Score(const State&) const;  higher is tried first
//   const char* Restriction() const;  why a search that left out moves proves nothing
//   bool BestFirst() const;  search best first instead of depth first
//   std::size_t OpenLimit() const;  (optional) the most open positions kept best first
//
// The search walks the graph of positions, depth first (little memory) or
// best first by the game's score (finds wins in fewer positions, keeps the
// open positions in memory). Every position met is stored by its full key,
// so none is searched twice and moves that only go back to a position already
// seen cost nothing. When it runs out of positions without a win, and no move
// was left out, every position reachable from the start has been searched:
// the deal is not winnable.
template <class G> class TSearch {
public:
    using State = typename G::State;
    using Move = typename G::Move;

    TSearch(const G& game, const TLimits& limits, const std::atomic<bool>* cancel)
        : m_game(game), m_limits(limits), m_cancel(cancel), m_table(limits.MaxTableBytes) {}

    TResult Run(const State& start) {
        m_started = Clock::now();
        TResult result;
        State root = start;
        m_game.Settle(root, nullptr);
        if (m_game.Won(root)) {
            std::vector<Move> none;
            return Finish(result, start, none, TVerdict::Winnable);
        }
        m_game.Key(root, m_key);
        m_table.Add(m_key.data(), m_key.size());
        if (m_game.BestFirst())
            return RunBestFirst(result, start, root);

        std::vector<Frame> stack;
        stack.emplace_back();
        std::vector<Move> path;
        if (Expand(root, stack.back(), path))
            return Finish(result, start, path, TVerdict::Winnable);
        while (!stack.empty() && m_stop.empty()) {
            Frame& frame = stack.back();
            if (frame.Next == frame.Children.size()) {
                m_listed -= frame.Children.size();
                stack.pop_back();
                if (!path.empty())
                    path.pop_back();
                continue;
            }
            const Child child = frame.Children[frame.Next++];
            // Played again from the parent, which the frame keeps, rather than
            // kept for every child: a deep search lists many.
            State state = frame.Parent;
            m_game.Apply(state, child.Via, nullptr);
            // Stored when searched, not when listed: the table holds only the
            // positions searched, and a position listed twice is searched once.
            m_game.Key(state, m_key);
            const TStateTable::TAdd added = m_table.Add(m_key.data(), m_key.size());
            if (added == TStateTable::Present)
                continue;
            if (added == TStateTable::Full ||
                m_table.Bytes() + m_listed * sizeof(Child) + stack.size() * sizeof(Frame) >
                    m_limits.MaxTableBytes) {
                m_stop = "the search reached its memory limit";
                break;
            }
            path.push_back(child.Via);
            stack.emplace_back();
            if (Expand(state, stack.back(), path))
                return Finish(result, start, path, TVerdict::Winnable);
        }
        return Exhausted(result, start);
    }

    std::size_t Positions() const { return m_table.Count(); }

private:
    using Clock = std::chrono::steady_clock;

    TResult& Exhausted(TResult& result, const State& start) {
        if (!m_stop.empty()) {
            result.Note = m_stop;
            return Finish(result, start, {}, TVerdict::Unknown);
        }
        if (m_restricted) {
            result.Note = m_game.Restriction();
            return Finish(result, start, {}, TVerdict::Unknown);
        }
        return Finish(result, start, {}, TVerdict::NotWinnable);
    }

    // ---- best first -------------------------------------------------------------------

    struct TNode {
        std::int32_t Parent;
        Move Via;
    };
    struct TOpen {
        int Score;
        std::uint32_t Node;
        std::uint32_t Slot; // in m_pool
        bool operator<(const TOpen& other) const {
            // Best score first; among equals the newest, which keeps the search going deep.
            return Score != other.Score ? Score < other.Score : Node < other.Node;
        }
    };

    TResult& RunBestFirst(TResult& result, const State& start, const State& root) {
        std::vector<TNode> nodes;
        std::vector<State> pool;
        std::vector<std::uint32_t> freeSlots;
        std::priority_queue<TOpen> open;
        nodes.push_back(TNode{-1, Move{}});
        pool.push_back(root);
        open.push(TOpen{0, 0, 0});
        std::vector<Move> path;
        while (!open.empty()) {
            const TOpen top = open.top();
            open.pop();
            const State state = pool[top.Slot];
            freeSlots.push_back(top.Slot);
            if (++m_nodes >= m_limits.MaxNodes) {
                m_stop = "the search reached its limit of positions";
                break;
            }
            if ((m_nodes & 255) == 0 && !CheckTime())
                break;
            if (m_table.Bytes() + pool.capacity() * sizeof(State) + nodes.capacity() * sizeof(TNode) >
                m_limits.MaxTableBytes) {
                m_stop = "the search reached its memory limit";
                break;
            }
            m_moves.clear();
            if (!m_game.Moves(state, m_moves))
                m_restricted = true;
            for (const Move& move : m_moves) {
                State next = state;
                m_game.Apply(next, move, nullptr);
                if (m_game.Won(next)) {
                    path.push_back(move);
                    for (std::int32_t n = static_cast<std::int32_t>(top.Node); n > 0; n = nodes[n].Parent)
                        path.push_back(nodes[n].Via);
                    std::reverse(path.begin(), path.end());
                    return Finish(result, start, path, TVerdict::Winnable);
                }
                m_game.Key(next, m_key);
                const TStateTable::TAdd added = m_table.Add(m_key.data(), m_key.size());
                if (added == TStateTable::Present)
                    continue;
                if (added == TStateTable::Full) {
                    m_stop = "the search reached its memory limit";
                    return Exhausted(result, start);
                }
                const int score = m_game.Score(next);
                std::uint32_t slot;
                if (freeSlots.empty()) {
                    slot = static_cast<std::uint32_t>(pool.size());
                    pool.push_back(std::move(next));
                } else {
                    slot = freeSlots.back();
                    freeSlots.pop_back();
                    pool[slot] = std::move(next);
                }
                nodes.push_back(TNode{static_cast<std::int32_t>(top.Node), move});
                open.push(TOpen{score, static_cast<std::uint32_t>(nodes.size() - 1), slot});
            }
            if constexpr (requires { m_game.OpenLimit(); }) {
                // Games whose searches never end keep only their best open
                // positions; a search that dropped some proves nothing.
                if (open.size() > m_game.OpenLimit()) {
                    std::vector<TOpen> kept;
                    kept.reserve(open.size());
                    while (!open.empty()) {
                        kept.push_back(open.top());
                        open.pop();
                    }
                    for (std::size_t i = kept.size() / 2; i < kept.size(); ++i)
                        freeSlots.push_back(kept[i].Slot);
                    kept.resize(kept.size() / 2);
                    open = std::priority_queue<TOpen>(kept.begin(), kept.end());
                    m_restricted = true;
                }
            }
        }
        return Exhausted(result, start);
    }

    struct Child {
        Move Via;
        int Score;
    };
    struct Frame {
        State Parent;
        std::vector<Child> Children;
        std::size_t Next = 0;
    };

    // Lists the children of `state` not met before, best first; true when one of
    // them wins (its move is then added to `path`).
    bool Expand(const State& state, Frame& frame, std::vector<Move>& path) {
        if (++m_nodes >= m_limits.MaxNodes) {
            m_stop = "the search reached its limit of positions";
            return false;
        }
        if ((m_nodes & 255) == 0 && !CheckTime())
            return false;
        frame.Parent = state;
        m_moves.clear();
        if (!m_game.Moves(state, m_moves))
            m_restricted = true;
        for (const Move& move : m_moves) {
            State next = state;
            m_game.Apply(next, move, nullptr);
            if (m_game.Won(next)) {
                path.push_back(move);
                return true;
            }
            m_game.Key(next, m_key);
            if (m_table.Contains(m_key.data(), m_key.size()))
                continue;
            frame.Children.push_back(Child{move, m_game.Score(next)});
        }
        m_listed += frame.Children.size();
        std::stable_sort(frame.Children.begin(), frame.Children.end(),
                         [](const Child& a, const Child& b) { return a.Score > b.Score; });
        return false;
    }

    bool CheckTime() {
        if (m_cancel && m_cancel->load(std::memory_order_relaxed)) {
            m_stop = "the search was cancelled";
            return false;
        }
        if (Clock::now() - m_started > std::chrono::milliseconds(m_limits.MaxMillis)) {
            m_stop = "the search reached its time limit";
            return false;
        }
        return true;
    }

    // Writes the player's actions of a win by playing it again from the start.
    TResult& Finish(TResult& result, const State& start, const std::vector<Move>& path, TVerdict verdict) {
        result.Verdict = verdict;
        result.Nodes = m_nodes;
        if (verdict == TVerdict::Winnable) {
            State state = start;
            m_game.Settle(state, &result.Moves);
            for (const Move& move : path)
                m_game.Apply(state, move, &result.Moves);
        }
        result.Millis =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_started).count();
        return result;
    }

    const G& m_game;
    const TLimits m_limits;
    const std::atomic<bool>* m_cancel;
    TStateTable m_table;
    Clock::time_point m_started;
    std::int64_t m_nodes = 0;
    std::size_t m_listed = 0; // children waiting on the depth-first stack
    bool m_restricted = false;
    std::string m_stop;
    std::vector<Move> m_moves;
    std::vector<std::uint8_t> m_key;
};

} // namespace Solver
