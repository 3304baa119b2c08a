#include "cards/TCard.h"
#include "games/indian/TsIndianPatienceForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QTest>

using TableKit::DragCard;
using Piles = QList<std::pair<QString, QString>>;

// Indian Patience played through its real window with synthetic mouse input.
class TestIndianPatience : public QObject, GameWindowTest<TIndianPatienceForm, TsIndianPatienceForm> {
    Q_OBJECT

    // Lays out `piles`, a lone King in every other column (so no column is empty), and `stock`
    // cards left in the stock (the rest of the deal goes to the waste).
    void Lay(Piles piles, int stock) {
        const QStringList kings{"KC", "KS", "KD", "KH", "KC", "KS", "KD", "KH", "QC", "QS"};
        for (int c = 1; c <= 10; ++c) {
            const QString name = QStringLiteral("TableauPile%1").arg(c);
            if (std::none_of(piles.begin(), piles.end(), [&](const auto& p) { return p.first == name; }))
                piles.append({name, kings[c - 1]});
        }
        TableKit::Arrange(*form, piles, "DeckPileView");
        TCardPile& deck = form->Stock()->Pile;
        while (deck.size() > stock) {
            TCard* card = deck.CardAt(0);
            deck.RemoveCard(card);
            card->FaceUp = true;
            form->Waste()->Pile.AddCard(card);
        }
    }

private slots:
    void init() { Start(6060, false); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // Every column holds one face-down card under two face-up ones; 74 cards stay in the stock.
    void dealsTheBottomCardOfEveryColumnFaceDown() {
        for (TCardPileView* column : form->Tableau()) {
            QCOMPARE(column->Pile.size(), 3);
            QVERIFY(!column->Pile.CardAt(0)->FaceUp);
            QVERIFY(column->Pile.CardAt(1)->FaceUp && column->Pile.CardAt(2)->FaceUp);
            QVERIFY(form->IsBottomCard(column->Pile.CardAt(0)));
        }
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("74"));
        form->About1Click();
        QCOMPARE(fx->HelpTopics, QList<int>{1006});
    }

    void columnsTakeTheNextRankOfAnotherSuit_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("stock");
        QTest::addColumn<bool>("taken");
        const auto row = [](const char* name, QString target, QString source, int stock, bool taken) {
            QTest::newRow(name) << target << source << stock << taken;
        };
        row("another suit", "QC* TS", "KC* 9H", 10, true);
        row("its own suit", "QC* TH", "KC* 9H", 10, false);
        row("two ranks below", "QC* JS", "KC* 9H", 10, false);
        row("lone bottom card takes nothing", "TS", "KC* 9H", 10, false);
        row("lone bottom card stays home", "QC* TS", "9H", 10, false);
        row("lone bottom card takes once the stock is empty", "TS", "KC* 9H", 0, true);
        row("lone bottom card moves once the stock is empty", "QC* TS", "9H", 0, true);
    }

    // The bottom cards are held back only while the stock lasts.
    void columnsTakeTheNextRankOfAnotherSuit() {
        QFETCH(QString, target);
        QFETCH(QString, source);
        QFETCH(int, stock);
        QFETCH(bool, taken);
        Lay({{"TableauPile1", source}, {"TableauPile2", target}}, stock + 1);
        form->DeckPileViewClick(); // a draw: the bottoms are known from here on
        DragCard(V("TableauPile1"), V("TableauPile1")->Pile.size() - 1, V("TableauPile2"));
        QCOMPARE(Pile("TableauPile2").endsWith("9H"), taken);
        QCOMPARE(form->MoveCount(), taken ? 2 : 1);
    }

    void emptiedColumnIsRefilledAndUndoneWithItsMove_data() {
        QTest::addColumn<int>("stock");
        QTest::addColumn<QString>("faces");
        QTest::newRow("three cards") << 74 << "*..";
        QTest::newRow("the last card, face up") << 1 << ".";
        QTest::newRow("nothing left") << 0 << "";
    }

    // One Undo takes back the refill and the move that emptied the column, and both moves.
    void emptiedColumnIsRefilledAndUndoneWithItsMove() {
        QFETCH(int, stock);
        QFETCH(QString, faces);
        Lay({{"TableauPile4", "AS"}}, stock);
        const QString before = TableKit::Snapshot(*form);
        form->DoubleClickAction(V("TableauPile4"));
        QCOMPARE(Pile("FoundPile1"), QStringLiteral("AS"));
        QString shown;
        for (const TCard* card : V("TableauPile4")->Pile.Cards)
            shown += card->FaceUp ? '.' : '*';
        QCOMPARE(shown, faces);
        QCOMPARE(form->Stock()->Pile.size(), stock - faces.size());
        QCOMPARE(form->MoveCount(), faces.isEmpty() ? 1 : 2);
        form->Undo1Click();
        QCOMPARE(TableKit::Snapshot(*form), before);
        QCOMPARE(form->MoveCount(), 0);
    }

    void uncoveredBottomCardTurnsUpAndUndoTurnsItDown_data() {
        QTest::addColumn<int>("stock");
        QTest::newRow("while the stock lasts") << 5;
        QTest::newRow("once the stock is empty") << 0;
    }

    void uncoveredBottomCardTurnsUpAndUndoTurnsItDown() {
        QFETCH(int, stock);
        Lay({{"TableauPile3", "7C* 5H"}, {"FoundPile2", "AH 2H 3H 4H"}}, stock);
        MouseKit::DoubleClick(V("TableauPile3"), TableKit::CardPoint(V("TableauPile3"), 1));
        QCOMPARE(Pile("TableauPile3"), QStringLiteral("7C"));
        form->Undo1Click();
        QCOMPARE(Pile("TableauPile3"), QStringLiteral("7C* 5H"));
        QCOMPARE(Pile("FoundPile2"), QStringLiteral("AH 2H 3H 4H"));
        QCOMPARE(form->MoveCount(), 0);
    }
};

QTEST_MAIN(TestIndianPatience)
#include "tst_indian.moc"
