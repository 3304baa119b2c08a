#include "cards/TCard.h"
#include "games/montana/TMontanaForm.h"
#include "games/montana/TsMontanaForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QTest>

// Montana played through its real window with synthetic mouse input: what the player sees.
class TestMontana : public QObject, GameWindowTest<TMontanaForm, TsMontanaForm> {
    Q_OBJECT

    // The place at column c, row r (from 1).
    TCardPileView* P(int c, int r) const { return form->At({r - 1, c - 1}); }
    TCardPileView* P(QPoint p) const { return P(p.x(), p.y()); }
    // Lays out rows written as "7H . 8C|..." ("." a gap; rows from the top, places from the left).
    void Lay(const QString& rows) {
        QList<std::pair<QString, QString>> piles{{"DiscardPileView", "AC AS AD AH"}};
        const QStringList lines = rows.split('|');
        for (int r = 0; r < lines.size(); ++r) {
            const QStringList cards = lines[r].split(' ', Qt::SkipEmptyParts);
            for (int c = 0; c < cards.size(); ++c)
                if (cards[c] != ".")
                    piles.append({P(c + 1, r + 1)->objectName(), cards[c]});
        }
        TableKit::Arrange(*form, piles, QString());
    }
    QString Row(int r) const {
        QStringList cards;
        for (int c = 1; c <= 13; ++c)
            cards << (P(c, r)->Pile.isEmpty() ? QStringLiteral(".") : TableKit::Describe(P(c, r)->Pile));
        while (!cards.isEmpty() && cards.last() == ".")
            cards.removeLast();
        return cards.join(' ');
    }
    QPoint Centre() const { return QPoint(30, 40); }

private slots:
    void init() { Start(1212, false); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // Dealt column by column face up, the Aces set aside in the hidden pile; the caption is the one
    // from before the deal, whatever the deal put in place.
    void dealFillsTheGridAndTakesOutTheAces() {
        const QList<TCard*>& deck = form->SavedDeal().Cards;
        for (int i = 0; i < 52; ++i) {
            TCard* card = deck[51 - i];
            const QList<TCard*> expected = card->Value == FS_ACE ? QList<TCard*>{} : QList<TCard*>{card};
            QCOMPARE(P(i / 4 + 1, i % 4 + 1)->Pile.Cards, expected);
        }
        QCOMPARE(Pile("DiscardPileView").count('A'), 4);
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana"));
        QCOMPARE(form->maximumSize(), QSize(1041, 580));
        const QString deal = TableKit::Snapshot(*form);
        form->NewGame1Click(form->Item("Restart1"));
        QCOMPARE(TableKit::Snapshot(*form), deal);
        ReopenSmall();
        QCOMPARE(P(13, 4)->geometry(), QRect(735, 320, 61, 95));
    }

    void clickMovesACardOrFillsAGap_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QPoint>("from"); // null: nothing moves
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("caption");
        const QString full = QStringLiteral("Montana   Score: 2");
        QTest::newRow("gap right of the 7 of hearts")
            << "2C 3C 7H .|8H" << QPoint(4, 1) << QPoint(1, 2) << QPoint(4, 1) << full;
        QTest::newRow("gap right of a King: nothing, not even the caption")
            << "2C 3C KH .|8H" << QPoint(4, 1) << QPoint() << QPoint() << "Montana";
        QTest::newRow("gap right of a gap: nothing, but the after-move routine runs")
            << "2C 3C . .|8H" << QPoint(4, 1) << QPoint() << QPoint() << full;
        QTest::newRow("the 9 of clubs goes right of the 8")
            << "2C 3C 8C .|9C" << QPoint(1, 2) << QPoint(1, 2) << QPoint(4, 1) << full;
        QTest::newRow("a card that fits no gap stays")
            << "2C 3C 8C 5H .|9C" << QPoint(1, 2) << QPoint() << QPoint() << "Montana";
    }
    // A press moves the card into its gap, or brings the card that fits the gap (the rules themselves:
    // tst_montanagrid); Undo takes it back.
    void clickMovesACardOrFillsAGap() {
        QFETCH(QString, rows);
        QFETCH(QPoint, click);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QString, caption);
        Lay(rows);
        const QString before = TableKit::Snapshot(*form);
        const QString card = from.isNull() ? QString() : TableKit::Describe(P(from)->Pile);
        MouseKit::Click(P(click), Centre());
        QCOMPARE(form->windowTitle(), caption);
        if (from.isNull()) {
            QCOMPARE(TableKit::Snapshot(*form), before);
            QCOMPARE(form->MoveCount(), 0);
            return;
        }
        QVERIFY(P(from)->Pile.isEmpty());
        QCOMPARE(TableKit::Describe(P(to)->Pile), card);
        QCOMPARE(form->MoveCount(), 1);
        form->Undo1Click();
        QCOMPARE(TableKit::Snapshot(*form), before);
        QCOMPARE(form->MoveCount(), 0);
    }

    // A double-click arrives as a press, which moves the card, then a second press on the place it
    // left, which fills that gap in turn: two moves, taken back one at a time.
    void doubleClickMovesTheCardThenFillsItsPlace() {
        Lay("2H 5S 6S 3D 9C|4H 7C 8C . 4D");
        const QString before = TableKit::Snapshot(*form);
        MouseKit::DoubleClick(P(5, 1), Centre());
        QCOMPARE(Row(1), QStringLiteral("2H 5S 6S 3D 4D"));
        QCOMPARE(Row(2), QStringLiteral("4H 7C 8C 9C"));
        QCOMPARE(form->MoveCount(), 2);
        form->Undo1Click();
        QCOMPARE(Row(1), QStringLiteral("2H 5S 6S 3D"));
        form->Undo1Click();
        QCOMPARE(TableKit::Snapshot(*form), before);
        MouseKit::DoubleClick(P(2, 1), Centre()); // fits nowhere
        QCOMPARE(TableKit::Snapshot(*form), before);
        QCOMPARE(form->MoveCount(), 0);
    }

    // A card drags only into a gap it fits; once such a gap was passed over, letting go anywhere,
    // even on the bare table with Smart Dragging off, puts it there. (A press moves a card that fits
    // at once, so in play a drag never lands; the test opens the gap after the press.)
    void dragGoesOnlyToAFittingGap() {
        Lay("2C 3C 8C 5H|9C 5D .|9D");
        TableKit::DragCard(P(1, 2), 0, P(2, 2)); // onto a card
        TableKit::DragCard(P(1, 3), 0, P(3, 2)); // into a gap it does not fit
        QCOMPARE(Row(2), QStringLiteral("9C 5D"));
        QCOMPARE(Row(3), QStringLiteral("9D"));
        QCOMPARE(form->MoveCount(), 0);
        MouseKit::Press(P(1, 2), Centre());
        P(4, 1)->Pile.Empty(false);
        MouseKit::Move(P(1, 2), Centre() + QPoint(10, 10));
        MouseKit::Move(P(4, 1), Centre());
        MouseKit::Move(form, QPoint(500, 140)); // bare table between the rows
        MouseKit::Release(form, QPoint(500, 140));
        QCOMPARE(Row(1), QStringLiteral("2C 3C 8C 9C"));
        QCOMPARE(form->MoveCount(), 1);
        form->Undo1Click();
        QCOMPARE(Row(2), QStringLiteral("9C 5D"));
    }

    // Twice per game, never undone, no move; it recounts and checks for the win, and a card held in
    // a drag goes home first.
    void shuffleRemainingTwiceThenLocked() {
        Lay("2D 3D 4D 9S 5S 6S 7S 8S . TS JS QS KS|"
            ". 2C 3C 4C 5C 6C 7C 8C 9C TC JC QC KC|"
            "2S . 3S 4S 5D 6D 7D 8D 9D TD JD QD KD|"
            "2H 3H 4H 5H 6H 7H 8H 9H TH JH QH KH");
        MouseKit::Click(P(2, 3), Centre()); // brings the 3 of spades: a move Undo could take back
        QCOMPARE(form->MoveCount(), 1);
        MouseKit::Press(P(5, 1), Centre());
        MouseKit::Move(P(5, 1), Centre() + QPoint(10, 10));
        QVERIFY(P(5, 1)->IsDragging());
        form->activateWindow();
        QTest::keyClick(form->windowHandle(), Qt::Key_F2);
        QVERIFY(!P(5, 1)->IsDragging());
        MouseKit::Release(P(5, 1), Centre());
        QCOMPARE(Row(1).left(11), QStringLiteral("2D 3D 4D . "));
        QCOMPARE(Row(3).left(8), QStringLiteral("2S 3S . "));
        QCOMPARE(Row(4), QStringLiteral("2H 3H 4H 5H 6H 7H 8H 9H TH JH QH KH"));
        QCOMPARE(Pile("DiscardPileView").count('A'), 4);
        QCOMPARE(form->MoveCount(), 1);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana   Score: %1").arg(form->ComputeScore()));
        fx->Prefs.DoAnimation = true; // shown row by row
        fx->Sounds->Clear();
        form->Shuffle1Click();
        QCOMPARE(fx->Sounds->Names(), (QStringList{"SHUFFLE", "DEAL", "DEAL", "DEAL", "DEAL"}));
        int cards = 0;
        for (int i = 0; i < 52; ++i)
            cards += P(i % 13 + 1, i / 13 + 1)->Pile.size();
        QCOMPARE(cards, 48);
        QCOMPARE(Pile("DiscardPileView").count('A'), 4);
        QCOMPARE(form->RedealCount(), 2);
        QVERIFY(!form->Item("Shuffle1")->isEnabled());
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(form->Item("Shuffle1")->isEnabled());

        // A grid already complete when shuffled is won there, once.
        Lay("2C 3C 4C 5C 6C 7C 8C 9C TC JC QC KC|2S 3S 4S 5S 6S 7S 8S 9S TS JS QS KS|"
            "2D 3D 4D 5D 6D 7D 8D 9D TD JD QD KD|2H 3H 4H 5H 6H 7H 8H 9H TH JH QH KH");
        GameAccess::SetMoves(form, 10);
        form->Shuffle1Click();
        QVERIFY(form->GameOver());
        QCOMPARE(fx->WinWindows, 1);
        QVERIFY(!form->Item("Shuffle1")->isEnabled());
        QCOMPARE(TableKit::Section("Montana").Read("GamesWon"), QStringLiteral("1"));
        MouseKit::DoubleClick(P(13, 1), Centre());
        QCOMPARE(fx->WinWindows, 1);
    }
};

QTEST_MAIN(TestMontana)
#include "tst_montana.moc"
