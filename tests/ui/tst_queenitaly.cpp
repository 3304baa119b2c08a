#include "cards/TCard.h"
#include "games/queenitaly/TsQueenItalyForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QTest>

using TableKit::CardPoint;
using TableKit::DragCard;
using Piles = QList<std::pair<QString, QString>>;

// Queen of Italy played through its real window with synthetic mouse input.
class TestQueenItaly : public QObject, GameWindowTest<TQueenItalyForm, TsQueenItalyForm> {
    Q_OBJECT

    // Chooses a Five as the base, then lays out `piles` with the base card on the first
    // foundation and `stock` cards left in the stock (the rest of the deal goes to the terrace).
    void LayWithBaseFive(Piles piles, int stock = 20) {
        TableKit::Arrange(*form, {{"TableauPileView1", "5D"}}, "DeckPileView");
        MouseKit::Click(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0));
        QCOMPARE(form->BaseValue(), int(FS_FIVE));
        piles.prepend({"FoundPile1", "5D"});
        TableKit::Arrange(*form, piles, "DeckPileView");
        TCardPile& deck = form->Stock()->Pile;
        while (deck.size() > stock) {
            TCard* card = deck.CardAt(0);
            deck.RemoveCard(card);
            card->FaceUp = true;
            form->Terrace()->Pile.InsertCard(card, 0);
        }
    }

