// Game windows as the player meets them: opening each game to its first complete
// paint, painting a Klondike table in mid-game, and an autoplay cascade of 52 cards.
// `bench_games --session` instead opens every game in both sizes once and prints
// the peak memory (max RSS) of that session.

#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/AppContext.h"
#include "framework/core/GameTable.h"
#include "framework/core/IniFile.h"
#include "games/GameRegistry.h"
#include "games/klondike/TKlondikeForm.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <sys/resource.h>

namespace {

// No sound manager: sounds are off, and nothing waits for a device.
TAppContext& Context() {
    static TAppContext context;
    return context;
}

// Creates the window, shows it and returns once every view has painted.
std::unique_ptr<TGameForm> OpenAndPaint(int game, bool small) {
    TCard::SetCardSize(small ? FS_SMALL : FS_LARGE, false);
    const TGameFactory& factory = GameFactory(game);
    std::unique_ptr<TGameForm> form(small ? factory.Small(Context(), nullptr)
                                          : factory.Large(Context(), nullptr));
    form->setAttribute(Qt::WA_DeleteOnClose, false);
    form->show();
    QCoreApplication::processEvents(); // expose
    form->repaint();                   // the first frame, every child included
    return form;
}

void BM_OpenGame(benchmark::State& state) {
    const int game = static_cast<int>(state.range(0));
    const bool small = state.range(1) != 0;
    if (!GameFactory(game).Available()) {
        state.SkipWithError("not in this build");
        return;
    }
    TCard::SetCardSize(small ? FS_SMALL : FS_LARGE, false); // faces composed once, as at start-up
    for (auto _ : state) {
        TRandom::Seed(7);
        auto form = OpenAndPaint(game, small);
        state.PauseTiming();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(std::string(GameTable()[game].Section) + (small ? " small" : " large"));
}

// Deals a game and plays it a little way: draws, and what double-clicks take home.
std::unique_ptr<TKlondikeForm> KlondikeMidGame() {
    TRandom::Seed(12345);
    auto form = std::unique_ptr<TKlondikeForm>(
        static_cast<TKlondikeForm*>(OpenAndPaint(GI_KLONDIKE, false).release()));
    for (int i = 0; i < 6; ++i) {
        form->DeckPileViewClick();
        for (TCardPileView* view : form->Tableau())
            form->DoubleClickAction(view);
    }
    return form;
}

// The whole window, every view and card, rendered into one picture.
void BM_PaintKlondikeTable(benchmark::State& state) {
    auto form = KlondikeMidGame();
    QImage frame(form->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        form->render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

// Four columns of King down to Ace and one Ace to play: with Autoplay on, one
// double-click sends all 52 cards home, move by move, each through the after-move routine.
void BM_AutoplayCascade52(benchmark::State& state) {
    TRandom::Seed(3);
    auto form = OpenAndPaint(GI_KLONDIKE, false);
    if (!form->Autoplay())
        form->Item(QStringLiteral("Autoplay1"))->trigger();
    for (auto _ : state) {
        state.PauseTiming();
        for (TCardPileView* view : form->AllViews())
            view->Pile.Empty(false);
        const QList<TCardPileView*>& columns = form->Tableau();
        for (TCard* card : form->SavedDeal().Cards) {
            card->FaceUp = true;
            columns[card->Suit]->Pile.Cards.append(card);
        }
        for (TCardPileView* column : columns.mid(0, 4))
            std::sort(column->Pile.Cards.begin(), column->Pile.Cards.end(),
                      [](const TCard* a, const TCard* b) { return a->Value > b->Value; });
        form->UndoRecord().Clear();
        state.ResumeTiming();
        form->DoubleClickAction(columns[0]);
        QCoreApplication::processEvents(); // the repaints the moves asked for
        if (form->ComputeScore() != 52)
            state.SkipWithError("the cascade did not finish");
        state.PauseTiming();
        form->NewGame1Click(form->Item(QStringLiteral("NewGame1"))); // a won game asks nothing
        state.ResumeTiming();
    }
}

// Opens every game in both sizes one after another, as a long session does.
int Session() {
    for (int round = 0; round < 2; ++round)
        for (int game = 0; game < GI_COUNT; ++game)
            for (bool small : {false, true})
                if (GameFactory(game).Available())
                    OpenAndPaint(game, small).reset();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak_rss_kb %ld\n", usage.ru_maxrss);
    return 0;
}

} // namespace

BENCHMARK(BM_OpenGame)
    ->ArgsProduct({benchmark::CreateDenseRange(0, GI_COUNT - 1, 1), {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintKlondikeTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoplayCascade52)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir settings; // never the player's own settings file
    IniFile::SetDirectory(settings.path());
    if (argc > 1 && std::strcmp(argv[1], "--session") == 0)
        return Session();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
