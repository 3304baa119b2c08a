#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/TCardUndo.h"
#include "games/seatowers/TSeaHavenForm.h"
#include "games/seatowers/TsSeaHavenForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using TableKit::CardPoint;
using TableKit::Describe;
using TableKit::DragCard;

// Sea Towers played through its real window with synthetic mouse input.
class TestSeaTowers : public QObject, GameWindowTest<TSeaHavenForm, TsSeaHavenForm> {
    Q_OBJECT

private slots:
    void init() { Start(2323, false); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // Ten columns of five face up; the last two cards start in cells 2 and 3, cells 1 and 4 stay empty.
    void dealFillsTenColumnsAndTheMiddleCells() {
        const QList<TCard*>& deck = form->SavedDeal().Cards;
        QCOMPARE(deck.size(), 52);
        for (int c = 0; c < 10; ++c) {
            TCardPileView* column = form->Tableau()[c];
            QCOMPARE(column->Pile.size(), 5);
            for (int r = 0; r < 5; ++r) {
                QCOMPARE(column->Pile.CardAt(r), deck[51 - (10 * r + c)]);
                QVERIFY(column->Pile.CardAt(r)->FaceUp);
            }
        }
        QVERIFY(V("FreePileView1")->Pile.isEmpty());
        QVERIFY(V("FreePileView4")->Pile.isEmpty());
        QCOMPARE(V("FreePileView2")->Pile.size(), 1);
        QCOMPARE(V("FreePileView2")->Pile.Top(), deck[0]);
        QCOMPARE(V("FreePileView3")->Pile.Top(), deck[1]);
        QVERIFY(deck[0]->FaceUp && deck[1]->FaceUp);
        QCOMPARE(form->windowTitle(), QStringLiteral("Sea Towers"));
        QCOMPARE(form->Foundations().size(), 4);
        QCOMPARE(form->Foundations()[2]->objectName(), QStringLiteral("FoundPileView3"));

        const QString before = TableKit::Snapshot(*form);
        form->DoubleClickAction(form->Tableau()[4]);
        QCOMPARE(form->MoveCount(), 1);
        form->NewGame1Click(form->Item("Redeal1"));
        QCOMPARE(TableKit::Snapshot(*form), before);
        fx->Sounds->Clear();
        GameAccess::Redeal(form, false, true);
        QCOMPARE(fx->Sounds->Names(), QStringList{"RESTART"}); // also when quiet
        QCOMPARE(TableKit::Snapshot(*form), before);
        fx->Prefs.DoAnimation = true;
        fx->Sounds->Clear();
        form->NewGame1Click(form->Item("NewGame1"));
        QCOMPARE(fx->Sounds->Count("DEAL"), 5);
        QVERIFY(TableKit::Snapshot(*form) != before);
        // The menu and the rules are the game's own.
        QCOMPARE(form->PopupMenu()->actions().size(), 9);
        QCOMPARE(form->Item("Redeal1")->text(), QStringLiteral("&Restart"));
        form->About1Click();
        QCOMPARE(fx->HelpTopics, QList<int>{1011});
    }

    // Runs move in suit, one more card than there are empty cells: three with two empty cells, not four.
    void runsInSuitAreLimitedByTheEmptyCells() {
        TableKit::Arrange(*form,
                          {{"FreePileView2", "2C"},
                           {"FreePileView3", "3C"},
                           {"TableauPileView1", "KS 9H 8H 7H"},
                           {"TableauPileView2", "TH"},
                           {"TableauPileView3", "5D 9S 8S 7S 6S"},
                           {"TableauPileView4", "TS"},
                           {"TableauPileView5", "9D 8C"},
                           {"TableauPileView6", "TD"},
                           {"TableauPileView7", "9C"}},
                          "");
        DragCard(V("TableauPileView3"), 1, V("TableauPileView4"));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("5D 9S 8S 7S 6S"));
        DragCard(V("TableauPileView5"), 0, V("TableauPileView6")); // not in suit
        QCOMPARE(Pile("TableauPileView5"), QStringLiteral("9D 8C"));
        QCOMPARE(form->MoveCount(), 0);
        DragCard(V("TableauPileView1"), 1, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("TH 9H 8H 7H"));
        QCOMPARE(form->MoveCount(), 1);
        // The 8 of clubs goes on the 9 of clubs only.
        DragCard(V("TableauPileView5"), 1, V("TableauPileView7"));
        QCOMPARE(Pile("TableauPileView7"), QStringLiteral("9C 8C"));
    }