private slots:
    void init() { Start(1010, false); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // Eleven terrace cards and four candidates; the chosen one goes home as the base, uncounted and
    // for good, and every column then holds one card.
    void choosingTheBaseFillsEveryColumn() {
        QCOMPARE(form->Terrace()->Pile.size(), 11);
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("89"));
        QCOMPARE(form->Stock()->State, FS_RECYCLE);
        for (int c = 0; c < 9; ++c)
            QCOMPARE(form->Tableau()[c]->Pile.size(), c < 4 ? 1 : 0);
        form->About1Click();
        QCOMPARE(fx->HelpTopics, QList<int>{1010});

        TCard* chosen = V("TableauPileView3")->Pile.Top();
        MouseKit::Click(V("TableauPileView3"), CardPoint(V("TableauPileView3"), 0));
        QVERIFY(form->BaseChosen());
        QCOMPARE(form->BaseValue(), int(chosen->Value));
        QCOMPARE(V("FoundPile1")->Pile.Cards, QList<TCard*>{chosen});
        for (TCardPileView* column : form->Tableau())
            QCOMPARE(column->Pile.size(), 1);
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("83"));
        QCOMPARE(form->MoveCount(), 0);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        QCOMPARE(form->windowTitle(), QStringLiteral("Queen of Italy   Score: 1"));
    }

    void nothingGoesHomeBeforeTheBaseIsChosen_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("double-click on the terrace") << "double-click";
        QTest::newRow("shift-click on the terrace") << "shift-click";
        QTest::newRow("autoplay pass") << "autoplay";
    }

    // The first game's base would be the Ace: an Ace on the terrace must still wait for the choice.
    void nothingGoesHomeBeforeTheBaseIsChosen() {
        QFETCH(QString, input);
        TableKit::Arrange(*form, {{"TerracePileView", "9C AH"}, {"TableauPileView1", "7S"}}, "DeckPileView");
        const QString before = TableKit::Snapshot(*form);
        TCardPileView* terrace = form->Terrace();
        if (input == "double-click")
            MouseKit::DoubleClick(terrace, CardPoint(terrace, 1));
        else if (input == "shift-click")
            MouseKit::Click(terrace, CardPoint(terrace, 1), Qt::LeftButton, Qt::ShiftModifier);
        else {
            form->Autoplay1Click();
            GameAccess::RunAfterMove(form);
        }
        QCOMPARE(TableKit::Snapshot(*form), before);
        QCOMPARE(form->UndoRecord().Count(), 0);
        MouseKit::Click(V("TableauPileView1"), CardPoint(V("TableauPileView1"), 0));
        QCOMPARE(Pile("FoundPile1"), QStringLiteral("7S"));
    }

    void movesTurnTheCornerAndTerraceCardsGoOnlyHome_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("cards");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("onTarget");
        QTest::addColumn<bool>("taken");
        const auto row = [](const char* name, QString source, QString cards, QString target, QString onTarget,
                            bool taken) {
            QTest::newRow(name) << source << cards << target << onTarget << taken;
        };
        row("king on an ace of the other colour", "TableauPileView1", "KH", "TableauPileView2", "AS", true);
        row("one rank down in the other colour", "TableauPileView1", "8H", "TableauPileView2", "9S", true);
        row("king on an ace of its colour", "TableauPileView1", "KS", "TableauPileView2", "AC", false);
        row("waste card into an empty column", "DiscardPileView", "9H", "TableauPileView2", "", true);
        row("terrace card into an empty column", "TerracePileView", "9H", "TableauPileView2", "", false);
        row("terrace card on a fitting column", "TerracePileView", "9H", "TableauPileView2", "TS", false);
        row("terrace card home", "TerracePileView", "6H", "FoundPile2", "5H", true);
        row("any suit starts at the base", "TableauPileView1", "5C", "FoundPile2", "", true);
        row("a rank below the base", "TableauPileView1", "4C", "FoundPile2", "", false);
        row("ace on the king", "TableauPileView1", "AC", "FoundPile2", "5C 6C 7C 8C 9C TC JC QC KC", true);
        row("thirteen cards are full", "TableauPileView1", "5C", "FoundPile2",
            "5C 6C 7C 8C 9C TC JC QC KC AC 2C 3C 4C", false);
    }

    void movesTurnTheCornerAndTerraceCardsGoOnlyHome() {
        QFETCH(QString, source);
        QFETCH(QString, cards);
        QFETCH(QString, target);
        QFETCH(QString, onTarget);
        QFETCH(bool, taken);
        // The terrace always holds cards, so the source's card is laid on top of them.
        LayWithBaseFive({{source, cards}, {target, onTarget}});
        TCardPileView* from = form->View(source);
        DragCard(from, from->Pile.size() - 1, form->View(target));
        QCOMPARE(TableKit::Describe(form->View(target)->Pile),
                 taken ? (onTarget + ' ' + cards).trimmed() : onTarget);
        QCOMPARE(form->MoveCount(), taken ? 1 : 0);
    }

    // One second pass: a new card only once the waste is used up; the turn-over is not a move,
    // and undoing it gives it back without touching the count.
    void theWasteIsTurnedOverOnceAndUndoKeepsTheCount() {
        LayWithBaseFive({}, 2);
        form->DeckPileViewClick();
        form->DeckPileViewClick();
        QCOMPARE(form->Waste()->Pile.size(), 2);
        form->DeckPileViewClick(); // the turn-over and the first draw of the second pass
        QVERIFY(form->Redealt());
        QCOMPARE(form->Stock()->State, FS_BLANK);
        QCOMPARE(form->MoveCount(), 3);
        const QString firstDraw = TableKit::Snapshot(*form);
        for (int i = 0; i < 3; ++i) {
            form->Undo1Click();
            QCOMPARE(form->MoveCount(), 2);
            form->Undo1Click();
            QCOMPARE(form->MoveCount(), 2);
            QVERIFY(!form->Redealt());
            QCOMPARE(form->Stock()->State, FS_RECYCLE);
            QCOMPARE(Pile("DiscardPileView").count('*'), 0);
            form->DeckPileViewClick();
            QCOMPARE(TableKit::Snapshot(*form), firstDraw);
        }
        const int records = form->UndoRecord().Count();
        form->DeckPileViewClick(); // the waste holds a card: nothing comes
        QCOMPARE(form->UndoRecord().Count(), records);
        DragCard(form->Waste(), 0, V("TableauPileView4"));
        form->DeckPileViewClick(); // the waste is used up: the last card comes
        QCOMPARE(form->Waste()->Pile.size(), 1);
        QVERIFY(form->Stock()->Pile.isEmpty());
        const QString end = TableKit::Snapshot(*form);
        form->DeckPileViewClick(); // both passes are over: the waste is never turned over again
        QCOMPARE(TableKit::Snapshot(*form), end);
        QCOMPARE(form->UndoRecord().Count(), records + 2);
    }

    void stockAndWasteKeepToTheBottomEdge_data() {
        QTest::addColumn<bool>("small");
        QTest::addColumn<int>("columnMargin");
        QTest::addColumn<int>("bottomGap");
        QTest::addColumn<bool>("widens");
        // The test screen is 800 pixels wide: narrower than the large window, whose waste keeps its width.
        QTest::newRow("large") << false << 427 << 148 << false;
        QTest::newRow("small") << true << 333 << 116 << true;
    }

    void stockAndWasteKeepToTheBottomEdge() {
        QFETCH(bool, small);
        QFETCH(int, columnMargin);
        QFETCH(int, bottomGap);
        QFETCH(bool, widens);
        if (small)
            ReopenSmall();
        const int height = form->height() + 40;
        form->resize(form->width(), height);
        QCOMPARE(V("TableauPileView9")->height(), height - columnMargin);
        QCOMPARE(form->Stock()->y(), height - bottomGap);
        QCOMPARE(form->Waste()->y(), height - bottomGap);
        const int width = form->Waste()->width();
        const int windowWidth = form->width();
        form->showMaximized();
        QTRY_VERIFY(form->width() != windowWidth);
        // Maximized, the waste reaches the right edge of a wider window.
        QCOMPARE(form->Waste()->geometry().right() + 1 == form->width(), widens);
        QCOMPARE(form->Waste()->width() > width, widens);
    }
};

QTEST_MAIN(TestQueenItaly)
#include "tst_queenitaly.moc"
