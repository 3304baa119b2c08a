#include "cards/Random.h"
#include "framework/SolverLink.h"
#include "framework/core/TProfile.h"
#include "games/GameRegistry.h"
#include "solver/AsyncSolver.h"
#include "solver/Deals.h"
#include "solver/Solver.h"
#include "support/GameFixture.h"

#include <QAction>
#include <QTest>

using namespace Solver;

namespace {

// Every card of one deck but `except`, as TableKit notation, face up.
QString AllBut(const QStringList& except) {
    QStringList cards;
    for (QChar rank : QStringLiteral("A23456789TJQK"))
        for (QChar suit : QStringLiteral("CSDH"))
            if (const QString card = QString(rank) + suit; !except.contains(card))
                cards << card;
    return cards.join(' ');
}

// Golf tables with an empty stock unless given, every other card on the waste below `wasteTop`.
void ArrangeGolf(TGameForm& form, const QString& column1, const QString& wasteTop,
                 const QString& stock = {}) {
    QStringList used = column1.split(' ') + QStringList{wasteTop};
    if (!stock.isEmpty())
        used << QString(stock).remove('*');
    TableKit::Arrange(form,
                      {{"TableauPileView1", column1},
                       {"DeckPileView", stock},
                       {"DiscardPileView", AllBut(used) + ' ' + wasteTop}},
                      QString());
}

// 2C goes on the 3H, then the 4D turned from the stock takes the 5C; turning first loses.
void ArrangeWinnableGolf(TGameForm& form) {
    ArrangeGolf(form, "5C 2C", "3H", "4D*");
}
// Nothing fits the King on the waste, and the stock is empty.
void ArrangeLostGolf(TGameForm& form) {
    ArrangeGolf(form, "5C 9H", "KS");
}

QString StatusOf(const TGameForm& form) {
    return form.SolverLink()->StatusText();
}

} // namespace

// The solver in a game window: the table it reads, the verdict on the status line,
// Hint, and Deal Winnable Games Only.
class TestSolverLink : public QObject {
    Q_OBJECT

    std::unique_ptr<TGameForm> Open(GameFixture& fx, int game, quint32 deal, bool bars = true) {
        fx.Prefs.ShowMenuBar = bars;
        fx.Context.NextDeal = deal;
        return OpenGameWindow(fx, game);
    }

private slots:
    void cleanup() { MouseKit::ResetButtons(); }

    // A fresh deal read from the window is the engine's own start of that deal number:
    // a view named or ordered wrongly, a face or a game field lost, shows here.
    void exportIsTheEnginesDeal_data() {
        QTest::addColumn<int>("game");
        QTest::addColumn<quint32>("deal");
        for (int game = 0; game < GI_COUNT; ++game)
            for (quint32 deal : {7u, 0xCAFEF00Du})
                QTest::addRow("%s, deal %u", GameTable()[game].Section, deal) << game << deal;
    }
    void exportIsTheEnginesDeal() {
        QFETCH(int, game);
        QFETCH(quint32, deal);
        GameFixture fx;
        auto form = Open(fx, game, deal, false);
        QVERIFY(form);
        const TPosition window = form->SolverPosition();
        const TPosition engine = StartPosition(game, deal);
        QCOMPARE(window.Game, engine.Game);
        QCOMPARE(window.Piles.size(), engine.Piles.size());
        for (const TPilePosition& pile : engine.Piles) {
            const std::vector<Card>* shown = window.Pile(pile.View);
            QVERIFY2(shown, pile.View.c_str());
            QCOMPARE(QString::fromStdString(PileText(*shown)), QString::fromStdString(PileText(pile.Cards)));
        }
        QCOMPARE(window.Generator.has_value(), engine.Generator.has_value());
        QCOMPARE(window.Generator.value_or(0), engine.Generator.value_or(0));
        QCOMPARE(window.Pass, engine.Pass);
        QCOMPARE(window.Recycles, engine.Recycles);
        QCOMPARE(window.BaseChosen, engine.BaseChosen);
    }

