#include "cards/TCard.h"
#include "games/spider/TSpiderForm.h"
#include "games/spider/TsSpiderForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QTest>

using TableKit::DragCard;

namespace {

// The run of one suit from rank `high` down to `low` (1 = Ace .. 13 = King), bottom first.
QString Run(char suit, int high, int low = 1) {
    QStringList cards;
    for (int v = high; v >= low; --v)
        cards << QString(QChar("A23456789TJQK"[v - 1])) + QChar(suit);
    return cards.join(' ');
}

} // namespace

// Spider played through its real window with synthetic mouse input.
class TestSpider : public QObject, GameWindowTest<TSpiderForm, TsSpiderForm> {
    Q_OBJECT

private slots:
    void init() { Start(6161, false); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // Five cards in columns 1-4, four in 5-10, from the top of the stock row by row, only the tops face up.
    void dealGivesFortyFourCardsWithOnlyTheTopsFaceUp() {
        const QList<TCard*>& deck = form->SavedDeal().Cards;
        QCOMPARE(deck.size(), 104);
        for (int c = 0; c < 10; ++c) {
            const TCardPile& column = form->Tableau()[c]->Pile;
            QCOMPARE(column.size(), c < 4 ? 5 : 4);
            for (int r = 0; r < column.size(); ++r)
                QVERIFY(column.CardAt(r) == deck[103 - (10 * r + c)] &&
                        column.CardAt(r)->FaceUp == (r == column.size() - 1));
        }
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("60"));
    }

    // With a column empty the row deal is refused with a message; once it is filled, ten cards go out face
    // up. Its Undo puts them back on the stock in their order, silently, leaving the move count.
    void rowDealNeedsEveryColumnFilledAndUndoesSilently() {
        QList<std::pair<QString, QString>> piles{{"TableauPile1", "9S 8H"}};
        const QStringList tops{"KC", "KS", "KD", "KH", "QC", "QS", "QD", "QH"};
        for (int c = 2; c <= 9; ++c)
            piles.append({QStringLiteral("TableauPile%1").arg(c), tops[c - 2]});
        TableKit::Arrange(*form, piles, "DeckPileView");
        const QString before = TableKit::Snapshot(*form);
        MouseKit::Click(V("DeckPileView"), QPoint(10, 10));
        QCOMPARE(fx->Messages.Informations, QStringList{"You must fill empty tableau spaces first."});
        QCOMPARE(TableKit::Snapshot(*form), before);

        DragCard(V("TableauPile1"), 1, V("TableauPile10"));
        QCOMPARE(form->MoveCount(), 2);
        const QList<TCard*> stock = form->Stock()->Pile.Cards;
        QTest::keyClick(form, Qt::Key_Space);
        for (int c = 0; c < 10; ++c)
            QVERIFY(form->Tableau()[c]->Pile.Top() == stock[stock.size() - 1 - c] &&
                    form->Tableau()[c]->Pile.Top()->FaceUp);
        QCOMPARE(form->MoveCount(), 3);
        QVERIFY(!form->Item("SameSuitBuilds1")->isEnabled());

        fx->Sounds->Clear();
        form->Undo1Click();
        QCOMPARE(form->Stock()->Pile.Cards, stock);
        QVERIFY(std::none_of(stock.begin(), stock.end(), [](const TCard* card) { return card->FaceUp; }));
        QCOMPARE(form->MoveCount(), 3);
        QVERIFY(fx->Sounds->Empty());
        QCOMPARE(form->Stock()->Hint(), QString::number(stock.size()));
        form->Undo1Click(); // the drag: back where it was, one move less
        QCOMPARE(TableKit::Snapshot(*form), before);
        QCOMPARE(form->MoveCount(), 2);
    }

