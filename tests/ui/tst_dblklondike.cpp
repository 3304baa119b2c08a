#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/TCardUndo.h"
#include "games/GameRegistry.h"
#include "games/dblklondike/TDblKlondikeForm.h"
#include "games/dblklondike/TsDblKlondikeForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using TableKit::CardPoint;
using TableKit::Describe;
using TableKit::DragCard;

// Double Klondike played through its real window: where it departs from Klondike.
class TestDblKlondike : public QObject, GameWindowTest<TDblKlondikeForm, TsDblKlondikeForm> {
    Q_OBJECT

private slots:
    void init() { Start(777); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // A new deal: column c holds c cards, only the top one face up; 59 stay in the stock, hint "59".
    void dealLeavesColumnsOfOneToNineAndFiftyNineInTheStock() {
        QCOMPARE(form->Tableau().size(), 9);
        QCOMPARE(form->Foundations().size(), 8);
        for (int c = 1; c <= 9; ++c) {
            TCardPileView* column = form->Tableau()[c - 1];
            QCOMPARE(column->Pile.size(), c);
            for (int i = 0; i < c; ++i)
                QCOMPARE(column->Pile.CardAt(i)->FaceUp, i == c - 1);
        }
        QCOMPARE(form->Stock()->Pile.size(), 59);
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("59"));
        QCOMPARE(form->SavedDeal().size(), 104);
        QCOMPARE(form->windowTitle(), QStringLiteral("Double Klondike"));
        // Restart deals the identical table.
        const QString before = TableKit::Snapshot(*form);
        form->StockAction();
        form->NewGame1Click(form->Item("Restart1"));
        QCOMPARE(TableKit::Snapshot(*form), before);
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("59"));
    }

    // During an animated deal the stock keeps its layout spacing (Klondike's compacts it).
    void stockKeepsItsSpacingWhileDealing() {
        fx->Prefs.DoAnimation = true;
        QList<float> offsets;
        fx->Sounds->SetOnPlay([&](const FakeSoundOutput::Call& call) {
            if (call.name == QLatin1String("DEAL"))
                offsets << form->Stock()->XOffset << form->Stock()->YOffset;
        });
        form->NewGame1Click(form->Item("NewGame1"));
        fx->Sounds->SetOnPlay({});
        QCOMPARE(fx->Sounds->Count("DEAL"), 9); // one per row
        for (int i = 0; i < offsets.size(); i += 2) {
            QCOMPARE(offsets[i], 0.4f);
            QCOMPARE(offsets[i + 1], 0.2f);
        }
    }

    // Draw One turns the waste over once; the second run-out does nothing and shows FS_BLANK; Undo gives it
    // back.
    void drawOneRecyclesOncePerGameAndUndoGivesTheRecycleBack() {
        form->DrawOne1Click();
        TableKit::Arrange(*form,
                          {{"DeckPileView", "2C*"}, {"DiscardPileView", "7H"}, {"RecyclePileView", "4D 5D"}},
                          "TableauPileView1");
        form->DeckPileViewClick();
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("2C"));
        QCOMPARE(form->Stock()->State, FS_RECYCLE); // the one recycle is still there
        form->DeckPileViewClick();                  // recycles, then draws the oldest card
        QCOMPARE(form->RecycleCount(), 1);
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("4D"));
        QCOMPARE(Pile("DeckPileView"), QStringLiteral("2C* 7H* 5D*"));
        for (int i = 0; i < 3; ++i)
            form->DeckPileViewClick();
        QVERIFY(form->Stock()->Pile.isEmpty());
        QCOMPARE(Pile("RecyclePileView"), QStringLiteral("4D 5D 7H"));
        QCOMPARE(form->Stock()->State, FS_BLANK);
        QVERIFY(!form->Stock()->ShowHint());
        QCOMPARE(form->MoveCount(), 5);

        // The second run-out: a click changes nothing and records nothing.
        const QString table = TableKit::Snapshot(*form);
        const int records = form->UndoRecord().Count();
        form->DeckPileViewClick();
        form->StockAction(); // the space bar and the middle button too
        QCOMPARE(TableKit::Snapshot(*form), table);
        QCOMPARE(form->UndoRecord().Count(), records);
        QCOMPARE(form->MoveCount(), 5);
        QCOMPARE(form->Stock()->State, FS_BLANK);

        // Undo the three draws and the draw after the recycle, then the recycle itself.
        for (int i = 0; i < 4; ++i)
            form->Undo1Click();
        QCOMPARE(form->RecycleCount(), 1);
        QCOMPARE(Pile("DeckPileView"), QStringLiteral("2C* 7H* 5D* 4D*"));
        form->Undo1Click();
        QCOMPARE(form->RecycleCount(), 0);
        QVERIFY(form->Stock()->Pile.isEmpty());
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("2C"));
        QCOMPARE(Pile("RecyclePileView"), QStringLiteral("4D 5D 7H"));
        QCOMPARE(form->Stock()->State, FS_RECYCLE);
        QCOMPARE(form->MoveCount(), 1);
        form->DeckPileViewClick(); // allowed again
        QCOMPARE(form->RecycleCount(), 1);
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("4D"));
    }

    // Draw Three turns the waste over as often as the stock runs out.
    void drawThreeRecyclesWithoutLimit() {
        QCOMPARE(form->DrawCount(), 3);
        TableKit::Arrange(*form,
                          {{"DeckPileView", "2C* 3C*"}, {"DiscardPileView", "7H"}, {"RecyclePileView", "4D"}},
                          "TableauPileView1");
        int recycles = 0;
        for (int i = 0; i < 12; ++i) {
            const bool empty = form->Stock()->Pile.isEmpty();
            form->DeckPileViewClick();
            if (empty) {
                ++recycles;
                QCOMPARE(form->RecycleCount(), recycles);
                QVERIFY(!form->Waste()->Pile.isEmpty());
            }
            QCOMPARE(form->Stock()->Pile.size() + form->Waste()->Pile.size() +
                         form->HiddenWaste()->Pile.size(),
                     4);
            if (form->Stock()->Pile.isEmpty())
                QCOMPARE(form->Stock()->State, FS_RECYCLE);
        }
        QVERIFY(recycles >= 4);
    }

    // Any empty foundation takes an Ace; two Aces of hearts start two foundations that build apart.
    void twoAcesOfTheSameSuitBuildTwoFoundations() {
        fx->Prefs.SmartDragging = false;
        TableKit::Arrange(*form,
                          {{"TableauPileView1", "AH"},
                           {"TableauPileView2", "AH"},
                           {"TableauPileView3", "2H"},
                           {"TableauPileView4", "2H"},
                           {"TableauPileView5", "3H"},
                           {"TableauPileView6", "AS"}},
                          "DeckPileView");
        form->DoubleClickAction(V("TableauPileView1"));
        form->DoubleClickAction(V("TableauPileView2"));
        QCOMPARE(Pile("FoundationPile1"), QStringLiteral("AH"));
        QCOMPARE(Pile("FoundationPile2"), QStringLiteral("AH"));
        form->DoubleClickAction(V("TableauPileView3"));
        form->DoubleClickAction(V("TableauPileView4"));
        QCOMPARE(Pile("FoundationPile1"), QStringLiteral("AH 2H"));
        QCOMPARE(Pile("FoundationPile2"), QStringLiteral("AH 2H"));
        DragCard(V("TableauPileView5"), 0, V("FoundationPile2"));
        QCOMPARE(Pile("FoundationPile2"), QStringLiteral("AH 2H 3H"));
        // A dragged Ace goes to whichever empty foundation it is dropped on, even the last one.
        DragCard(V("TableauPileView6"), 0, V("FoundationPile8"));
        QCOMPARE(Pile("FoundationPile8"), QStringLiteral("AS"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Double Klondike   Score: 6"));
        QCOMPARE(form->MoveCount(), 6);
    }

    // A foundation card stays put: no drag, no Shift-click; the middle button on a foundation draws.
    void foundationCardsCannotBeDragged() {
        TableKit::Arrange(*form,
                          {{"FoundationPile1", "AH 2H"}, {"TableauPileView1", "3S"}, {"DeckPileView", "KD*"}},
                          "TableauPileView9");
        for (bool smart : {false, true}) {
            fx->Prefs.SmartDragging = smart;
            DragCard(V("FoundationPile1"), 1, V("TableauPileView1"));
            QCOMPARE(Pile("FoundationPile1"), QStringLiteral("AH 2H"));
            QCOMPARE(Pile("TableauPileView1"), QStringLiteral("3S"));
        }
        QVERIFY(!V("FoundationPile1")->DragPermission);
        MouseKit::Click(V("FoundationPile1"), CardPoint(V("FoundationPile1"), 1), Qt::LeftButton,
                        Qt::ShiftModifier);
        QCOMPARE(Pile("FoundationPile1"), QStringLiteral("AH 2H"));
        QCOMPARE(form->MoveCount(), 0);
        MouseKit::Click(V("FoundationPile1"), CardPoint(V("FoundationPile1"), 1), Qt::MiddleButton);
        QCOMPARE(Pile("DiscardPileView"), QStringLiteral("KD"));
        QCOMPARE(form->MoveCount(), 1);
    }

    // 5 moves: New Game and Restart ask nothing, closing asks; 6: both ask; 4: closing asks nothing.
    void confirmationThresholds() {
        GameAccess::SetMoves(form, 5);
        form->NewGame1Click(form->Item("Restart1"));
        GameAccess::SetMoves(form, 5);
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(fx->Messages.Asked.isEmpty());
        GameAccess::SetMoves(form, 6);
        fx->Messages.Answer = false;
        form->NewGame1Click(form->Item("Restart1"));
        form->NewGame1Click(form->Item("NewGame1"));
        QCOMPARE(fx->Messages.Asked, (QStringList{"Restart this game of Double Klondike?",
                                                  "Quit this game of Double Klondike?"}));
        QCOMPARE(form->MoveCount(), 6); // Cancel leaves the game as it was
        GameAccess::SetMoves(form, 4);
        QVERIFY(form->FormCloseQuery());
        QCOMPARE(fx->Messages.Asked.size(), 2);
        GameAccess::SetMoves(form, 5);
        QVERIFY(!form->FormCloseQuery());
        QCOMPARE(fx->Messages.Asked.last(), QStringLiteral("Quit this game of Double Klondike?"));
        fx->Messages.Answer = true;
        GameAccess::SetMoves(form, 6);
        form->NewGame1Click(form->Item("NewGame1"));
        TProfile stats = TableKit::Section("DoubleKlondike");
        QCOMPARE(stats.Read("GamesAttempted"), QStringLiteral("1"));
        QCOMPARE(stats.Read("LastGame"), QStringLiteral("False"));
        QCOMPARE(form->MoveCount(), 0);
    }

    // Options live in the game's own section, the menu is Klondike's, Rules opens topic 1002, no Vegas.
    void menuOptionsAndCaptionAreTheGamesOwn() {
        QStringList items;
        for (QAction* action : form->PopupMenu()->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(items, (QStringList{"Undo1", "-", "Autoplay1", "-", "DrawThree1", "DrawOne1", "-",
                                     "NewGame1", "Restart1", "Preferences1", "About1", "Statistics1"}));
        QVERIFY(form->Item("DrawThree1")->isChecked());
        form->DrawOne1Click();
        form->Autoplay1Click();
        QCOMPARE(TableKit::Section("DoubleKlondike").Read("DrawThree"), QStringLiteral("False"));
        QCOMPARE(TableKit::Section("DoubleKlondike").Read("Autoplay"), QStringLiteral("True"));
        form->About1Click();
        QCOMPARE(fx->HelpTopics, QList<int>{1002});
        fx->Prefs.VegasScoring = true;
        form->Preferences1Click();
        QCOMPARE(form->windowTitle(), QStringLiteral("Double Klondike"));
        // A fresh window reads the options back.
        delete form;
        Open();
        QCOMPARE(form->DrawCount(), 1);
        QVERIFY(form->Autoplay());
        QVERIFY(form->Item("DrawOne1")->isChecked());
        QVERIFY(GameFactory(GI_DBLKLONDIKE).Available());
    }

    // Drawing, playing up and recycling, then undoing everything, gives back the deal and the recycle.
    void undoingEverythingRestoresTheDeal() {
        form->DrawOne1Click();
        const QString deal = TableKit::Snapshot(*form);
        for (int i = 0; i < 140; ++i) {
            form->DeckPileViewClick();
            for (TCardPileView* view : form->Tableau() + QList<TCardPileView*>{form->Waste()})
                form->DoubleClickAction(view);
        }
        QCOMPARE(form->RecycleCount(), 1);
        QVERIFY(form->MoveCount() > 0);
        while (form->Item("Undo1")->isEnabled())
            form->Undo1Click();
        QCOMPARE(TableKit::Snapshot(*form), deal);
        QCOMPARE(form->MoveCount(), 0);
        QCOMPARE(form->RecycleCount(), 0);
    }

    // A prepared deal played to 104 cards wins once; a press on a column still counts afterwards.
    void fullGameIsWonWithAllHundredAndFourCards() {
        form->Autoplay1Click();
        const QString clubs = "KC QC JC TC 9C 8C 7C 6C 5C 4C 3C 2C AC";
        const QString spades = "KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S AS";
        const QString diamonds = "KD QD JD TD 9D 8D 7D 6D 5D 4D 3D 2D AD";
        const QString hearts = "KH QH JH TH 9H 8H 7H 6H 5H 4H 3H 2H";
        TableKit::Arrange(*form,
                          {{"TableauPileView1", clubs},
                           {"TableauPileView2", spades},
                           {"TableauPileView3", diamonds},
                           {"TableauPileView4", hearts + " AH"},
                           {"TableauPileView5", clubs},
                           {"TableauPileView6", spades},
                           {"TableauPileView7", diamonds},
                           {"TableauPileView8", hearts},
                           {"DiscardPileView", "AH"}},
                          "");
        fx->WinAnswer = TAppContext::WinOk;
        MouseKit::DoubleClick(V("DiscardPileView"), CardPoint(V("DiscardPileView"), 0));
        QCOMPARE(form->ComputeScore(), 104);
        for (TCardPileView* foundation : form->Foundations())
            QCOMPARE(foundation->Pile.size(), 13);
        QVERIFY(form->GameOver());
        QCOMPARE(fx->WinWindows, 1);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        QCOMPARE(form->Stock()->State, FS_BLANK);
        QCOMPARE(form->windowTitle(), QStringLiteral("Double Klondike   Score: 104"));
        form->DeckPileViewClick(); // nothing to draw after a win
        QCOMPARE(form->ComputeScore(), 104);
        QVERIFY(form->FormCloseQuery());
        QVERIFY(fx->Messages.Asked.isEmpty());
        QCOMPARE(TableKit::Section("DoubleKlondike").Read("GamesWon"), QStringLiteral("1"));

        // Unlike Klondike, a press on a column is not ignored after the win.
        TableKit::Arrange(*form, {{"TableauPileView1", "KS"}}, "DeckPileView");
        MouseKit::Press(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0));
        QVERIFY(V("TableauPileView1")->DragPermission);
        MouseKit::Release(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0));
        QCOMPARE(Pile("TableauPileView1"), QStringLiteral("KS"));

        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(!form->GameOver());
        QCOMPARE(TableKit::Section("DoubleKlondike").Read("GamesAttempted"), QStringLiteral("1"));
    }

    // Both card sizes open with their own layout and size rule.
    void bothCardSizesOpenWithTheirLayouts() {
        QCOMPARE(form->width(), 986);
        QCOMPARE(V("TableauPileView1")->geometry(), QRect(72, 160, 80, 417));
        QCOMPARE(V("TableauPileView9")->geometry().topLeft(), QPoint(72 + 96 * 8, 162));
        QCOMPARE(V("FoundationPile8")->geometry(), QRect(280 + 88 * 7, 8, 80, 125));
        QVERIFY(!V("FoundationPile1")->AllowDrag);
        form->resize(986, 600);
        QCOMPARE(V("TableauPileView9")->height(), 600 - 165);

        ReopenSmall();
        QCOMPARE(form->width(), 756);
        QCOMPARE(V("TableauPileView3")->geometry(), QRect(64 + 72 * 2, 136, 61, 350));
        QCOMPARE(V("FoundationPile8")->geometry(), QRect(240 + 64 * 7, 8, 61, 95));
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("59"));
        form->resize(756, 500);
        QCOMPARE(V("TableauPileView3")->height(), 500 - 139);
    }
};

QTEST_MAIN(TestDblKlondike)
#include "tst_dblklondike.moc"