    void statusShowsTheVerdict_data() {
        QTest::addColumn<int>("game");
        QTest::addColumn<bool>("lost");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("Free Cell, a winnable deal") << int(GI_FREECELL) << false << "Winnable";
        QTest::newRow("Golf, nothing left to play") << int(GI_GOLF) << true << "Not winnable";
    }
    void statusShowsTheVerdict() {
        QFETCH(int, game);
        QFETCH(bool, lost);
        QFETCH(QString, verdict);
        GameFixture fx;
        auto form = Open(fx, game, 2);
        QVERIFY(form);
        if (lost) {
            ArrangeLostGolf(*form);
            form->SolverLink()->TableChanged();
        }
        QTRY_COMPARE(StatusOf(*form), verdict);
    }

    // The verdict follows the table through a move and its Undo; a search started for
    // an older table never shows its verdict for the new one.
    void verdictFollowsTheTable() {
        GameFixture fx;
        auto form = Open(fx, GI_GOLF, 2);
        QVERIFY(form);
        ArrangeWinnableGolf(*form);
        form->SolverLink()->TableChanged();
        QTRY_COMPARE(StatusOf(*form), QStringLiteral("Winnable"));
        form->StockAction(); // the 4D covers the waste: the 2C can never go
        QTRY_COMPARE(StatusOf(*form), QStringLiteral("Not winnable"));
        form->Item("Undo1")->trigger();
        QTRY_COMPARE(StatusOf(*form), QStringLiteral("Winnable"));

        // Hint starts a search at once; the table changes before its verdict arrives.
        ArrangeLostGolf(*form);
        form->SolverLink()->Hint();
        QVERIFY(form->SolverLink()->Busy());
        ArrangeWinnableGolf(*form);
        QTRY_VERIFY(StatusOf(*form) != QStringLiteral("Solving..."));
        QCOMPARE(StatusOf(*form), QStringLiteral("Winnable"));
        // And the hint waiting for it marks the first move of the win: the 2C onto the waste.
        QCOMPARE(form->View("TableauPileView1")->Highlight(), 1);
        QCOMPARE(form->View("DiscardPileView")->Highlight(), form->View("DiscardPileView")->Pile.size() - 1);
        QVERIFY(fx.Messages.Informations.isEmpty());
        // A press anywhere takes the marks away.
        QTest::mouseClick(form->Table(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(form->View("TableauPileView1")->Highlight(), -1);
        QCOMPARE(form->View("DiscardPileView")->Highlight(), -1);
    }

    void hintOnATableWithoutMovesSaysSo() {
        GameFixture fx;
        auto form = Open(fx, GI_GOLF, 2);
        QVERIFY(form);
        ArrangeLostGolf(*form);
        form->SolverLink()->TableChanged();
        QTRY_COMPARE(StatusOf(*form), QStringLiteral("Not winnable"));
        QVERIFY(QTest::qWaitForWindowActive(form.get())); // the shortcut needs the active window
        QTest::keyClick(form.get(), Qt::Key_H);
        QCOMPARE(fx.Messages.Informations, QStringList{"No more moves."});
        for (const TCardPileView* view : form->AllViews())
            QCOMPARE(view->Highlight(), -1);
    }

    // Without a known win Hint still offers a legal move that gets somewhere.
    void hintWithoutAWinOffersALegalMove() {
        GameFixture fx;
        auto form = Open(fx, GI_GOLF, 2);
        QVERIFY(form);
        ArrangeGolf(*form, "9H 5C 4S", "KS", "3D*");
        form->SolverLink()->TableChanged();
        QTRY_COMPARE(StatusOf(*form), QStringLiteral("Not winnable"));
        form->Item("Hint1")->trigger();
        QVERIFY(fx.Messages.Informations.isEmpty());
        QCOMPARE(form->View("DeckPileView")->Highlight(), 0); // turn the 3D: the 4S follows
    }

    // A New Game passes deals the solver does not prove winnable and deals one that it
    // does, under that deal's own number; a deal chosen by number is dealt as asked. (Which
    // deal comes depends on how fast the machine decides the ones before it: the test holds
    // only to what does not.)
    void newGameDealsOnlyWinnableDeals() {
        const auto verdict = [](quint32 deal) { return TSolver(GI_GOLF).SolveDeal(deal).Verdict; };
        // A lost deal whose successor is winnable, so that even a slow build finds a deal to
        // deal well within the tries.
        const auto successor = [](quint32 deal) {
            quint32 next = deal;
            DeckOrder(deal, 1, &next);
            return next;
        };
        quint32 lost = 1;
        while (verdict(lost) != TVerdict::NotWinnable || verdict(successor(lost)) != TVerdict::Winnable)
            ++lost;
        GameFixture fx;
        auto form = Open(fx, GI_GOLF, 3);
        QVERIFY(form);
        QAction* item = form->Item("WinnableOnly1");
        QVERIFY(item->isEnabled() && !item->isChecked());
        item->trigger();
        TRandom::Seed(lost);
        form->Item("NewGame1")->trigger();
        const quint32 dealt = form->DealNumber();
        QVERIFY(dealt != lost);
        QCOMPARE(verdict(dealt), TVerdict::Winnable);
        // One of the deals New Game would have dealt next, in their order.
        quint32 next = lost;
        for (int i = 0; i < TSolverLink::MaxTries && next != dealt; ++i)
            DeckOrder(next, 1, &next);
        QCOMPARE(next, dealt);
        QCOMPARE(QString::fromStdString(PileText(*form->SolverPosition().Pile("DeckPileView"))),
                 QString::fromStdString(PileText(*StartPosition(GI_GOLF, dealt).Pile("DeckPileView"))));
        QTRY_COMPARE(StatusOf(*form), QStringLiteral("Winnable"));

        form->NewNumberedGame(lost);
        QCOMPARE(form->DealNumber(), lost);

        // With the bars off the option sleeps: the sequence's deal comes as before.
        fx.Prefs.ShowMenuBar = false;
        form->Item("Preferences1")->trigger();
        TRandom::Seed(lost);
        form->Item("NewGame1")->trigger();
        QCOMPARE(form->DealNumber(), lost);
    }

    // The key is written when the player changes the option, and read back by the next window.
    void winnableOnlyKeyRoundTrip() {
        GameFixture fx;
        const QString section = QString::fromUtf8(GameTable()[GI_FREECELL].Section);
        auto form = Open(fx, GI_FREECELL, 1);
        QVERIFY(form);
        form.reset();
        TProfile profile = TableKit::Section(section);
        profile.SetEntry("WinnableOnly");
        QCOMPARE(profile.GetText(), QStringLiteral("None"));
        form = Open(fx, GI_FREECELL, 1);
        form->Item("WinnableOnly1")->trigger();
        form.reset();
        QVERIFY(profile.GetState());
        form = Open(fx, GI_FREECELL, 1);
        QVERIFY(form->Item("WinnableOnly1")->isChecked());
        // Where the solver hardly ever decides a deal, the item is greyed.
        auto spider = Open(fx, GI_SPIDER, 1);
        QVERIFY(!spider->Item("WinnableOnly1")->isEnabled());
    }

    // With the bars off no search ever runs: no worker is even made.
    void barsOffRunNothing() {
        GameFixture fx;
        auto form = Open(fx, GI_FREECELL, 2, false);
        QVERIFY(form);
        form->DoubleClickAction(form->View("TableauPileView1"));
        form->Item("Undo1")->trigger();
        form->Item("NewGame1")->trigger();
        QTest::qWait(150);
        QVERIFY(form->findChildren<TAsyncSolver*>().isEmpty());
        QVERIFY(!form->actions().contains(form->Item("Hint1")));
    }
};

QTEST_MAIN(TestSolverLink)
#include "tst_solverlink.moc"