    // With every cell full only top cards move, even with empty columns; an empty column takes only a King.
    void emptyColumnsTakeKingsAndDoNotRaiseTheLimit() {
        TableKit::Arrange(*form,
                          {{"FreePileView1", "2C"},
                           {"FreePileView2", "3C"},
                           {"FreePileView3", "4C"},
                           {"FreePileView4", "5C"},
                           {"TableauPileView1", "JD KH"},
                           {"TableauPileView3", "KC QC"}},
                          "");
        DragCard(V("TableauPileView3"), 0, V("TableauPileView4"));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("KC QC"));
        DragCard(V("TableauPileView3"), 1, V("TableauPileView4")); // a Queen never
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("KC QC"));
        DragCard(V("TableauPileView1"), 1, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("KH"));
        QCOMPARE(form->MoveCount(), 1);

        // With two empty cells a run of three headed by a King goes in.
        TableKit::Arrange(*form,
                          {{"FreePileView2", "2C"},
                           {"FreePileView3", "3C"},
                           {"TableauPileView1", "KD QD JD"},
                           {"TableauPileView3", "QS"}},
                          "");
        DragCard(V("TableauPileView1"), 0, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("KD QD JD"));
        DragCard(V("TableauPileView3"), 0, V("TableauPileView4"));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("QS"));
    }

    // A free cell's card goes to a column where it fits in suit, or into an empty column if it is a King.
    void cellCardsFollowTheColumnRules() {
        TableKit::Arrange(*form,
                          {{"FreePileView1", "6H"},
                           {"FreePileView2", "KS"},
                           {"FreePileView3", "6S"},
                           {"TableauPileView1", "7H"},
                           {"TableauPileView3", "7D"}},
                          "");
        DragCard(V("FreePileView1"), 0, V("TableauPileView3")); // another suit
        DragCard(V("FreePileView1"), 0, V("TableauPileView2")); // not a King
        QCOMPARE(Pile("FreePileView1"), QStringLiteral("6H"));
        DragCard(V("FreePileView1"), 0, V("TableauPileView1"));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("7H 6H"));
        DragCard(V("FreePileView2"), 0, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("KS"));
        DragCard(V("FreePileView3"), 0, V("FreePileView4"));
        QCOMPARE(Pile("FreePileView4"), QStringLiteral("6S"));
        // Runs never go to a cell.
        DragCard(V("TableauPileView1"), 0, V("FreePileView1"));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("7H 6H"));
        QCOMPARE(form->MoveCount(), 3);
    }

    // Double-click: the foundation first, else the first empty cell, else nothing; Smart Dragging tries
    // columns then foundations.
    void doubleClickAndSmartDragging() {
        TableKit::Arrange(*form,
                          {{"FreePileView2", "2C"},
                           {"FreePileView3", "3C"},
                           {"TableauPileView1", "9S AC"},
                           {"TableauPileView2", "TH"},
                           {"TableauPileView4", "KD"}},
                          "");
        MouseKit::DoubleClick(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 1));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AC"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Sea Towers   Score: 1"));
        MouseKit::DoubleClick(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0));
        QCOMPARE(Pile("FreePileView1"), QStringLiteral("9S"));
        MouseKit::DoubleClick(V("TableauPileView2"), CardPoint(V("TableauPileView2"), 0));
        QCOMPARE(Pile("FreePileView4"), QStringLiteral("TH"));
        MouseKit::DoubleClick(V("TableauPileView4"), CardPoint(V("TableauPileView4"), 0)); // all cells full
        QCOMPARE(Pile("TableauPileView4"), QStringLiteral("KD"));
        QCOMPARE(form->MoveCount(), 3);
        QCOMPARE(fx->Sounds->Count("AUTOPLAY"), 1);
        form->Undo1Click();
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("TH"));
        QCOMPARE(form->MoveCount(), 2);

        fx->Prefs.SmartDragging = true;
        TableKit::Arrange(*form,
                          {{"TableauPileView3", "KH"},
                           {"TableauPileView5", "7D"},
                           {"TableauPileView6", "8D"},
                           {"TableauPileView7", "AH"}},
                          "");
        DragCard(V("TableauPileView5"), 0, form, TableKit::BareAbove(V("TableauPileView5")));
        QCOMPARE(Pile("TableauPileView6"), QStringLiteral("8D 7D"));
        DragCard(V("TableauPileView3"), 0, form, TableKit::BareAbove(V("TableauPileView3")));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("KH")); // the first empty column
        DragCard(V("TableauPileView7"), 0, form, TableKit::BareAbove(V("TableauPileView7")));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AH"));
    }

    // Autoplay visits the cells before the columns, and an undone automatic move waits for the next move.
    void autoplayAndUndo() {
        form->Autoplay1Click();
        QCOMPARE(TableKit::Section("SeaHavenTowers").Read("Autoplay"), QStringLiteral("True"));
        TableKit::Arrange(*form,
                          {{"FreePileView3", "AD"},
                           {"TableauPileView1", "AS"},
                           {"TableauPileView2", "6H"},
                           {"TableauPileView3", "7H"},
                           {"TableauPileView4", "2D 9C"},
                           {"TableauPileView5", "TC"}},
                          "");
        DragCard(V("TableauPileView2"), 0, V("TableauPileView3"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AD"));
        QCOMPARE(Pile("FoundPileView2"), QStringLiteral("AS"));
        QCOMPARE(form->MoveCount(), 3);
        DragCard(V("TableauPileView4"), 1, V("TableauPileView5"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AD 2D"));
        form->Undo1Click();
        QCOMPARE(Pile("TableauPileView4"), QStringLiteral("2D"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AD"));
        form->Undo1Click();
        QCOMPARE(Pile("TableauPileView4"), QStringLiteral("2D 9C"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AD"));
        QCOMPARE(form->MoveCount(), 3);
        DragCard(V("TableauPileView4"), 1, V("TableauPileView5"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AD 2D"));
    }

    // Thresholds: 4 moves close without a question or a record; 5 ask; New Game and Restart ask from 6.
    void confirmationThresholds() {
        GameAccess::SetMoves(form, 4);
        QVERIFY(form->FormCloseQuery());
        GameAccess::SetMoves(form, 5);
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(fx->Messages.Asked.isEmpty());
        GameAccess::SetMoves(form, 6);
        fx->Messages.Answer = false;
        form->NewGame1Click(form->Item("Redeal1"));
        QCOMPARE(fx->Messages.Asked, QStringList{"Restart this game of Sea Towers?"});
        GameAccess::SetMoves(form, 5);
        QVERIFY(!form->FormCloseQuery());
        QCOMPARE(fx->Messages.Asked.last(), QStringLiteral("Quit this game of Sea Towers?"));
        QCOMPARE(TableKit::Section("SeaHavenTowers").Read("GamesAttempted"), QStringLiteral("None"));
        fx->Messages.Answer = true;
        QVERIFY(form->FormCloseQuery());
        QCOMPARE(TableKit::Section("SeaHavenTowers").Read("GamesAttempted"), QStringLiteral("1"));
        GameAccess::SetMoves(form, 0);
    }

    // A prepared table is won through the window and recorded once.
    void fullGameIsWonThroughTheWindow() {
        TableKit::Arrange(*form,
                          {{"TableauPileView1", "KC QC JC TC 9C 8C 7C 6C 5C 4C 3C 2C"},
                           {"TableauPileView2", "KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S"},
                           {"TableauPileView3", "KD QD JD TD 9D 8D 7D 6D 5D 4D 3D 2D"},
                           {"TableauPileView4", "KH QH JH TH 9H 8H 7H 6H 5H 4H 3H 2H"},
                           {"TableauPileView5", "AH"},
                           {"FreePileView1", "AC"},
                           {"FreePileView2", "AS"},
                           {"FreePileView3", "AD"}},
                          "");
        DragCard(V("TableauPileView5"), 0, V("FoundPileView3"));
        QCOMPARE(Pile("FoundPileView3"), QStringLiteral("AH"));
        form->Autoplay1Click();
        MouseKit::DoubleClick(V("TableauPileView4"), CardPoint(V("TableauPileView4"), 11));
        QCOMPARE(form->ComputeScore(), 52);
        QVERIFY(form->GameOver());
        QCOMPARE(fx->WinWindows, 1);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        QCOMPARE(form->windowTitle(), QStringLiteral("Sea Towers   Score: 52"));
        QCOMPARE(TableKit::Section("SeaHavenTowers").Read("GamesWon"), QStringLiteral("1"));
        QVERIFY(form->FormCloseQuery());
        QVERIFY(fx->Messages.Asked.isEmpty());
    }

    // Both card sizes open with their own layout and size rule.
    void bothCardSizesOpenWithTheirLayouts() {
        QCOMPARE(form->width(), 887);
        QCOMPARE(V("FoundPileView2")->geometry(), QRect(96, 8, 80, 125));
        QCOMPARE(V("FreePileView1")->geometry(), QRect(272, 8, 80, 125));
        QCOMPARE(V("FoundPileView3")->geometry(), QRect(712, 8, 80, 125));
        QCOMPARE(V("TableauPileView10")->geometry(), QRect(800, 140, 80, 429));
        form->resize(887, 650);
        QCOMPARE(V("TableauPileView10")->height(), 650 - 142);

        ReopenSmall();
        QCOMPARE(form->width(), 725);
        QCOMPARE(V("FreePileView4")->geometry(), QRect(426, 8, 61, 95));
        QCOMPARE(V("FoundPileView4")->geometry(), QRect(656, 8, 61, 95));
        QCOMPARE(V("TableauPileView10")->geometry(), QRect(656, 108, 61, 370));
        QCOMPARE(V("TableauPileView10")->YOffset, 16.0f);
        form->resize(725, 520);
        QCOMPARE(V("TableauPileView10")->height(), 520 - 110);
        TableKit::Arrange(*form, {{"TableauPileView1", "5H"}, {"TableauPileView2", "6H"}}, "");
        DragCard(V("TableauPileView1"), 0, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("6H 5H"));
    }
};

QTEST_MAIN(TestSeaTowers)
#include "tst_seatowers.moc"
