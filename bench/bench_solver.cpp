// The solver over numbered deals, game by game: the share of deals found
// winnable, proved not winnable, and left unknown, and the median and 95th
// percentile of the time per deal, printed as the README's table.
//
//   bench_solver [--deals N] [--first D] [--game INDEX] [--match TEXT] [--threads T]
//       [--medium-deals M] [--slow-deals S] [--each]
//
// N defaults to 5 per game; M (default N) is used instead for the games where
// some deals run to the limits, S (default M) for those where most do. Each deal runs with the game's default
// limits on positions and memory but no time limit, so the verdicts do not
// depend on the machine's load. T threads (default 2, one per core) take deals
// in turn; the time of a deal is the CPU time of the thread that solved it,
// which is its wall time on an idle core. --each prints every deal's verdict,
// positions and actions to standard error, to compare two builds' searches.

#include "framework/core/GameTable.h"
#include "solver/Deals.h"
#include "solver/Solver.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <thread>
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
    int Tier; // 0: few deals reach the limits, 1: some do, 2: most do
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

TStats Run(const TRow& row, quint32 first, int deals, int threads, bool each) {
    TLimits limits = TSolver::DefaultLimits(row.Game);
    limits.MaxMillis = 1'000'000;
    const TSolver solver(row.Game, row.Rules, limits);
    TStats stats;
    std::atomic<int> next{0};
    std::mutex lock;
    int done = 0;
    const auto work = [&] {
        for (int i = next++; i < deals; i = next++) {
            const TPosition start = StartPosition(row.Game, first + static_cast<quint32>(i));
            const double before = ThreadSeconds();
            const TResult result = solver.Solve(start);
            const double millis = (ThreadSeconds() - before) * 1000.0;
            const bool badReplay =
                result.Verdict == TVerdict::Winnable && !solver.Replay(start, result.Moves).Won;
            const std::lock_guard<std::mutex> guard(lock);
            stats.Millis.push_back(millis);
            switch (result.Verdict) {
            case TVerdict::Winnable:
                ++stats.Won;
                break;
            case TVerdict::NotWinnable:
                ++stats.Lost;
                break;
            case TVerdict::Unknown:
                ++stats.Unknown;
                break;
            }
            stats.BadReplays += badReplay ? 1 : 0;
            if (each)
                std::fprintf(stderr, "%s deal %u: %s, %lld positions, %zu actions\n", row.Name,
                             first + static_cast<quint32>(i), VerdictText(result.Verdict),
                             static_cast<long long>(result.Nodes), result.Moves.size());
            std::fprintf(stderr, "\r%s: %d/%d", row.Name, ++done, deals);
        }
    };
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back(work);
    for (std::thread& t : pool)
        t.join();
    std::fprintf(stderr, "\n");
    return stats;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int deals = 5;
    int mediumDeals = -1;
    int slowDeals = -1;
    int threads = 2;
    bool each = false;
    quint32 first = 1;
    int only = -1;
    QString match; // rows whose name contains it

    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--deals" && i + 1 < args.size())
            deals = std::max(1, args[++i].toInt());
        else if (args[i] == "--each")
            each = true;
        else if (args[i] == "--medium-deals" && i + 1 < args.size())
            mediumDeals = std::max(1, args[++i].toInt());
        else if (args[i] == "--slow-deals" && i + 1 < args.size())
            slowDeals = std::max(1, args[++i].toInt());
        else if (args[i] == "--threads" && i + 1 < args.size())
            threads = std::max(1, args[++i].toInt());
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
        {"Free Cell", GI_FREECELL, {}, "median < 50 ms, 99 % decided", 0},
        {"Sea Towers", GI_SEAHAVEN, {}, "median < 50 ms, 99 % decided", 0},
        {"Beleaguered Castle", GI_CASTLE, {}, "", 1},
        {"Golf", GI_GOLF, {}, "", 0},
        {"Pyramid", GI_PYRAMID, {}, "", 1},
        {"Montana", GI_MONTANA, {}, "", 0},
        {"Klondike, draw one", GI_KLONDIKE, one, "median < 500 ms, 95 % decided", 1},
        {"Klondike, draw three", GI_KLONDIKE, {}, "", 1},
        {"Double Klondike, draw one", GI_DBLKLONDIKE, one, "", 2},
        {"Double Klondike, draw three", GI_DBLKLONDIKE, {}, "", 1},
        {"Forty Thieves", GI_FORTYTHIEVES, {}, "", 2},
        {"Indian Patience", GI_INDIAN, {}, "", 2},
        {"Queen of Italy", GI_QUEENITALY, {}, "", 2},
        {"Spider", GI_SPIDER, {}, "", 2},
    };
    if (mediumDeals < 0)
        mediumDeals = deals;
    if (slowDeals < 0)
        slowDeals = mediumDeals;
    std::printf("Deals from %u of each game, %d threads; every game's target: 95th percentile < 10 s.\n\n",
                first, threads);
    std::printf("| Game | deals | winnable | not winnable | unknown | median | 95th percentile | target |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    int bad = 0;
    for (const TRow& row : rows) {
        if ((only >= 0 && row.Game != only) || !QString::fromUtf8(row.Name).contains(match))
            continue;
        const int n = row.Tier == 2 ? slowDeals : row.Tier == 1 ? mediumDeals : deals;
        const TStats s = Run(row, first, n, threads, each);
        std::printf("| %s | %d | %.1f %% | %.1f %% | %.1f %% | %.0f ms | %.0f ms | %s |\n", row.Name, n,
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