    void groupsMoveAndDrop_data() {
        QTest::addColumn<QString>("group"); // on a face-down card in column 1; "*" marks the card taken
        QTest::addColumn<bool>("sameSuit");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("holds");
        QTest::addColumn<bool>("moves");
        const auto row = [](const char* name, QString group, bool sameSuit, QString target, QString holds,
                            bool moves) {
            QTest::newRow(name) << group << sameSuit << target << holds << moves;
        };
        row("mixed run by rank", "*9S 8H 7C", false, "TableauPile2", "", true);
        row("mixed run, same suit", "*9S 8H 7C", true, "TableauPile2", "", false);
        row("its top, same suit", "9S 8H *7C", true, "TableauPile2", "", true);
        row("rank gap", "*9S 7H", false, "TableauPile2", "", false);
        row("face-down card", "KD *9S* 8H 7C", false, "TableauPile2", "", false);
        row("a 6 on any 7, same suit", "*6H", true, "TableauPile2", "7S", true);
        row("a 6 on an 8", "*6H", false, "TableauPile2", "8H", false);
        row("King to Ace home", "*" + Run('S', 13), false, "FoundPile1", "", true);
        row("on a full foundation", "*" + Run('S', 13), false, "FoundPile1", Run('H', 13), false);
        row("twelve cards from the Queen", "*" + Run('S', 12), false, "FoundPile1", "", false);
        row("twelve cards from the King", "*" + Run('S', 13, 2), false, "FoundPile1", "", false);
        row("two suits", "*" + Run('S', 13, 7) + ' ' + Run('H', 6), false, "FoundPile1", "", false);
    }

    // Runs are taken by rank, or in suit with Same Suit Moves, never from a hidden card; a column takes a
    // group one rank below its top whatever the suits, an empty foundation a complete suit, in a drag
    // counted as two moves whose Undo (with the turn-up) takes back one.
    void groupsMoveAndDrop() {
        QFETCH(QString, group);
        QFETCH(bool, sameSuit);
        QFETCH(QString, target);
        QFETCH(QString, holds);
        QFETCH(bool, moves);
        const int index = static_cast<int>(group.left(group.indexOf('*')).count(' ')) + 1;
        const QString column = "3D* " + QString(group).remove(group.indexOf('*'), 1);
        TableKit::Arrange(*form, {{"TableauPile1", column}, {target, holds}}, QString());
        if (sameSuit)
            form->SameSuitBuilds1Click();
        DragCard(V("TableauPile1"), index, form->View(target), QPoint(10, 10));
        QCOMPARE(Pile("TableauPile1") == column, !moves);
        QCOMPARE(form->MoveCount(), moves ? 2 : 0);
        if (!moves)
            return;
        QCOMPARE(form->windowTitle(),
                 target == "FoundPile1" ? QStringLiteral("Spider   Score: 13") : QStringLiteral("Spider"));
        form->Undo1Click();
        QCOMPARE(Pile("TableauPile1"), column);
        QCOMPARE(form->MoveCount(), 1);
    }

    // Same Suit Moves is stored at once and locked by the first drag or row deal until a new game (not a
    // restart); a win whose window deals a new game leaves that game unlocked.
    void sameSuitMovesLocksForTheRestOfTheGame() {
        QAction* option = form->Item("SameSuitBuilds1");
        option->trigger();
        QCOMPARE(TableKit::Section("Spider").Read("SameSuitBuilds"), QStringLiteral("True"));
        form->DeckPileViewClick();
        form->NewGame1Click(form->Item("Redeal1"));
        QVERIFY(!option->isEnabled());
        form->NewGame1Click(form->Item("NewGame1"));
        QVERIFY(option->isEnabled() && option->isChecked());

        QList<std::pair<QString, QString>> piles{{"TableauPile1", Run('H', 13)}};
        for (int f = 0; f < 7; ++f)
            piles.append({QStringLiteral("FoundPile%1").arg(f + 1), Run("CSDH"[f % 4], 13)});
        TableKit::Arrange(*form, piles, QString());
        fx->WinAnswer = TAppContext::WinNewGame;
        DragCard(V("TableauPile1"), 0, V("FoundPile8"));
        QCOMPARE(fx->WinWindows, 1);
        QCOMPARE(form->Stock()->Pile.size(), 60); // the new game
        QVERIFY(option->isEnabled());
    }
};

QTEST_MAIN(TestSpider)
#include "tst_spider.moc"
