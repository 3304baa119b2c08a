#include "cards/TCard.h"
#include "games/golf/TGolfForm.h"
#include "games/golf/TsGolfForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using TableKit::CardPoint;

// Golf played through its real window with synthetic mouse input.
class TestGolf : public QObject, GameWindowTest<TGolfForm, TsGolfForm> {
    Q_OBJECT

    QAction* KingStops() const { return form->Item("KingStopsSequence1"); }

private slots:
    void init() { Start(4242); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // Seven columns of five in rounds; the deal's own turn is move 1, which Undo takes back, and the
    // caption stays "Golf" until then.
    void dealTurnsTheFirstCardAsAnUndoableMove() {
        const QList<TCard*>& deck = form->SavedDeal().Cards;
        for (int c = 0; c < 7; ++c)
            for (int r = 0; r < 5; ++r)
                QCOMPARE(form->Tableau()[c]->Pile.CardAt(r), deck[51 - (7 * r + c)]);
        QCOMPARE(form->Waste()->Pile.Cards, QList<TCard*>{deck[16]});
        QVERIFY(deck[16]->FaceUp);
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("16"));
        QCOMPARE(form->MoveCount(), 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Golf"));
        QVERIFY(form->Item("Undo1")->isEnabled());
        QCOMPARE(form->minimumSize(), QSize(700, 430));
        QCOMPARE(form->maximumSize(), QSize(700, 430));

        form->Undo1Click();
        QVERIFY(form->Waste()->Pile.isEmpty());
        QCOMPARE(form->Stock()->Pile.Top(), deck[16]);
        QVERIFY(!deck[16]->FaceUp);
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("17"));
        QCOMPARE(form->MoveCount(), 0);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        QVERIFY(KingStops()->isEnabled()); // Undo is no play

        const QString deal = TableKit::Snapshot(*form);
        fx->Sounds->Clear();
        form->NewGame1Click(form->Item("Restart1"));
        QCOMPARE(fx->Sounds->Names(), (QStringList{"RESTART", "STOCK"}));
        form->Undo1Click();
        QCOMPARE(TableKit::Snapshot(*form), deal);
        fx->Sounds->Clear();
        GameAccess::Redeal(form, true, true);
        QCOMPARE(fx->Sounds->Names(), QStringList{}); // a quiet deal turns its card silently

        QStringList items;
        for (QAction* action : form->PopupMenu()->actions())
            items << action->objectName();
        QCOMPARE(items, (QStringList{"Undo1", "", "KingStopsSequence1", "", "NewGame1", "Restart1",
                                     "Preferences1", "About1", "Statistics1"}));
        form->About1Click();
        QCOMPARE(fx->HelpTopics, QList<int>{1005});
    }

    void clickPlaysOntoTheWaste_data() {
        QTest::addColumn<QString>("waste");
        QTest::addColumn<QString>("card");
        QTest::addColumn<bool>("kingStops");
        QTest::addColumn<bool>("plays");
        QTest::addColumn<bool>("lifts"); // an illegal press still lets the card be dragged back and forth
        QTest::newRow("6 on a 7") << "7D"
                                  << "6S" << true << true << false;
        QTest::newRow("8 on a 7") << "7D"
                                  << "8H" << true << true << false;
        QTest::newRow("7 on a 7") << "7D"
                                  << "7C" << true << false << true;
        QTest::newRow("2 on an Ace") << "AH"
                                     << "2C" << true << true << false;
        QTest::newRow("no King on an Ace") << "AH"
                                           << "KC" << false << false << false;
        QTest::newRow("Ace on a 2") << "2S"
                                    << "AD" << true << true << false;
        QTest::newRow("King on a Queen") << "QC"
                                         << "KD" << true << true << false;
        QTest::newRow("nothing on a stopping King") << "KS"
                                                    << "QH" << true << false << true;
        QTest::newRow("Queen on an open King") << "KS"
                                               << "QH" << false << true << false;
        QTest::newRow("no Ace on an open King") << "KS"
                                                << "AC" << false << false << false;
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
        QCOMPARE(form->KingStopsSequence(), kingStops);
        TableKit::Arrange(*form, {{"DiscardPileView", "9D " + waste}, {"TableauPileView3", "9C " + card}},
                          "DeckPileView");
        const QString before = TableKit::Snapshot(*form);
        fx->Sounds->Clear();
        TCardPileView* column = V("TableauPileView3");
        MouseKit::Click(column, CardPoint(column, 1));
        QCOMPARE(Pile("TableauPileView3"), plays ? QStringLiteral("9C") : "9C " + card);
        QCOMPARE(Pile("DiscardPileView"), "9D " + waste + (plays ? " " + card : QString()));
        QCOMPARE(form->MoveCount(), plays ? 2 : 1);
        // Only a play runs the after-move routine; until then the caption is the deal's.
        QCOMPARE(form->windowTitle(), plays ? QStringLiteral("Golf   Score: 3") : QStringLiteral("Golf"));
        QVERIFY(fx->Sounds->Empty());
        QCOMPARE(column->DragPermission, lifts);
        if (plays) {
            form->Undo1Click();
            QCOMPARE(TableKit::Snapshot(*form), before);
        }
    }

