#include "cards/MontanaGrid.h"
#include "cards/Random.h"
#include "cards/TCard.h"
#include "cards/TCardPile.h"

#include <QPoint>
#include <QTest>
#include <memory>
#include <vector>

using Montana::TGrid;
using Montana::TPos;

namespace {

const char Ranks[] = "A23456789TJQK";
const char Suits[] = "CSDH";

// One deck and grids written in card notation: a row is up to 13 cards ("7H", "." for a gap),
// rows separated by "|", missing places are gaps.
struct Deck {
    std::vector<std::unique_ptr<TCard>> cards;
    Deck() {
        for (int s = 0; s < 4; ++s)
            for (int v = 0; v < 13; ++v)
                cards.push_back(
                    std::make_unique<TCard>(static_cast<_CardSuit>(s), static_cast<_CardValue>(v), 1));
    }
    TCard* Card(const QString& name) const {
        const int v = static_cast<int>(QByteArray(Ranks).indexOf(name[0].toLatin1()));
        const int s = static_cast<int>(QByteArray(Suits).indexOf(name[1].toLatin1()));
        return cards[s * 13 + v].get();
    }
    TGrid Grid(const QString& text) const {
        TGrid grid{};
        const QStringList rows = text.split('|');
        for (int r = 0; r < rows.size() && r < Montana::Rows; ++r) {
            const QStringList names = rows[r].split(' ', Qt::SkipEmptyParts);
            for (int c = 0; c < names.size() && c < Montana::Columns; ++c)
                grid[r][c] = names[c] == "." ? nullptr : Card(names[c]);
        }
        return grid;
    }
};

// Places are written column, row, from 1; a null point is none.
QPoint Point(const std::optional<TPos>& pos) {
    return pos ? QPoint(pos->Column + 1, pos->Row + 1) : QPoint();
}
TPos Place(QPoint p) {
    return {p.y() - 1, p.x() - 1};
}

} // namespace

// The rules of the gaps, which card fits, what a click brings, what is in place and what a redeal
// keeps: plain functions over the 4 x 13 grid.
class TestMontanaGrid : public QObject {
    Q_OBJECT

private slots:
    void gapTakesTheFollowerOfItsLeftNeighbour_data() {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QPoint>("gap");
        QTest::addColumn<QString>("card");
        QTest::addColumn<bool>("fits");
        QTest::newRow("first column takes any 2") << ". 5C" << QPoint(1, 1) << "2S" << true;
        QTest::newRow("first column takes only a 2") << ". 3S" << QPoint(1, 1) << "3C" << false;
        QTest::newRow("the next card in suit") << "7H ." << QPoint(2, 1) << "8H" << true;
        QTest::newRow("not another suit") << "7H ." << QPoint(2, 1) << "8D" << false;
        QTest::newRow("not two ranks up") << "7H ." << QPoint(2, 1) << "9H" << false;
        QTest::newRow("not a 2 outside the first column") << "3C . |." << QPoint(2, 1) << "2C" << false;
        QTest::newRow("nothing right of a King") << "2C KH ." << QPoint(3, 1) << "AH" << false;
        QTest::newRow("nothing right of a gap") << "7H . ." << QPoint(3, 1) << "8H" << false;
        QTest::newRow("a place that holds a card") << "7H 9C" << QPoint(2, 1) << "8H" << false;
    }
    void gapTakesTheFollowerOfItsLeftNeighbour() {
        QFETCH(QString, grid);
        QFETCH(QPoint, gap);
        QFETCH(QString, card);
        QFETCH(bool, fits);
        const Deck deck;
        QCOMPARE(Montana::Fits(deck.Grid(grid), Place(gap), deck.Card(card)), fits);
    }

    void clickOnACardSendsItToItsGap_data() {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QPoint>("card");
        QTest::addColumn<QPoint>("gap");
        QTest::newRow("a 2 to the first empty first-column place")
            << "3C|. 2D|4S|." << QPoint(2, 2) << QPoint(1, 2);
        QTest::newRow("even from the first column") << "2S|3C|.|4D" << QPoint(1, 1) << QPoint(1, 3);
        QTest::newRow("a 2 with the first column full") << "2S 2H|3C|4C|5C" << QPoint(2, 1) << QPoint();
        QTest::newRow("9 right of its 8") << "5H 9C|3H 8C .|4H" << QPoint(2, 1) << QPoint(3, 2);
        QTest::newRow("9 whose 8 has a neighbour") << "5H 9C|3H 8C 4D" << QPoint(2, 1) << QPoint();
        QTest::newRow("9 whose 8 is last in its row")
            << "5H 9C|. . . . . . . . . . . . 8C" << QPoint(2, 1) << QPoint();
    }
    void clickOnACardSendsItToItsGap() {
        QFETCH(QString, grid);
        QFETCH(QPoint, card);
        QFETCH(QPoint, gap);
        const Deck deck;
        QCOMPARE(Point(Montana::GapFor(deck.Grid(grid), Place(card))), gap);
    }

