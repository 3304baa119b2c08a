// Composing the 52 faces and loading the backs, as each change of card size
// (or of the screen's device pixel ratio) does.
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

// The same for a high-density screen: at ratio 2 from the pictures of twice
// the pixels, at 1.5 composed at 2 and then reduced.
void ComposeFacesAtRatio(benchmark::State& state) {
    const bool small = state.range(0) == FS_SMALL;
    const qreal ratio = state.range(1) / 100.0;
    TCard::SetDevicePixelRatio(ratio);
    for (auto _ : state) {
        TCard::FreeCardBitmaps();
        if (small)
            TCard::LoadSmallCardBitmaps(false);
        else
            TCard::LoadCardBitmaps(false);
        benchmark::DoNotOptimize(TCard::FaceImage(FS_HEARTS, FS_KING).constBits());
    }
    TCard::FreeCardBitmaps();
    TCard::SetDevicePixelRatio(1);
    state.SetLabel(std::string(small ? "small" : "large") + ", ratio " + (ratio == 2.0 ? "2" : "1.5"));
}

} // namespace

BENCHMARK(ComposeFaces)->ArgsProduct({{FS_LARGE, FS_SMALL}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeFacesAtRatio)
    ->ArgsProduct({{FS_LARGE, FS_SMALL}, {200, 150}})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
