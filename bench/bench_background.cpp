// How long the table background takes to lay out for a full window: this runs on
// every resize and every change of the background preference.
#include "framework/TzBackground.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

void Relayout(benchmark::State& state, TzBackType type, gradType fill) {
    QWidget window;
    auto* background = new TzBackground(&window);
    background->SetColor(16384);
    background->SetEndColor(0);
    background->SetFillType(fill);
    QImage tile(100, 100, QImage::Format_RGB32);
    tile.fill(Qt::darkCyan);
    background->SetBitMap(tile);
    background->SetBackType(type);
    int height = 600;
    for (auto _ : state) {
        // Alternate sizes so every iteration really lays the picture out again.
        height = height == 600 ? 601 : 600;
        window.resize(800, height);
        benchmark::DoNotOptimize(background->Picture().constBits());
    }
}

void BM_VerticalGradient(benchmark::State& state) {
    Relayout(state, btBlend, gVert);
}
void BM_HorizontalGradient(benchmark::State& state) {
    Relayout(state, btBlend, gHorz);
}
void BM_CentreGradient(benchmark::State& state) {
    Relayout(state, btBlend, gCenter);
}
void BM_Tiles(benchmark::State& state) {
    Relayout(state, btBitmap, gVert);
}

BENCHMARK(BM_VerticalGradient);
BENCHMARK(BM_HorizontalGradient);
BENCHMARK(BM_CentreGradient);
BENCHMARK(BM_Tiles);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
