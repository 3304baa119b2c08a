#include "shell/SolveCommand.h"

#include "solver/Deals.h"
#include "solver/Solver.h"

namespace CommandLine {

TSolveOutput RunSolve(const TSolve& solve) {
    Solver::TRules rules; // a new player's options, but for the draw count asked
    rules.DrawCount = solve.DrawCount;
    const Solver::TSolver solver(solve.Game, rules);
    const Solver::TPosition start = Solver::StartPosition(solve.Game, solve.Deal);
    Solver::TResult result = solver.Solve(start);
    TSolveOutput out;
    if (result.Verdict == Solver::TVerdict::Winnable && !solver.Replay(start, result.Moves).Won) {
        // Never print a win that the rules do not confirm.
        result.Verdict = Solver::TVerdict::Unknown;
        result.Note = "the win found does not play back by the rules";
    }
    out.Output = std::string(Solver::VerdictText(result.Verdict)) + "\n";
    switch (result.Verdict) {
    case Solver::TVerdict::Winnable:
        out.ExitCode = 0;
        for (const Solver::TMove& move : result.Moves)
            out.Output += move.Text() + "\n";
        break;
    case Solver::TVerdict::NotWinnable:
        out.ExitCode = 1;
        break;
    case Solver::TVerdict::Unknown:
        out.ExitCode = 3;
        out.Error = "quintaro: " + result.Note + "\n";
        break;
    }
    return out;
}

} // namespace CommandLine
