// Composing the 52 faces and loading the backs, as each change of card size does.
#include "cards/TCard.h"

#include <benchmark/benchmark.h>

namespace {

void ComposeFaces(benchmark::State& state) {
    const bool small = state.range(0) == FS_SMALL;
    const bool lowColor = state.range(1) != 0;
    for (auto _ : state) {
        TCard::FreeCardBitmaps();
        if (small)
            TCard::LoadSmallCardBitmaps(lowColor);
        else
            TCard::LoadCardBitmaps(lowColor);
        benchmark::DoNotOptimize(TCard::FaceImage(FS_HEARTS, FS_KING).constBits());
    }
    TCard::FreeCardBitmaps();
    state.SetLabel(std::string(small ? "small" : "large") + (lowColor ? ", low colour" : ""));
}

} // namespace

BENCHMARK(ComposeFaces)->ArgsProduct({{FS_LARGE, FS_SMALL}, {0, 1}})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
