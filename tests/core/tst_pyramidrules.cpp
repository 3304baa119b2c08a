#include "cards/PyramidRules.h"

#include <QTest>

namespace PR = PyramidRules;

// The pyramid's covering rule, its pairs and what a click on the deck does, without a window.
class TestPyramidRules : public QObject {
    Q_OBJECT

private slots:
    // Each card lies under the two cards of the next row at its own place and the place after.
    void eachCardIsCoveredByTwoOfTheRowBelow_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QList<int>>("coveredBy");
        QTest::addColumn<QList<int>>("covers");
        QTest::newRow("apex") << 0 << QList<int>{1, 2} << QList<int>{};
        QTest::newRow("row 3 middle") << 4 << QList<int>{7, 8} << QList<int>{1, 2};
        QTest::newRow("row 6 left edge") << 15 << QList<int>{21, 22} << QList<int>{10};
        QTest::newRow("row 6 right edge") << 20 << QList<int>{26, 27} << QList<int>{14};
        QTest::newRow("row 7 left edge") << 21 << QList<int>{} << QList<int>{15};
        QTest::newRow("row 7 middle") << 24 << QList<int>{} << QList<int>{17, 18};
    }
    void eachCardIsCoveredByTwoOfTheRowBelow() {
        QFETCH(int, position);
        QFETCH(QList<int>, coveredBy);
        QFETCH(QList<int>, covers);
        QCOMPARE(PR::CoveredBy(position), coveredBy);
        QCOMPARE(PR::Covers(position), covers);
        QCOMPARE(PR::PositionAt(PR::RowOf(position), PR::PlaceOf(position)), position);
    }

    // A card is free once both cards over it are gone, and only then.
    void aCardIsFreeWhenBothCoveringCardsAreGone_data() {
        QTest::addColumn<QList<int>>("removed");
        QTest::addColumn<QList<int>>("free");
        QTest::newRow("the deal") << QList<int>{} << QList<int>{21, 22, 23, 24, 25, 26, 27};
        QTest::newRow("one cover of 15 gone") << QList<int>{21} << QList<int>{22, 23, 24, 25, 26, 27};
        QTest::newRow("both covers of 15 gone") << QList<int>{21, 22} << QList<int>{15, 23, 24, 25, 26, 27};
        QTest::newRow("row 2 gone, apex free")
            << QList<int>{1, 2} << QList<int>{0, 21, 22, 23, 24, 25, 26, 27};
        QTest::newRow("a removed card is not free")
            << QList<int>{0} << QList<int>{21, 22, 23, 24, 25, 26, 27};
    }
    void aCardIsFreeWhenBothCoveringCardsAreGone() {
        QFETCH(QList<int>, removed);
        QFETCH(QList<int>, free);
        PR::TPresence present;
        present.set();
        for (int p : removed)
            present.reset(p);
        const PR::TPresence result = PR::FreePositions(present);
        QList<int> actual;
        for (int p = 0; p < PR::Positions; ++p)
            if (result.test(p))
                actual << p;
        QCOMPARE(actual, free);
    }

    // Ranks that total 13 pair (Ace 1, Jack 11, Queen 12); a King goes alone and pairs with nothing.
    void ranksTotallingThirteenPair_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("pairs");
        QTest::newRow("6 and 7") << int(FS_SIX) << int(FS_SEVEN) << true;
        QTest::newRow("Queen and Ace") << int(FS_QUEEN) << int(FS_ACE) << true;
        QTest::newRow("Jack and 2") << int(FS_JACK) << int(FS_TWO) << true;
        QTest::newRow("two 6s") << int(FS_SIX) << int(FS_SIX) << false;
        QTest::newRow("King and Ace") << int(FS_KING) << int(FS_ACE) << false;
        QTest::newRow("King and King") << int(FS_KING) << int(FS_KING) << false;
    }
    void ranksTotallingThirteenPair() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, pairs);
        QCOMPARE(PR::Pairs(_CardValue(a), _CardValue(b)), pairs);
        QCOMPARE(PR::Pairs(_CardValue(b), _CardValue(a)), pairs);
        QCOMPARE(PR::LeavesAlone(_CardValue(a)), a == FS_KING);
    }

    // A click sets the play card aside, then draws, or redeals while passes remain; the recycle
    // mark shows exactly while another pass can come.
    void deckClickDrawsOrRedealsWithinThreePasses_data() {
        QTest::addColumn<int>("pass");
        QTest::addColumn<int>("deck");
        QTest::addColumn<int>("play");
        QTest::addColumn<int>("waste");
        QTest::addColumn<bool>("setAside");
        QTest::addColumn<bool>("draw");
        QTest::addColumn<bool>("redeal");
        QTest::addColumn<bool>("remains");
        QTest::newRow("first draw") << 1 << 24 << 0 << 0 << false << true << false << true;
        QTest::newRow("draw sets play aside") << 1 << 10 << 1 << 5 << true << true << false << true;
        QTest::newRow("deck used up: redeal") << 1 << 0 << 1 << 5 << true << false << true << true;
        QTest::newRow("redeal of the play card") << 2 << 0 << 1 << 0 << true << false << true << true;
        QTest::newRow("third pass used up") << 3 << 0 << 1 << 5 << true << false << false << false;
        QTest::newRow("third pass, deck left") << 3 << 5 << 1 << 0 << true << true << false << false;
        QTest::newRow("nothing left to turn") << 1 << 0 << 0 << 0 << false << false << false << false;
    }
    void deckClickDrawsOrRedealsWithinThreePasses() {
        QFETCH(int, pass);
        QFETCH(int, deck);
        QFETCH(int, play);
        QFETCH(int, waste);
        const PR::TDeckClick click = PR::PlanDeckClick(pass, deck, play, waste);
        QTEST(click.SetAside, "setAside");
        QTEST(click.Draw, "draw");
        QTEST(click.Redeal, "redeal");
        QTEST(PR::RedealRemains(pass, deck, play, waste), "remains");
    }
};

QTEST_GUILESS_MAIN(TestPyramidRules)
#include "tst_pyramidrules.moc"
