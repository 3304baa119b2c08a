#include "cards/TCard.h"
#include "pileview/TCardPileView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

// Mouse input as the window receives it from the platform.
void Send(QWindow* window, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(at), QPointF(window->mapToGlobal(at)), button, held, {});
    QCoreApplication::sendEvent(window, &event);
}

struct Table {
    QWidget window;
    TCardPileView* view = nullptr;
    std::vector<std::unique_ptr<TCard>> cards;

    Table(int count, float xOffset, float yOffset, bool faceUp) {
        window.resize(640, 480);
        view = new TCardPileView(&window);
        view->XOffset = xOffset;
        view->YOffset = yOffset;
        view->AllowDrag = true;
        view->resize(80, 480);
        for (int i = 0; i < count; ++i) {
            cards.push_back(std::make_unique<TCard>(static_cast<_CardSuit>(i % 4),
                                                    static_cast<_CardValue>(i % 13), faceUp ? 1 : 0));
            view->Pile.AddCard(cards.back().get());
        }
        window.show();
        while (!window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
    }
};

// One whole paint of the view, as its paint event composes it.
void Paint(benchmark::State& state, Table& table) {
    QImage canvas(table.view->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&canvas);
        table.view->Paint(painter);
        painter.end();
        benchmark::DoNotOptimize(canvas.bits());
    }
}

void BM_PaintFanOf20(benchmark::State& state) {
    Table table(20, 0.0f, 20.0f, true);
    Paint(state, table);
}
BENCHMARK(BM_PaintFanOf20)->Unit(benchmark::kMicrosecond);

void BM_PaintSquaredStackOf52(benchmark::State& state) {
    Table table(52, 0.0f, 0.0f, false);
    Paint(state, table);
}
BENCHMARK(BM_PaintSquaredStackOf52)->Unit(benchmark::kMicrosecond);

// Through the widget: repaint() into Qt's backing store.
void BM_RepaintWidgetFanOf20(benchmark::State& state) {
    Table table(20, 0.0f, 20.0f, true);
    for (auto _ : state)
        table.view->repaint();
}
BENCHMARK(BM_RepaintWidgetFanOf20)->Unit(benchmark::kMicrosecond);

// One pointer move of a drag, with the window updated of 5 cards over the table.
void BM_DragMoveStep(benchmark::State& state) {
    Table table(10, 0.0f, 20.0f, true);
    table.view->OnMouseDown = [](TCardPileView* sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        sender->DragPermission = true;
    };
    table.view->repaint();
    QWindow* window = table.window.windowHandle();
    Send(window, QEvent::MouseButtonPress, {40, 110}, Qt::LeftButton);
    Send(window, QEvent::MouseMove, {45, 115}, Qt::LeftButton);
    if (!table.view->IsDragging())
        state.SkipWithError("the drag did not start");
    int step = 0;
    for (auto _ : state) {
        ++step;
        Send(window, QEvent::MouseMove, {100 + step % 400, 100 + step % 200}, Qt::LeftButton);
        QCoreApplication::processEvents(); // the picture is redrawn at its new place
    }
    Send(window, QEvent::MouseButtonRelease, {45, 115}, Qt::NoButton);
}
BENCHMARK(BM_DragMoveStep)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TCard::SetCardSize(FS_LARGE, false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
