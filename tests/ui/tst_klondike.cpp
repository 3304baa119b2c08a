#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/TCardUndo.h"
#include "games/klondike/TKlondikeForm.h"
#include "games/klondike/TsKlondikeForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QTest>

using TableKit::CardPoint;
using TableKit::Describe;
using TableKit::DragCard;

// Klondike played through its real window with synthetic mouse input.
class TestKlondike : public QObject, GameWindowTest<TKlondikeForm, TsKlondikeForm> {
    Q_OBJECT

    // Autoplay off; every suit in a column from its King down but the Ace of clubs, which lies on the waste.
    void LayOneMoveFromAWin() {
        form->Autoplay1Click();
        TableKit::Arrange(*form,
                          {{"TableauPileView1", "KC QC JC TC 9C 8C 7C 6C 5C 4C 3C 2C"},
                           {"TableauPileView2", "KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S AS"},
                           {"TableauPileView3", "KD QD JD TD 9D 8D 7D 6D 5D 4D 3D 2D AD"},
                           {"TableauPileView4", "KH QH JH TH 9H 8H 7H 6H 5H 4H 3H 2H AH"},
                           {"DiscardPileView", "AC"}},
                          "");
    }

private slots:
    void init() { Start(4242); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // A new deal: column c holds c cards with only the top one face up, 24 in the stock, hint "24".
    void dealLeavesColumnsOfOneToSevenAndTwentyFourInTheStock() {
        for (int c = 1; c <= 7; ++c) {
            TCardPileView* column = form->Tableau()[c - 1];
            QCOMPARE(column->Pile.size(), c);
            for (int i = 0; i < c; ++i)
                QCOMPARE(column->Pile.CardAt(i)->FaceUp, i == c - 1);
        }
        QCOMPARE(form->Stock()->Pile.size(), 24);
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("24"));
        QCOMPARE(form->MoveCount(), 0);
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike"));
        QCOMPARE(form->SavedDeal().size(), 52);
        // Restart deals the identical layout.
        const QString before = TableKit::Snapshot(*form);
        form->StockAction();
        form->NewGame1Click(form->Item("Restart1"));
        QCOMPARE(TableKit::Snapshot(*form), before);
        QCOMPARE(fx->Sounds->Names().last(), QStringLiteral("RESTART"));
    }