    void clickOnAGapBringsTheCardThatFits_data() {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QPoint>("gap");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<bool>("afterKing");
        QTest::newRow("right of the 7 of hearts") << "7H .|5C 8H" << QPoint(2, 1) << QPoint(2, 2) << false;
        QTest::newRow("right of a King") << "KH .|QS" << QPoint(2, 1) << QPoint() << true;
        QTest::newRow("right of a gap") << "7H . .|8H" << QPoint(3, 1) << QPoint() << false;
        QTest::newRow("the 2 of the 3 on the right, from another first column")
            << "2D|2S 5H|. 3S|2C" << QPoint(1, 3) << QPoint(1, 2) << false;
        QTest::newRow("else the first 2 not in the first column")
            << "2D 9C 2H|. 4S 2C" << QPoint(1, 2) << QPoint(3, 1) << false;
    }
    void clickOnAGapBringsTheCardThatFits() {
        QFETCH(QString, grid);
        QFETCH(QPoint, gap);
        QFETCH(QPoint, from);
        QFETCH(bool, afterKing);
        const Deck deck;
        const TGrid g = deck.Grid(grid);
        QCOMPARE(Point(Montana::CardFor(g, Place(gap))), from);
        QCOMPARE(Montana::AfterKing(g, Place(gap)), afterKing);
    }

    void rowKeepsItsRunFromATwo_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("kept");
        QTest::addColumn<int>("refillFrom"); // from 1
        QTest::addColumn<bool>("gapAfterRun");
        QTest::newRow("no 2 first") << "3H 4H 5H" << 0 << 1 << false;
        QTest::newRow("a gap first") << ". 2H 3H" << 0 << 1 << false;
        QTest::newRow("a lone 2 before a gap") << "2D . 3D" << 1 << 2 << false;
        QTest::newRow("a lone 2 before another card") << "2D 5C" << 1 << 3 << true;
        QTest::newRow("a run to a card that breaks it") << "2D 3D 4D 9S" << 3 << 5 << true;
        QTest::newRow("a run to a gap") << "2D 3D 4D . 5D" << 3 << 5 << true;
        QTest::newRow("a run keeps its suit") << "2D 3H 4D" << 1 << 3 << true;
        QTest::newRow("a complete row") << "2H 3H 4H 5H 6H 7H 8H 9H TH JH QH KH 4C" << 12 << 14 << true;
    }
    // The run from the first column is what counts as in place, and what a redeal keeps.
    void rowKeepsItsRunFromATwo() {
        QFETCH(QString, row);
        QFETCH(int, kept);
        QFETCH(int, refillFrom);
        QFETCH(bool, gapAfterRun);
        const Deck deck;
        QString other = row; // the same row in two other suits
        other.replace('H', 'S').replace('D', 'C');
        const TGrid grid = deck.Grid(row + "|" + other);
        const Montana::TRowPlan plan = Montana::PlanRow(grid, 0);
        QCOMPARE(plan.Kept, kept);
        QCOMPARE(plan.RefillFrom + 1, refillFrom);
        QCOMPARE(plan.GapAfterRun, gapAfterRun);
        QCOMPARE(Montana::Score(grid), 2 * kept);
    }

    // Each row keeps its run; the rest and the Aces are shuffled once with the program's generator,
    // dealt from each refill column on, and the Aces taken out again: four gaps, kept ones included.
    void shuffleRemainingKeepsRunsAndEndsWithFourGaps() {
        const Deck deck;
        TGrid grid = deck.Grid("2D 3D 4D 5S 6S 7S 8S 9S . TS JS QS KS|. 2C 3C 4C 5C 6C 7C 8C 9C TC JC QC KC|"
                               "2S . 3S 4S 5D 6D 7D 8D 9D TD JD QD KD|2H 3H 4H 5H 6H 7H 8H 9H TH JH QH KH .");
        const TGrid before = grid;
        TCardPile aside;
        for (const char* ace : {"AC", "AS", "AD", "AH"})
            aside.AddCard(deck.Card(ace));
        TRandom::Seed(1234);
        QList<int> rowsFilled;
        Montana::ShuffleRemaining(grid, aside, {{}, {}, [&](int row) { rowsFilled << row; }});
        QCOMPARE(rowsFilled, (QList<int>{0, 1, 2, 3}));
        const std::uint32_t after = TRandom::State();
        TRandom::Seed(1234);
        for (int i = 0; i < 9 + 12 + 11 + 4; ++i) // one draw per card gathered
            TRandom::Next();
        QCOMPARE(after, TRandom::State());
        const auto kept = [&](int r, int n) {
            return std::equal(grid[r].begin(), grid[r].begin() + n, before[r].begin());
        };
        QVERIFY(kept(0, 3) && !grid[0][3] && kept(2, 1) && kept(3, 12) && !grid[3][12]);
        int gaps = 0;
        for (const auto& row : grid)
            for (const TCard* card : row)
                gaps += !card;
        QCOMPARE(gaps, 4);
        for (const TCard* ace : aside.Cards)
            QCOMPARE(ace->Value, FS_ACE);
        QCOMPARE(aside.size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestMontanaGrid)
#include "tst_montanagrid.moc"
