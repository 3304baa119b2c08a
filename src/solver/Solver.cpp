#include "solver/Solver.h"

#include "framework/core/GameTable.h"
#include "solver/Deals.h"
#include "solver/GameSolver.h"

namespace Solver {
namespace {

TGameEntry EntryFor(int game) {
    switch (game) {
    case GI_FREECELL:
    case GI_SEAHAVEN:
        return CellsEntry();
    case GI_KLONDIKE:
    case GI_DBLKLONDIKE:
        return KlondikeEntry();
    case GI_CASTLE:
        return CastleEntry();
    case GI_GOLF:
        return GolfEntry();
    case GI_PYRAMID:
        return PyramidEntry();
    case GI_MONTANA:
        return MontanaEntry();
    case GI_FORTYTHIEVES:
        return FortyThievesEntry();
    case GI_INDIAN:
        return IndianEntry();
    case GI_QUEENITALY:
        return QueenItalyEntry();
    case GI_SPIDER:
        return SpiderEntry();
    default:
        return {};
    }
}

} // namespace

TSolver::TSolver(int game, TRules rules) : TSolver(game, rules, DefaultLimits(game)) {
}

TSolver::TSolver(int game, TRules rules, TLimits limits) : m_game(game), m_rules(rules), m_limits(limits) {
}

TResult TSolver::Solve(const TPosition& position, const std::atomic<bool>* cancel) const {
    const TGameEntry entry = EntryFor(m_game);
    if (!entry.Solve || position.Game != m_game) {
        TResult result;
        result.Note = "no solver for this game and position";
        return result;
    }
    return entry.Solve(position, m_rules, m_limits, cancel);
}

TResult TSolver::SolveDeal(std::uint32_t deal, const std::atomic<bool>* cancel) const {
    return Solve(StartPosition(m_game, deal), cancel);
}

std::vector<TMove> TSolver::LegalMoves(const TPosition& position) const {
    TLimits limits = m_limits;
    limits.ListMoves = true;
    return TSolver(m_game, m_rules, limits).Solve(position).Moves;
}

TReplay TSolver::Replay(const TPosition& position, const std::vector<TMove>& moves) const {
    const TGameEntry entry = EntryFor(m_game);
    if (!entry.Replay || position.Game != m_game) {
        TReplay replay;
        replay.Error = "no solver for this game and position";
        return replay;
    }
    return entry.Replay(position, m_rules, moves);
}

// Positions each game's search may expand: at most about eight seconds of
// one core of the development machine, each game's positions costing what
// they do; less where a larger search rarely decides more (the two-deck games
// with a long stock, and Spider).
TLimits TSolver::DefaultLimits(int game) {
    TLimits limits;
    switch (game) {
    case GI_GOLF:
    case GI_PYRAMID:
        limits.MaxNodes = 6'000'000;
        break;
    case GI_FREECELL:
    case GI_SEAHAVEN:
    case GI_CASTLE:
    case GI_MONTANA:
        limits.MaxNodes = 2'500'000;
        break;
    case GI_KLONDIKE:
        limits.MaxNodes = 2'500'000;
        break;
    case GI_DBLKLONDIKE:
        limits.MaxNodes = 1'000'000;
        break;
    default:
        limits.MaxNodes = 500'000;
        break;
    }
    return limits;
}

} // namespace Solver
