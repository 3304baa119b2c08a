// The solver over numbered deals, game by game: the share of deals found
// winnable, proved not winnable, and left unknown, and the median and 95th
// percentile of the time per deal, printed as the README's table.
//
//   bench_solver [--deals N] [--first D] [--game INDEX] [--match TEXT]
//
// N defaults to 5 per game (the README's table uses 1000). Each deal runs with
// the game's default limits on positions and memory but no time limit, so the
// verdicts do not depend on the machine's load; the time reported is the CPU
// time of the solving thread, which is the wall time on an idle machine.

#include "framework/core/GameTable.h"
#include "solver/Deals.h"
#include "solver/Solver.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace Solver;

namespace {

double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct TRow {
    const char* Name;
    int Game;
    TRules Rules;
    const char* Target;
};

struct TStats {
    int Won = 0;
    int Lost = 0;
    int Unknown = 0;
    int BadReplays = 0;
    std::vector<double> Millis;
};

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const std::size_t i =
        std::min(values.size() - 1, static_cast<std::size_t>(p * static_cast<double>(values.size())));
    return values[i];
}

TStats Run(const TRow& row, quint32 first, int deals) {
    TLimits limits = TSolver::DefaultLimits(row.Game);
    limits.MaxMillis = 1'000'000;
    const TSolver solver(row.Game, row.Rules, limits);
    TStats stats;
    for (int i = 0; i < deals; ++i) {
        const TPosition start = StartPosition(row.Game, first + static_cast<quint32>(i));
        const double before = ThreadSeconds();
        const TResult result = solver.Solve(start);
        stats.Millis.push_back((ThreadSeconds() - before) * 1000.0);
        switch (result.Verdict) {
        case TVerdict::Winnable:
            ++stats.Won;
            stats.BadReplays += solver.Replay(start, result.Moves).Won ? 0 : 1;
            break;
        case TVerdict::NotWinnable:
            ++stats.Lost;
            break;
        case TVerdict::Unknown:
            ++stats.Unknown;
            break;
        }
        std::fprintf(stderr, "\r%s: %d/%d", row.Name, i + 1, deals);
    }
    std::fprintf(stderr, "\n");
    return stats;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int deals = 5;
    quint32 first = 1;
    int only = -1;
    QString match; // rows whose name contains it

    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--deals" && i + 1 < args.size())
            deals = std::max(1, args[++i].toInt());
        else if (args[i] == "--first" && i + 1 < args.size())
            first = args[++i].toUInt();
        else if (args[i] == "--game" && i + 1 < args.size())
            only = args[++i].toInt();
        else if (args[i] == "--match" && i + 1 < args.size())
            match = args[++i];
    }
    TRules one;
    one.DrawCount = 1;
    const std::vector<TRow> rows = {
        {"Free Cell", GI_FREECELL, {}, "median < 50 ms, 99 % decided"},
        {"Sea Towers", GI_SEAHAVEN, {}, "median < 50 ms, 99 % decided"},
        {"Beleaguered Castle", GI_CASTLE, {}, ""},
        {"Golf", GI_GOLF, {}, ""},
        {"Pyramid", GI_PYRAMID, {}, ""},
        {"Montana", GI_MONTANA, {}, ""},
        {"Klondike, draw one", GI_KLONDIKE, one, "median < 500 ms, 95 % decided"},
        {"Klondike, draw three", GI_KLONDIKE, {}, ""},
        {"Double Klondike, draw one", GI_DBLKLONDIKE, one, ""},
        {"Double Klondike, draw three", GI_DBLKLONDIKE, {}, ""},
        {"Forty Thieves", GI_FORTYTHIEVES, {}, ""},
        {"Indian Patience", GI_INDIAN, {}, ""},
        {"Queen of Italy", GI_QUEENITALY, {}, ""},
        {"Spider", GI_SPIDER, {}, ""},
    };
    std::printf("Deals %u to %u of each game; every game's target: 95th percentile < 10 s.\n\n", first,
                first + static_cast<quint32>(deals) - 1);
    std::printf("| Game | winnable | not winnable | unknown | median | 95th percentile | target |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    int bad = 0;
    for (const TRow& row : rows) {
        if ((only >= 0 && row.Game != only) || !QString::fromUtf8(row.Name).contains(match))
            continue;
        const TStats s = Run(row, first, deals);
        const double n = deals;
        std::printf("| %s | %.1f %% | %.1f %% | %.1f %% | %.0f ms | %.0f ms | %s |\n", row.Name,
                    100.0 * s.Won / n, 100.0 * s.Lost / n, 100.0 * s.Unknown / n, Percentile(s.Millis, 0.5),
                    Percentile(s.Millis, 0.95), row.Target);
        std::fflush(stdout);
        bad += s.BadReplays;
    }
    if (bad) {
        std::printf("\n%d wins did not play back to a win\n", bad);
        return 1;
    }
    return 0;
}