    // The option locks at the first press on any column card or the stock and opens with the next deal.
    void kingStopsSequenceLocksAtTheFirstPlay() {
        KingStops()->trigger();
        QCOMPARE(TableKit::Section("Golf").Read("KingStopsSequence"), QStringLiteral("False"));
        TCardPileView* column = V("TableauPileView1");
        const QString before = TableKit::Snapshot(*form);
        MouseKit::Click(column, CardPoint(column, 0)); // a buried card plays nothing
        QCOMPARE(TableKit::Snapshot(*form), before);
        QVERIFY(!KingStops()->isEnabled());
        KingStops()->trigger();
        QVERIFY(!form->KingStopsSequence());
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(KingStops()->isEnabled());
        MouseKit::Click(V("DeckPileView"), QPoint(20, 20));
        QVERIFY(!KingStops()->isEnabled());
        ReopenSmall(); // the stored choice, on a window that cannot be resized
        QVERIFY(!form->KingStopsSequence() && !KingStops()->isChecked());
        QCOMPARE(V("TableauPileView7")->geometry(), QRect(504, 8, 61, 200));
        QCOMPARE(form->minimumSize(), QSize(585, 340));
        QCOMPARE(form->maximumSize(), QSize(585, 340));
    }

    // The stock turns by a click, the space bar and the middle button on columns, waste and table;
    // an empty stock changes nothing on the table.
    void stockTurnsFromEverywhere() {
        form->activateWindow();
        MouseKit::Click(V("TableauPileView2"), QPoint(20, 20), Qt::MiddleButton);
        MouseKit::Click(V("DiscardPileView"), QPoint(20, 20), Qt::MiddleButton);
        MouseKit::Click(form, QPoint(690, 280), Qt::MiddleButton);
        QTest::keyClick(form->windowHandle(), Qt::Key_Space);
        MouseKit::Click(V("DiscardPileView"), CardPoint(V("DiscardPileView"), 0)); // the waste is no source
        QCOMPARE(form->Stock()->Pile.size(), 12);
        QCOMPARE(form->Waste()->Pile.size(), 5);
        QCOMPARE(form->MoveCount(), 5);
        TableKit::Arrange(*form, {{"DiscardPileView", "5H"}, {"TableauPileView1", "9S"}}, "");
        const QString before = TableKit::Snapshot(*form);
        MouseKit::Click(V("DeckPileView"), QPoint(20, 20));
        QCOMPARE(TableKit::Snapshot(*form), before);
        QCOMPARE(form->MoveCount(), 5);
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
        QCOMPARE(form->ComputeScore(), 51);
        QVERIFY(!form->GameOver());
        form->DeckPileViewClick();
        QVERIFY(form->GameOver());
        QCOMPARE(fx->WinWindows, 1);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        form->DeckPileViewClick();
        MouseKit::Click(form, QPoint(690, 280), Qt::MiddleButton);
        QCOMPARE(fx->WinWindows, 1);
        QCOMPARE(TableKit::Section("Golf").Read("GamesWon"), QStringLiteral("1"));

        form->NewGame1Click(form->Item("Restart1"));
        TableKit::Arrange(*form, {{"DiscardPileView", waste.join(' ') + " 5H 6S"}}, "DeckPileView");
        GameAccess::SetMoves(form, 10);
        fx->WinAnswer = TAppContext::WinNewGame;
        form->DeckPileViewClick();
        QCOMPARE(fx->WinWindows, 2);
        QVERIFY(!form->GameOver());
        QCOMPARE(form->MoveCount(), 1);
        QVERIFY(KingStops()->isEnabled());
    }
};

QTEST_MAIN(TestGolf)
#include "tst_golf.moc"
