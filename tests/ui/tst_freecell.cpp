#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/TCardUndo.h"
#include "games/freecell/TFreeCellForm.h"
#include "games/freecell/TsFreeCellForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using TableKit::CardPoint;
using TableKit::Describe;
using TableKit::DragCard;

// Free Cell played through its real window with synthetic mouse input.
class TestFreeCell : public QObject, GameWindowTest<TFreeCellForm, TsFreeCellForm> {
    Q_OBJECT

private slots:
    void init() { Start(1717, false); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // The deal gives seven cards to columns 1-4 and six to 5-8, face up, from the top of the stock in turn.
    void dealFillsEightColumnsFaceUpAndRestartRepeatsIt() {
        const QList<TCard*>& deck = form->SavedDeal().Cards;
        QCOMPARE(deck.size(), 52);
        for (int c = 0; c < 8; ++c) {
            TCardPileView* column = form->Tableau()[c];
            QCOMPARE(column->Pile.size(), c < 4 ? 7 : 6);
            for (int r = 0; r < column->Pile.size(); ++r) {
                QCOMPARE(column->Pile.CardAt(r), deck[51 - (8 * r + c)]);
                QVERIFY(column->Pile.CardAt(r)->FaceUp);
            }
        }
        for (TCardPileView* cell : form->FreeCells() + form->Foundations())
            QVERIFY(cell->Pile.isEmpty());
        QCOMPARE(form->windowTitle(), QStringLiteral("FreeCell"));
        QCOMPARE(form->MoveCount(), 0);
        QVERIFY(fx->Sounds->Empty()); // the first deal is quiet

        const QString before = TableKit::Snapshot(*form);
        form->DoubleClickAction(form->Tableau()[0]);
        QVERIFY(form->MoveCount() > 0);
        form->NewGame1Click(form->Item("Redeal1"));
        QCOMPARE(TableKit::Snapshot(*form), before);
        QCOMPARE(form->MoveCount(), 0);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        QCOMPARE(fx->Sounds->Names().last(), QStringLiteral("RESTART"));
        // A quiet restart still plays its sound; a quiet new game plays nothing.
        fx->Sounds->Clear();
        GameAccess::Redeal(form, false, true);
        QCOMPARE(fx->Sounds->Names(), QStringList{"RESTART"});
        // An animated new deal plays a shuffle and one deal sound per round, the short seventh too.
        fx->Prefs.DoAnimation = true;
        fx->Sounds->Clear();
        form->NewGame1Click(form->Item("NewGame1"));
        QCOMPARE(fx->Sounds->Count("SHUFFLE"), 1);
        QCOMPARE(fx->Sounds->Count("DEAL"), 7);
        QVERIFY(TableKit::Snapshot(*form) != before);
    }

    // The popup menu holds its items in order with their captions and shortcuts.
    void menuListsItsCommandsInOrder() {
        QStringList names;
        QStringList captions;
        for (QAction* action : form->PopupMenu()->actions()) {
            names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
            captions << action->text() + QLatin1Char('|') + action->shortcut().toString();
        }
        QCOMPARE(names, (QStringList{"Undo1", "-", "Autoplay1", "-", "NewGame1", "Redeal1", "Preferences1",
                                     "About1", "Statistics1"}));
        QCOMPARE(captions, (QStringList{"&Undo|Ctrl+Z", "|", "&Autoplay|Ctrl+A", "|", "&New Game|Ctrl+N",
                                        "&Restart|Ctrl+R", "&Preferences...|Ctrl+P", "Rul&es...|F1",
                                        "&Statistics...|Ctrl+S"}));
        QVERIFY(form->Item("Autoplay1")->isCheckable());
        QVERIFY(!form->Item("Autoplay1")->isChecked()); // absent key: off
        form->Autoplay1Click();
        QCOMPARE(TableKit::Section("FreeCell").Read("Autoplay"), QStringLiteral("True"));
        form->About1Click();
        QCOMPARE(fx->HelpTopics, QList<int>{1004});
    }

    // No free cell and no empty column: a run of two stays; the top card alone still moves.
    void withoutFreeSpaceOnlySingleCardsMove() {
        TableKit::Arrange(*form,
                          {{"FreePileView1", "KS"},
                           {"FreePileView2", "KH"},
                           {"FreePileView3", "KD"},
                           {"FreePileView4", "KC"},
                           {"TableauPileView1", "9S 8H"},
                           {"TableauPileView2", "TD"},
                           {"TableauPileView3", "9C"},
                           {"TableauPileView4", "QH"},
                           {"TableauPileView5", "QD"},
                           {"TableauPileView6", "QC"},
                           {"TableauPileView7", "JS"},
                           {"TableauPileView8", "JH"}},
                          "");
        DragCard(V("TableauPileView1"), 0, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("9S 8H"));
        QCOMPARE(form->MoveCount(), 0);
        DragCard(V("TableauPileView1"), 1, V("TableauPileView3"));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("9C 8H"));
        QCOMPARE(form->MoveCount(), 1);
    }

