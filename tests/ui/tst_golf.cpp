#include "cards/TCard.h"
#include "games/golf/TGolfForm.h"
#include "games/golf/TsGolfForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QTest>

using TableKit::CardPoint;

// Golf played through its real window with synthetic mouse input.
class TestGolf : public QObject, GameWindowTest<TGolfForm, TsGolfForm> {
    Q_OBJECT

    QAction* KingStops() const { return form->Item("KingStopsSequence1"); }

private slots:
    void init() { Start(4242); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // The deal's own turn is move 1, which Undo takes back face down; the caption stays "Golf" till then.
    void dealTurnsTheFirstCardAsAnUndoableMove() {
        const QList<TCard*>& deck = form->SavedDeal().Cards;
        QCOMPARE(form->Tableau()[6]->Pile.Cards,
                 (QList<TCard*>{deck[45], deck[38], deck[31], deck[24], deck[17]}));
        QCOMPARE(form->Waste()->Pile.Cards, QList<TCard*>{deck[16]});
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("16"));
        QCOMPARE(form->MoveCount(), 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Golf"));
        QCOMPARE(form->maximumSize(), QSize(700, 430));
        form->Undo1Click();
        QVERIFY(form->Waste()->Pile.isEmpty() && !deck[16]->FaceUp);
        QCOMPARE(form->Stock()->Pile.Top(), deck[16]);
        QCOMPARE(form->MoveCount(), 0);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        QVERIFY(KingStops()->isEnabled()); // Undo is no play
        const QString deal = TableKit::Snapshot(*form);
        fx->Sounds->Clear();
        form->NewGame1Click(form->Item("Restart1"));
        QCOMPARE(fx->Sounds->Names(), (QStringList{"RESTART", "STOCK"}));
        form->Undo1Click();
        QCOMPARE(TableKit::Snapshot(*form), deal);
    }

    void clickPlaysOntoTheWaste_data() {
        QTest::addColumn<QString>("waste");
        QTest::addColumn<QString>("card");
        QTest::addColumn<bool>("kingStops");
        QTest::addColumn<bool>("plays");
        QTest::addColumn<bool>("lifts"); // a refused card may still be lifted, only to come back
        const auto row = [](const char* name, QString waste, QString card, bool kingStops, bool plays,
                            bool lifts) {
            QTest::newRow(name) << waste << card << kingStops << plays << lifts;
        };
        row("6 on a 7", "7D", "6S", true, true, false);
        row("8 on a 7", "7D", "8H", true, true, false);
        row("7 on a 7", "7D", "7C", true, false, true);
        row("2 on an Ace", "AH", "2C", true, true, false);
        row("no King on an Ace", "AH", "KC", false, false, false);
        row("Ace on a 2", "2S", "AD", true, true, false);
        row("nothing on a stopping King", "KS", "QH", true, false, true);
        row("Queen on an open King", "KS", "QH", false, true, false);
        row("no Ace on an open King", "KS", "AC", false, false, false);
    }
    // A column's top card goes onto the waste at once, one rank either way, no wrap; Undo returns it.
    void clickPlaysOntoTheWaste() {
        QFETCH(QString, waste);
        QFETCH(QString, card);
        QFETCH(bool, kingStops);
        QFETCH(bool, plays);
        QFETCH(bool, lifts);
        if (!kingStops)
            KingStops()->trigger();
        TableKit::Arrange(*form, {{"DiscardPileView", "9D " + waste}, {"TableauPileView3", "9C " + card}},
                          "DeckPileView");
        const QString before = TableKit::Snapshot(*form);
        fx->Sounds->Clear();
        TCardPileView* column = V("TableauPileView3");
        MouseKit::Click(column, CardPoint(column, 1));
        QCOMPARE(Pile("DiscardPileView"), "9D " + waste + (plays ? " " + card : QString()));
        QCOMPARE(form->MoveCount(), plays ? 2 : 1);
        // Only a play runs the after-move routine; until then the caption is the deal's.
        QCOMPARE(form->windowTitle(), plays ? QStringLiteral("Golf   Score: 3") : QStringLiteral("Golf"));
        QVERIFY(fx->Sounds->Empty());
        QCOMPARE(column->DragPermission, lifts);
        if (plays)
            form->Undo1Click();
        QCOMPARE(TableKit::Snapshot(*form), before);
    }

    // The option locks at the first press on any column card or the stock and opens with the next deal;
    // the middle button on a column turns the stock, and an empty stock changes nothing.
    void optionLocksAtTheFirstPlay() {
        KingStops()->trigger();
        QCOMPARE(TableKit::Section("Golf").Read("KingStopsSequence"), QStringLiteral("False"));
        const QString before = TableKit::Snapshot(*form);
        MouseKit::Click(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0)); // a buried card
        QCOMPARE(TableKit::Snapshot(*form), before);
        QVERIFY(!KingStops()->isEnabled());
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(KingStops()->isEnabled() && !KingStops()->isChecked());
        MouseKit::Click(V("TableauPileView2"), QPoint(20, 20), Qt::MiddleButton);
        QCOMPARE(form->Stock()->Pile.size(), 15);
        QVERIFY(!KingStops()->isEnabled());
        TableKit::Arrange(*form, {{"DiscardPileView", "5H"}, {"TableauPileView1", "9S"}}, "");
        MouseKit::Click(V("DeckPileView"), QPoint(20, 20));
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("5H"));
        QCOMPARE(form->MoveCount(), 2);
    }

    // Undo pressed during a drag first puts the lifted card home, so its column keeps its order.
    void undoDuringADragKeepsTheColumnInOrder() {
        TableKit::Arrange(*form, {{"DiscardPileView", "9D 7D"}, {"TableauPileView3", "9C JC 6S"}},
                          "DeckPileView");
        TCardPileView* column = V("TableauPileView3");
        MouseKit::Click(column, CardPoint(column, 2));
        const QPoint jack = CardPoint(column, 1);
        MouseKit::Press(column, jack);
        MouseKit::Move(column, jack + QPoint(20, 20));
        QVERIFY(column->IsDragging());
        form->activateWindow();
        QTest::keyClick(form->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
        MouseKit::Release(column, jack + QPoint(20, 20));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("9C JC 6S"));
    }

    // Empty columns are not enough: the win needs all 52 on the waste, is recorded once, and a win by
    // the stock whose window deals a new game leaves that game's option open.
    void winNeedsEveryCardOnTheWaste() {
        QStringList waste;
        for (TCard* card : form->SavedDeal().Cards)
            if (const QString name = TableKit::Name(card).remove('*');
                name != "5H" && name != "6S" && name != "7D")
                waste << name;
        TableKit::Arrange(*form, {{"DiscardPileView", waste.join(' ') + " 5H"}, {"TableauPileView4", "6S"}},
                          "DeckPileView");
        GameAccess::SetMoves(form, 10);
        MouseKit::Click(V("TableauPileView4"), CardPoint(V("TableauPileView4"), 0));
        QVERIFY(!form->GameOver());
        form->DeckPileViewClick();
        QVERIFY(form->GameOver() && !form->Item("Undo1")->isEnabled());
        form->DeckPileViewClick();
        QCOMPARE(fx->WinWindows, 1);
        QCOMPARE(TableKit::Section("Golf").Read("GamesWon"), QStringLiteral("1"));

        form->NewGame1Click(form->Item("Restart1"));
        TableKit::Arrange(*form, {{"DiscardPileView", waste.join(' ') + " 5H 6S"}}, "DeckPileView");
        fx->WinAnswer = TAppContext::WinNewGame;
        form->DeckPileViewClick();
        QCOMPARE(fx->WinWindows, 2);
        QCOMPARE(form->MoveCount(), 1);
        QVERIFY(KingStops()->isEnabled());
    }
};

QTEST_MAIN(TestGolf)
#include "tst_golf.moc"