    // Draw Three with two cards left draws those two; the next click recycles and draws three.
    void drawThreeWithTwoLeftDrawsTwoThenRecycles() {
        TableKit::Arrange(
            *form,
            {{"DeckPileView", "2C* 3C*"}, {"DiscardPileView", "7H 8H 9H"}, {"RecyclePileView", "4D 5D 6D"}},
            "TableauPileView1");
        form->DeckPileViewClick();
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("3C 2C"));
        QCOMPARE(Pile("RecyclePileView"), QStringLiteral("4D 5D 6D 7H 8H 9H"));
        QCOMPARE(form->MoveCount(), 1);
        QCOMPARE(form->Stock()->State, FS_RECYCLE);
        form->DeckPileViewClick();
        // The recycle turned the whole waste over: the oldest card is drawn first.
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("4D 5D 6D"));
        QCOMPARE(Pile("DeckPileView"), QStringLiteral("2C* 3C* 9H* 8H* 7H*"));
        QCOMPARE(form->MoveCount(), 2);
        // One Undo takes back the draw, a second one the recycle.
        form->Undo1Click();
        QCOMPARE(Pile("DeckPileView"), QStringLiteral("2C* 3C* 9H* 8H* 7H* 6D* 5D* 4D*"));
        form->Undo1Click();
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("3C 2C"));
        QCOMPARE(Pile("RecyclePileView"), QStringLiteral("4D 5D 6D 7H 8H 9H"));
        QVERIFY(form->Stock()->Pile.isEmpty());
        QCOMPARE(form->MoveCount(), 1); // the recycle itself was free
        form->Undo1Click();
        QCOMPARE(Pile("DeckPileView"), QStringLiteral("2C* 3C*"));
        QCOMPARE(form->MoveCount(), 0);
    }

    // Playing the visible waste uncovers the next cards of the hidden waste in their order.
    void usedUpWasteIsRefilledFromTheHiddenWaste() {
        TableKit::Arrange(
            *form,
            {{"DiscardPileView", "AC AS AD"}, {"RecyclePileView", "4D 5D 6D 7C"}, {"DeckPileView", "KC*"}},
            "TableauPileView7");
        form->DoubleClickAction(V("DiscardPileView"));
        form->DoubleClickAction(V("DiscardPileView"));
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("AC"));
        form->DoubleClickAction(V("DiscardPileView"));
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("5D 6D 7C"));
        QCOMPARE(Pile("RecyclePileView"), QStringLiteral("4D"));
        // One Undo takes back the refill and the play that emptied the waste.
        form->Undo1Click();
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("AC"));
        QCOMPARE(Pile("RecyclePileView"), QStringLiteral("4D 5D 6D 7C"));
    }

    // After the first draw the other draw mode is greyed until the next new game.
    void drawModeIsLockedAfterTheFirstDraw() {
        QVERIFY(form->Item("DrawOne1")->isEnabled());
        form->DeckPileViewClick();
        QVERIFY(!form->Item("DrawOne1")->isEnabled());
        QVERIFY(form->Item("DrawThree1")->isEnabled());
        form->NewGame1Click(form->Item("Restart1"));
        QVERIFY(!form->Item("DrawOne1")->isEnabled()); // a restart keeps the lock
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(form->Item("DrawOne1")->isEnabled());
        form->DrawOne1Click();
        QCOMPARE(form->DrawCount(), 1);
        form->DeckPileViewClick();
        QCOMPARE(V("DiscardPileView")->Pile.size(), 1);
        QVERIFY(!form->Item("DrawThree1")->isEnabled());
    }

    // A King, alone or at the bottom of a run, goes to an empty column; a Queen does not.
    void onlyKingsGoToEmptyColumns() {
        fx->Prefs.SmartDragging = false;
        TableKit::Arrange(
            *form, {{"TableauPileView1", "KH QC"}, {"TableauPileView2", "QD"}, {"TableauPileView4", "5S"}},
            "DeckPileView");
        DragCard(V("TableauPileView2"), 0, V("TableauPileView3"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("QD"));
        QCOMPARE(form->MoveCount(), 0);
        DragCard(V("TableauPileView1"), 0, V("TableauPileView3"));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("KH QC"));
        QCOMPARE(form->MoveCount(), 1);
    }

    // A run of alternating colours drags from any of its cards; a mixed run only from its top.
    void runsOfAlternatingColoursDragAsAGroup() {
        fx->Prefs.SmartDragging = false;
        TableKit::Arrange(*form,
                          {{"TableauPileView1", "2C* 9S 8H 7C"},
                           {"TableauPileView2", "TD"},
                           {"TableauPileView3", "9C 8C"},
                           {"TableauPileView4", "9D"}},
                          "DeckPileView");
        DragCard(V("TableauPileView1"), 1, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("TD 9S 8H 7C"));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("2C")); // turned up
        DragCard(V("TableauPileView3"), 0, V("TableauPileView4"));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("9C 8C"));
        DragCard(V("TableauPileView3"), 1, V("TableauPileView4"));
        QCOMPARE(Pile("TableauPileView4"), QStringLiteral("9D 8C"));
        // Undo of the first move turns the exposed card down again and returns the run.
        form->Undo1Click();
        form->Undo1Click();
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("2C* 9S 8H 7C"));
        QCOMPARE(form->MoveCount(), 0);
    }

    // Foundations take one card at a time: an Ace, then the next rank of its suit.
    void foundationsTakeSingleCardsOfTheNextRank() {
        fx->Prefs.SmartDragging = false;
        TableKit::Arrange(*form,
                          {{"FoundationPile1", "AH 2H"},
                           {"TableauPileView1", "3S"},
                           {"TableauPileView2", "4C 3H"},
                           {"TableauPileView3", "AD 2S"}},
                          "DeckPileView");
        DragCard(V("TableauPileView1"), 0, V("FoundationPile1"));
        QCOMPARE(Pile("FoundationPile1"), QStringLiteral("AH 2H"));
        DragCard(V("TableauPileView3"), 0, V("FoundationPile2")); // two cards never go up together
        QVERIFY(V("FoundationPile2")->Pile.isEmpty());
        DragCard(V("TableauPileView2"), 1, V("FoundationPile1"));
        QCOMPARE(Pile("FoundationPile1"), QStringLiteral("AH 2H 3H"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike   Score: 3"));
        // A foundation's top card may come back down onto a column.
        DragCard(V("FoundationPile1"), 2, V("TableauPileView2"));
        QCOMPARE(Pile("TableauPileView2"), QStringLiteral("4C 3H"));
    }

    // A double-click anywhere on a column plays its top card; Shift-click does the same.
    void doubleClickActsOnTheTopCard() {
        TableKit::Arrange(*form, {{"TableauPileView1", "5C* 6D* AS"}, {"TableauPileView2", "AH"}},
                          "DeckPileView");
        MouseKit::DoubleClick(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0));
        QCOMPARE(Pile("FoundationPile1"), QStringLiteral("AS"));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("5C* 6D"));
        MouseKit::Click(V("TableauPileView2"), CardPoint(V("TableauPileView2"), 0), Qt::LeftButton,
                        Qt::ShiftModifier);
        QCOMPARE(Pile("FoundationPile2"), QStringLiteral("AH"));
        QCOMPARE(form->MoveCount(), 2);
        QVERIFY(fx->Sounds->Count("AUTOPLAY") == 2);
    }

    // Vegas: −52 at the start, +5 a card, and a won game's New Game pays 208.
    void vegasScoringFollowsTheBalance() {
        fx->Prefs.VegasScoring = true;
        form->Preferences1Click();
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike   Score: $-52"));
        QString foundation;
        TableKit::Arrange(*form, {{"FoundationPile1", "AC 2C 3C 4C 5C 6C 7C 8C 9C TC"}}, "DeckPileView");
        GameAccess::RunAfterMove(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike   Score: $-2"));
        // A confirmed New Game after 6 moves cashes the foundations and pays a new stake.
        GameAccess::SetMoves(form, 6);
        form->NewGame1Click(form->Item("NewGame1"));
        QCOMPARE(form->VegasBalance(), -52 + 50 - 52);
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike   Score: $-54"));
        // Statistics get the card count, not dollars.
        fx->Prefs.VegasScoring = false;
        form->Preferences1Click();
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike"));
    }

    // 4 moves: closing asks nothing; 5: closing asks, New Game does not; 6: both ask.
    void confirmationThresholds() {
        GameAccess::SetMoves(form, 5);
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(fx->Messages.Asked.isEmpty());
        GameAccess::SetMoves(form, 6);
        fx->Messages.Answer = false;
        form->NewGame1Click(form->Item("Restart1"));
        QCOMPARE(fx->Messages.Asked, QStringList{"Restart this game of Klondike?"});
        QCOMPARE(form->MoveCount(), 6); // Cancel leaves the game exactly as it was
        GameAccess::SetMoves(form, 4);
        QVERIFY(form->FormCloseQuery());
        QCOMPARE(fx->Messages.Asked.size(), 1);
        GameAccess::SetMoves(form, 5);
        QVERIFY(!form->FormCloseQuery());
        QCOMPARE(fx->Messages.Asked.last(), QStringLiteral("Quit this game of Klondike?"));
        fx->Messages.Answer = true;
        QVERIFY(form->FormCloseQuery());
        TProfile stats = TableKit::Section("Klondike");
        QCOMPARE(stats.Read("GamesAttempted"), QStringLiteral("1"));
        QCOMPARE(stats.Read("LastGame"), QStringLiteral("False"));
        GameAccess::SetMoves(form, 0);
    }

    // Smart Dragging on: a drop on the bare table goes to the first legal target; off: it goes back.
    void smartDraggingDropsOnTheFirstLegalTarget() {
        TableKit::Arrange(
            *form, {{"TableauPileView1", "9H"}, {"TableauPileView3", "TS"}, {"TableauPileView5", "TC"}},
            "DeckPileView");
        fx->Prefs.SmartDragging = true;
        // The gap above column 1 is bare table, and the way there crosses no other view.
        DragCard(V("TableauPileView1"), 0, form, QPoint(20, 143));
        QCOMPARE(Pile("TableauPileView3"), QStringLiteral("TS 9H"));
        form->Undo1Click();
        fx->Prefs.SmartDragging = false;
        DragCard(V("TableauPileView1"), 0, form, QPoint(20, 143));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("9H"));
        QCOMPARE(form->MoveCount(), 0);
        // A legal target touched during the drag still takes the drop elsewhere.
        MouseKit::Press(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0));
        MouseKit::Move(V("TableauPileView1"), QPoint(20, 40));
        MouseKit::Move(V("TableauPileView5"), QPoint(20, 40));
        MouseKit::Move(V("TableauPileView6"), QPoint(20, 40));
        MouseKit::Release(V("TableauPileView6"), QPoint(20, 40));
        QCOMPARE(Pile("TableauPileView5"), QStringLiteral("TC 9H"));
    }

    // With Autoplay on, freeing an Ace sends it up at once, and every card that follows.
    void autoplayCascadesFromAFreedAce() {
        form->Autoplay1Click();
        QVERIFY(form->Item("Autoplay1")->isChecked());
        TableKit::Arrange(
            *form, {{"TableauPileView1", "2S 3H"}, {"TableauPileView2", "AS"}, {"TableauPileView3", "4C"}},
            "DeckPileView");
        fx->Prefs.SmartDragging = false;
        DragCard(V("TableauPileView2"), 0, V("TableauPileView3")); // illegal: nothing happens
        QVERIFY(V("FoundationPile1")->Pile.isEmpty());
        form->DoubleClickAction(V("TableauPileView1")); // 3H: nothing to do, but the pass runs
        QCOMPARE(Pile("FoundationPile1"), QStringLiteral("AS"));
        QCOMPARE(form->MoveCount(), 1);
    }

    // Undo of every record kind, one command at a time, returns the table to the deal.
    void undoingEverythingRestoresTheDeal() {
        const QString deal = TableKit::Snapshot(*form);
        int commands = 0;
        for (int i = 0; i < 30; ++i) {
            form->DeckPileViewClick();
            ++commands;
            for (TCardPileView* view : form->Tableau() + QList<TCardPileView*>{form->Waste()}) {
                const int before = form->UndoRecord().Count();
                form->DoubleClickAction(view);
                if (form->UndoRecord().Count() != before)
                    ++commands;
            }
        }
        QVERIFY(form->MoveCount() > 0);
        while (form->Item("Undo1")->isEnabled())
            form->Undo1Click();
        QCOMPARE(TableKit::Snapshot(*form), deal);
        QCOMPARE(form->MoveCount(), 0);
    }

    // A prepared deal played to 52 on the foundations wins once; the win window's New Game deals.
    void fullGameIsWonThroughTheWindow() {
        LayOneMoveFromAWin();
        fx->WinAnswer = TAppContext::WinOk;
        MouseKit::DoubleClick(V("DiscardPileView"), CardPoint(V("DiscardPileView"), 0));
        QCOMPARE(form->ComputeScore(), 52);
        QVERIFY(form->GameOver());
        QCOMPARE(fx->WinWindows, 1);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        QCOMPARE(form->Stock()->State, FS_BLANK);
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike   Score: 52"));
        // After a win nothing asks, and the win is recorded once, whatever runs the
        // after-move routine again.
        form->DeckPileViewClick();
        GameAccess::RunAfterMove(form);
        QCOMPARE(fx->WinWindows, 1);
        QVERIFY(fx->Messages.Asked.isEmpty());
        QVERIFY(form->FormCloseQuery());
        TProfile stats = TableKit::Section("Klondike");
        QCOMPARE(stats.Read("GamesWon"), QStringLiteral("1"));
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(!form->GameOver());
        QCOMPARE(stats.Read("GamesAttempted"), QStringLiteral("1"));
    }

    // A win inside an autoplay cascade whose window answers New Game leaves the new deal untouched.
    void autoplayStopsWhenTheWinWindowDealsANewGame() {
        LayOneMoveFromAWin();
        fx->WinAnswer = TAppContext::WinNewGame;
        TRandom::Seed(7); // a deal whose columns offer plays to an autoplay pass
        form->DoubleClickAction(V("DiscardPileView"));
        QCOMPARE(fx->WinWindows, 1);
        QVERIFY(!form->GameOver());
        QCOMPARE(form->MoveCount(), 0);
        QCOMPARE(form->UndoRecord().Count(), 0);
        QCOMPARE(form->ComputeScore(), 0);
    }

    // The space bar and the middle button anywhere on the table draw, as real key and mouse input arrive.
    void spaceBarAndMiddleButtonDraw() {
        form->activateWindow();
        QTest::keyClick(form->windowHandle(), Qt::Key_Space);
        QCOMPARE(form->Waste()->Pile.size(), 3);
        MouseKit::Click(form, QPoint(600, 470), Qt::MiddleButton);
        QCOMPARE(form->Stock()->Pile.size(), 18);
        MouseKit::Click(V("TableauPileView2"), QPoint(20, 20), Qt::MiddleButton);
        QCOMPARE(form->Stock()->Pile.size(), 15);
        QCOMPARE(form->MoveCount(), 3);
    }

    // The small-card window has its own layout and size rule.
    void smallWindowUsesTheSmallLayout() {
        ReopenSmall();
        QCOMPARE(form->width(), 510);
        QCOMPARE(V("TableauPileView3")->geometry(), QRect(152, 120, 61, 270));
        form->resize(510, 500);
        QCOMPARE(V("TableauPileView3")->height(), 500 - 122);
    }
};

QTEST_MAIN(TestKlondike)
#include "tst_klondike.moc"