    // Four empty cells and no empty column: five cards move onto a column, six do not.
    void fourFreeCellsLetFiveCardsMove() {
        TableKit::Arrange(*form,
                          {{"TableauPileView1", "9S 8H 7C 6D 5S"},
                           {"TableauPileView2", "TD"},
                           {"TableauPileView3", "KH QC JD TS 9D 8C 7H"},
                           {"TableauPileView4", "KD"},
                           {"TableauPileView5", "2C"},
                           {"TableauPileView6", "3C"},
                           {"TableauPileView7", "4C"},
                           {"TableauPileView8", "5C"}},
                          "");
        DragCard(V("TableauPileView1"), 0, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("TD 9S 8H 7C 6D 5S"));
        QCOMPARE(form->MoveCount(), 1);
        QCOMPARE(form->UndoRecord().Count(), 1);
        // Column 1 is empty now, so the limit is (4 + 1) x (1 + 1): the six cards can go.
        form->Undo1Click();
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("9S 8H 7C 6D 5S"));
        DragCard(V("TableauPileView3"), 1, V("TableauPileView4"));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("KH QC JD TS 9D 8C 7H"));
        QCOMPARE(form->MoveCount(), 0);
    }

    // Two empty cells and one empty column: six cards onto a column, but only three into the empty one.
    void emptyColumnTakesFewerCardsThanAFilledOne() {
        TableKit::Arrange(*form,
                          {{"FreePileView1", "AS"},
                           {"FreePileView2", "AH"},
                           {"TableauPileView1", "KH QC JD TS 9D 8C 7H"},
                           {"TableauPileView2", "KD"},
                           {"TableauPileView3", "8S 7D 6C 5H"},
                           {"TableauPileView4", "2C"},
                           {"TableauPileView5", "3C"},
                           {"TableauPileView6", "4C"},
                           {"TableauPileView7", "5C"}},
                          "");
        DragCard(V("TableauPileView1"), 1, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("KD QC JD TS 9D 8C 7H"));
        QCOMPARE(form->MovableLimit(), 3);
        DragCard(V("TableauPileView3"), 0, V("TableauPileView8"));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("8S 7D 6C 5H"));
        QVERIFY(V("TableauPileView8")->Pile.isEmpty());
        QCOMPARE(form->MoveCount(), 1);
        DragCard(V("TableauPileView3"), 1, V("TableauPileView8"));
        QCOMPARE(Pile("TableauPileView8"), QStringLiteral("7D 6C 5H"));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("8S"));
        QCOMPARE(form->MoveCount(), 2);
    }

    // A run never goes to a free cell or a foundation; a free cell's card always goes into an empty column.
    void cellsAndFoundationsTakeSingleCardsOnly() {
        TableKit::Arrange(
            *form, {{"FoundPileView1", "AS 2S"}, {"TableauPileView1", "3S 2H"}, {"TableauPileView2", "9D"}},
            "");
        DragCard(V("TableauPileView1"), 0, V("FoundPileView1"));
        DragCard(V("TableauPileView1"), 0, V("FreePileView2"));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("3S 2H"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AS 2S"));
        QVERIFY(V("FreePileView2")->Pile.isEmpty());
        QCOMPARE(form->MoveCount(), 0);
        DragCard(V("TableauPileView1"), 1, V("FreePileView2"));
        QCOMPARE(Pile("FreePileView2"), QStringLiteral("2H"));
        DragCard(V("TableauPileView1"), 0, V("FoundPileView1"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AS 2S 3S"));
        QCOMPARE(form->windowTitle(), QStringLiteral("FreeCell   Score: 3"));
        // A foundation never gives a card back.
        DragCard(V("FoundPileView1"), 2, V("TableauPileView1"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AS 2S 3S"));
        QCOMPARE(form->MoveCount(), 2);

        // Every cell full and one empty column: the cell's card still goes in alone.
        TableKit::Arrange(*form,
                          {{"FreePileView1", "7C"},
                           {"FreePileView2", "KC"},
                           {"FreePileView3", "KD"},
                           {"FreePileView4", "KH"},
                           {"TableauPileView2", "2C"},
                           {"TableauPileView3", "3C"},
                           {"TableauPileView4", "4C"},
                           {"TableauPileView5", "5C"},
                           {"TableauPileView6", "6C"},
                           {"TableauPileView7", "8C"},
                           {"TableauPileView8", "9C"}},
                          "");
        DragCard(V("FreePileView1"), 0, V("TableauPileView1"));
        QCOMPARE(form->MovableLimit(), 1);
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("7C"));
        // A cell's card moves to another empty cell too.
        DragCard(V("FreePileView2"), 0, V("FreePileView1"));
        QCOMPARE(Pile("FreePileView1"), QStringLiteral("KC"));
    }

    // Double-click: a foundation first, else the first empty cell; with every cell full nothing moves, but
    // the after-move routine runs.
    void doubleClickPlaysUpThenParksInTheFirstEmptyCell() {
        TableKit::Arrange(
            *form, {{"TableauPileView1", "7D AH"}, {"TableauPileView2", "9C"}, {"FreePileView3", "5S"}}, "");
        MouseKit::DoubleClick(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AH"));
        QCOMPARE(form->windowTitle(), QStringLiteral("FreeCell   Score: 1"));
        MouseKit::DoubleClick(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0));
        QCOMPARE(Pile("FreePileView1"), QStringLiteral("7D"));
        QVERIFY(V("TableauPileView1")->Pile.isEmpty());
        // A card already in a cell moves to the first empty one.
        MouseKit::DoubleClick(V("FreePileView3"), CardPoint(V("FreePileView3"), 0));
        QCOMPARE(Pile("FreePileView2"), QStringLiteral("5S"));
        QCOMPARE(form->MoveCount(), 3);
        QCOMPARE(fx->Sounds->Count("AUTOPLAY"), 1); // only the move to the foundation sounds
        // Each Undo takes back one record.
        form->Undo1Click();
        QCOMPARE(Pile("FreePileView3"), QStringLiteral("5S"));
        form->Undo1Click();
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("7D"));
        QCOMPARE(form->MoveCount(), 1);
        // An empty pile does nothing at all.
        form->DoubleClickAction(V("FreePileView4"));
        QCOMPARE(form->MoveCount(), 1);

        form->Autoplay1Click();
        TableKit::Arrange(*form,
                          {{"FreePileView1", "KS"},
                           {"FreePileView2", "KH"},
                           {"FreePileView3", "KD"},
                           {"FreePileView4", "KC"},
                           {"TableauPileView1", "7C"},
                           {"TableauPileView2", "AD"}},
                          "");
        GameAccess::SetMoves(form, 0);
        MouseKit::DoubleClick(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("7C"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AD")); // the autoplay pass ran
        QCOMPARE(form->MoveCount(), 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("FreeCell   Score: 1"));
    }

    // Shift-click and the middle button on a column act as a double-click; the middle button on a cell does
    // not.
    void shiftClickAndMiddleButtonPlayTheTopCard() {
        TableKit::Arrange(
            *form, {{"TableauPileView1", "AC"}, {"TableauPileView2", "AD"}, {"FreePileView1", "AS"}}, "");
        MouseKit::Click(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0), Qt::LeftButton,
                        Qt::ShiftModifier);
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AC"));
        MouseKit::Click(V("TableauPileView2"), CardPoint(V("TableauPileView2"), 0), Qt::MiddleButton);
        QCOMPARE(Pile("FoundPileView2"), QStringLiteral("AD"));
        MouseKit::Click(V("FreePileView1"), CardPoint(V("FreePileView1"), 0), Qt::MiddleButton);
        QCOMPARE(Pile("FreePileView1"), QStringLiteral("AS"));
        MouseKit::Click(V("FreePileView1"), CardPoint(V("FreePileView1"), 0), Qt::LeftButton,
                        Qt::ControlModifier);
        QCOMPARE(Pile("FoundPileView3"), QStringLiteral("AS"));
        QCOMPARE(form->MoveCount(), 3);
    }

    // Smart Dragging prefers a filled column to an empty one and never chooses a free cell.
    void smartDraggingTriesFilledColumnsFirst() {
        fx->Prefs.SmartDragging = true;
        TableKit::Arrange(
            *form, {{"TableauPileView1", "5H"}, {"TableauPileView3", "KC"}, {"TableauPileView5", "6S"}}, "");
        DragCard(V("TableauPileView1"), 0, form, TableKit::BareAbove(V("TableauPileView1")));
        QCOMPARE(Pile("TableauPileView5"), QStringLiteral("6S 5H"));
        DragCard(V("TableauPileView3"), 0, form, TableKit::BareAbove(V("TableauPileView3"))); // then an empty column
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("KC"));
        // Nowhere else to go: a free cell is never the default, so the card goes home.
        TableKit::Arrange(*form,
                          {{"TableauPileView1", "5H"},
                           {"TableauPileView2", "9C"},
                           {"TableauPileView3", "9D"},
                           {"TableauPileView4", "9S"},
                           {"TableauPileView5", "9H"},
                           {"TableauPileView6", "TC"},
                           {"TableauPileView7", "TD"},
                           {"TableauPileView8", "TS"}},
                          "");
        GameAccess::SetMoves(form, 0);
        DragCard(V("TableauPileView1"), 0, form, TableKit::BareAbove(V("TableauPileView1")));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("5H"));
        QCOMPARE(form->MoveCount(), 0);
    }

    // Autoplay plays cells before columns; an undone automatic move stays undone until the next move.
    void autoplayedCardStaysDownAfterUndoUntilTheNextMove() {
        form->Autoplay1Click();
        TableKit::Arrange(*form,
                          {{"FoundPileView1", "AS"},
                           {"TableauPileView1", "2S 9H"},
                           {"TableauPileView2", "TC"},
                           {"TableauPileView3", "5D"},
                           {"TableauPileView4", "6C"}},
                          "");
        DragCard(V("TableauPileView1"), 1, V("TableauPileView2"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AS 2S"));
        QCOMPARE(form->MoveCount(), 2);
        QCOMPARE(form->UndoRecord().Count(), 2);
        form->Undo1Click();
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("2S"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AS"));
        QCOMPARE(form->MoveCount(), 1);
        QCOMPARE(fx->Sounds->Names().last(), QStringLiteral("UNDO"));
        DragCard(V("TableauPileView3"), 0, V("TableauPileView2")); // illegal: no move, no pass
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("2S"));
        QCOMPARE(form->MoveCount(), 1);
        DragCard(V("TableauPileView3"), 0, V("TableauPileView4")); // the next move plays it up again
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AS 2S"));
        QCOMPARE(Pile("TableauPileView4"), QStringLiteral("6C 5D"));
        QCOMPARE(form->MoveCount(), 3);

        TableKit::Arrange(*form,
                          {{"FreePileView2", "AD"},
                           {"TableauPileView1", "AC"},
                           {"TableauPileView2", "5H"},
                           {"TableauPileView3", "6C"}},
                          "");
        DragCard(V("TableauPileView2"), 0, V("TableauPileView3"));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AD"));
        QCOMPARE(Pile("FoundPileView2"), QStringLiteral("AC"));
    }

    // 4 moves: closing asks nothing, records nothing; 5: closing asks; 6: New Game and Restart ask.
    void confirmationThresholds() {
        GameAccess::SetMoves(form, 4);
        QVERIFY(form->FormCloseQuery());
        GameAccess::SetMoves(form, 5);
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(fx->Messages.Asked.isEmpty());
        QCOMPARE(TableKit::Section("FreeCell").Read("GamesAttempted"), QStringLiteral("None"));

        const QString deal = TableKit::Snapshot(*form);
        form->DoubleClickAction(form->Tableau()[2]);
        GameAccess::SetMoves(form, 6);
        fx->Messages.Answer = false;
        form->NewGame1Click(form->Item("Redeal1"));
        QCOMPARE(fx->Messages.Asked, QStringList{"Restart this game of FreeCell?"});
        QCOMPARE(form->MoveCount(), 6); // Cancel leaves the game as it was
        fx->Messages.Answer = true;
        form->NewGame1Click(form->Item("Redeal1"));
        QCOMPARE(TableKit::Snapshot(*form), deal);
        QCOMPARE(TableKit::Section("FreeCell").Read("GamesAttempted"),
                 QStringLiteral("None")); // a restart records nothing

        GameAccess::SetMoves(form, 5);
        fx->Messages.Answer = false;
        QVERIFY(!form->FormCloseQuery());
        QCOMPARE(fx->Messages.Asked.last(), QStringLiteral("Quit this game of FreeCell?"));
        GameAccess::SetMoves(form, 6);
        fx->Messages.Answer = true;
        form->NewGame1Click(form->Item("NewGame1"));
        QCOMPARE(fx->Messages.Asked.last(), QStringLiteral("Quit this game of FreeCell?"));
        QCOMPARE(TableKit::Section("FreeCell").Read("GamesAttempted"), QStringLiteral("1"));
        QCOMPARE(TableKit::Section("FreeCell").Read("LastGame"), QStringLiteral("False"));
        QVERIFY(TableKit::Snapshot(*form) != deal);
    }

    // A prepared table is won through the window: the win is recorded once and the win window's New Game
    // deals.
    void fullGameIsWonThroughTheWindow() {
        TableKit::Arrange(*form,
                          {{"TableauPileView1", "KC QC JC TC 9C 8C 7C 6C 5C 4C 3C 2C"},
                           {"TableauPileView2", "KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S"},
                           {"TableauPileView3", "KD QD JD TD 9D 8D 7D 6D 5D 4D 3D 2D"},
                           {"TableauPileView4", "KH QH JH TH 9H 8H 7H 6H 5H 4H 3H"},
                           {"TableauPileView5", "2H AH"},
                           {"FreePileView1", "AC"},
                           {"FreePileView2", "AS"},
                           {"FreePileView3", "AD"}},
                          "");
        MouseKit::DoubleClick(V("TableauPileView5"), CardPoint(V("TableauPileView5"), 1));
        QCOMPARE(Pile("FoundPileView1"), QStringLiteral("AH"));
        form->Autoplay1Click();
        DragCard(V("TableauPileView5"), 0, V("FoundPileView1"));
        QCOMPARE(form->ComputeScore(), 52);
        QVERIFY(form->GameOver());
        QCOMPARE(fx->WinWindows, 1);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        QCOMPARE(form->windowTitle(), QStringLiteral("FreeCell   Score: 52"));
        QCOMPARE(TableKit::Section("FreeCell").Read("GamesWon"), QStringLiteral("1"));
        QVERIFY(form->FormCloseQuery());
        QVERIFY(fx->Messages.Asked.isEmpty());

        // After a win New Game asks nothing; a second win answered "New Game" deals at once.
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(!form->GameOver());
        fx->WinAnswer = TAppContext::WinNewGame;
        TableKit::Arrange(*form,
                          {{"FoundPileView1", "AC 2C 3C 4C 5C 6C 7C 8C 9C TC JC QC"},
                           {"FoundPileView2", "AS 2S 3S 4S 5S 6S 7S 8S 9S TS JS QS KS"},
                           {"FoundPileView3", "AD 2D 3D 4D 5D 6D 7D 8D 9D TD JD QD KD"},
                           {"FoundPileView4", "AH 2H 3H 4H 5H 6H 7H 8H 9H TH JH QH KH"},
                           {"FreePileView4", "KC"}},
                          "");
        DragCard(V("FreePileView4"), 0, V("FoundPileView1"));
        QCOMPARE(fx->WinWindows, 2);
        QVERIFY(!form->GameOver());
        QCOMPARE(form->ComputeScore(), 0);
        QCOMPARE(form->Tableau()[0]->Pile.size(), 7);
        // Won in one move: below the threshold, so not recorded.
        QCOMPARE(TableKit::Section("FreeCell").Read("GamesWon"), QStringLiteral("1"));
        QVERIFY(fx->Messages.Asked.isEmpty());
    }

    // Both card sizes open with their own layout; the width is fixed and the columns follow the height.
    void bothCardSizesOpenWithTheirLayouts() {
        QCOMPARE(form->width(), 776);
        QCOMPARE(form->height(), 541);
        QCOMPARE(V("FreePileView4")->geometry(), QRect(272, 8, 80, 125));
        QCOMPARE(V("FoundPileView1")->geometry(), QRect(424, 8, 80, 125));
        QCOMPARE(V("TableauPileView8")->geometry(), QRect(656, 140, 80, 393));
        QVERIFY(V("FreePileView1")->IsBordered && V("FreePileView1")->AllowDrag);
        QVERIFY(V("FoundPileView1")->IsBordered && !V("FoundPileView1")->AllowDrag);
        QCOMPARE(V("TableauPileView1")->YOffset, 20.0f);
        QCOMPARE(form->minimumWidth(), form->maximumWidth());
        form->resize(776, 700);
        QCOMPARE(V("TableauPileView5")->height(), 700 - 148);

        ReopenSmall();
        QCOMPARE(form->width(), 590);
        QCOMPARE(V("FreePileView2")->geometry(), QRect(72, 8, 61, 95));
        QCOMPARE(V("FoundPileView4")->geometry(), QRect(523, 8, 61, 95));
        QCOMPARE(V("TableauPileView3")->geometry(), QRect(160, 108, 61, 300));
        QCOMPARE(V("TableauPileView3")->YOffset, 16.0f);
        form->resize(590, 500);
        QCOMPARE(V("TableauPileView3")->height(), 500 - 109);
        // The small window plays the same game.
        TableKit::Arrange(*form, {{"TableauPileView1", "5H"}, {"TableauPileView2", "6S"}}, "");
        DragCard(V("TableauPileView1"), 0, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("6S 5H"));
    }
};

QTEST_MAIN(TestFreeCell)
#include "tst_freecell.moc"
