#include "cards/TCard.h"
#include "games/castle/TCastleForm.h"
#include "games/castle/TsCastleForm.h"
#include "support/GameFixture.h"
#include "support/TableKit.h"

#include <QAction>
#include <QTest>

// Beleaguered Castle played through its real window with synthetic mouse input.
class TestCastle : public QObject, GameWindowTest<TCastleForm, TsCastleForm> {
    Q_OBJECT

private slots:
    void init() { Start(4141, false); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // The Aces go home from the bottom of the deck up, the other cards round by round from its top; the
    // caption shows their score only from the first move on; Restart deals the same, animated too.
    void acesGoHomeFromTheBottomAndSixRoundsFillTheRows() {
        for (int deal = 0; deal < 2; ++deal) {
            QList<TCard*> rest;
            int aces = 0;
            for (TCard* card : form->SavedDeal().Cards) {
                if (card->Value == FS_ACE)
                    QCOMPARE(form->Foundations()[aces++]->Pile.Cards, QList<TCard*>{card});
                else
                    rest << card;
            }
            for (int r = 0; r < 8; ++r) {
                const TCardPile& row = form->Tableau()[r]->Pile;
                QCOMPARE(row.size(), 6);
                for (int i = 0; i < 6; ++i)
                    QVERIFY(row.CardAt(i) == rest[47 - (8 * i + r)] && row.CardAt(i)->FaceUp);
            }
            QVERIFY(!form->Deck()->isVisible()); // it would cover the bottom of row 4
            QCOMPARE(form->windowTitle(), QStringLiteral("Beleaguered Castle"));
            form->DoubleClickAction(form->Tableau()[0]); // even a move that moves nothing shows the score
            QCOMPARE(form->windowTitle(), QStringLiteral("Beleaguered Castle   Score: 4"));
            fx->Prefs.DoAnimation = true;
            fx->Sounds->Clear();
            form->NewGame1Click(form->Item("Restart1"));
            QCOMPARE(fx->Sounds->Count("DEAL"), 4 + 6); // one per Ace, one per round
        }
        QCOMPARE(form->minimumSize(), form->maximumSize());
    }

    void onlyTheLastCardMovesOneRankDownAnySuit_data() {
        QTest::addColumn<QString>("row"); // row 1
        QTest::addColumn<int>("index");   // the card taken
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("holds");
        QTest::addColumn<bool>("moves");
        const auto row = [](const char* name, QString row, int index, QString target, QString holds,
                            bool moves) { QTest::newRow(name) << row << index << target << holds << moves; };
        row("red 9 on red 10", "KC 9H", 1, "TableauPileView6", "TD", true);
        row("9 on 10 of its suit", "KC 9H", 1, "TableauPileView6", "TH", true);
        row("9 on 9", "KC 9H", 1, "TableauPileView6", "9S", false);
        row("9 on Jack", "KC 9H", 1, "TableauPileView6", "JS", false);
        row("any card into an empty row", "KC 5H", 1, "TableauPileView6", "", true);
        row("not the last card", "9H 8C", 0, "TableauPileView6", "", false);
        row("foundation, its suit", "KC 3H", 1, "FoundationPileView2", "AH 2H", true);
        row("foundation, other suit", "KC 3D", 1, "FoundationPileView2", "AH 2H", false);
    }

    // Rows are built down regardless of suit and colour; only a row's last card can be taken.
    void onlyTheLastCardMovesOneRankDownAnySuit() {
        QFETCH(QString, row);
        QFETCH(int, index);
        QFETCH(QString, target);
        QFETCH(QString, holds);
        QFETCH(bool, moves);
        TableKit::Arrange(*form, {{"TableauPileView1", row}, {target, holds}}, QString());
        TableKit::DragCard(V("TableauPileView1"), index, form->View(target), QPoint(10, 10));
        QCOMPARE(Pile("TableauPileView1") == row, !moves);
        QCOMPARE(form->MoveCount(), moves ? 1 : 0);
        if (moves) {
            form->Undo1Click();
            QCOMPARE(Pile("TableauPileView1"), row);
        }
    }
};

QTEST_MAIN(TestCastle)
#include "tst_castle.moc"
