#include "cards/Random.h"
#include "cards/TCard.h"
#include "cards/TCardPile.h"

#include <QTest>

// Card and pile behaviour that every game relies on.
class TestCardPile : public QObject {
    Q_OBJECT
private slots:
    void cardColourFollowsSuitAndIsStored();
    void flipTwiceRestoresCard();
    void cardAtOnEmptyPileIsNullForAnyIndex();
    void deckIsBuiltValueMajorInSuitOrder();
    void shuffleOfOneCardChangesNothing();
    void shuffleFollowsTheGenerator();
    void flipReversesAndTurnsEveryCard();
    void emptyWithoutDestroyThenWithDestroyFreesEachCardOnce();
    void removeCardTakesOnlyTheLowerOfTwoEntries();
    void indexErrorsOutsideTheList();
    void generatorMatchesTheKnownSequence();
};

void TestCardPile::cardColourFollowsSuitAndIsStored() {
    for (int s = FS_CLUBS; s <= FS_HEARTS; ++s) {
        TCard card(static_cast<_CardSuit>(s), FS_TEN);
        const _CardColor expected = s <= FS_SPADES ? FS_BLACK : FS_RED;
        QCOMPARE(card.GetCardColor(), expected);
        QCOMPARE(card.Color, expected);
    }
}

void TestCardPile::flipTwiceRestoresCard() {
    TCard card(FS_HEARTS, FS_QUEEN, 1);
    QVERIFY(card.FaceUp);
    card.Flip();
    QVERIFY(!card.FaceUp);
    card.Flip();
    QVERIFY(card.FaceUp);
    QCOMPARE(card.Suit, FS_HEARTS);
    QCOMPARE(card.Value, FS_QUEEN);
}

void TestCardPile::cardAtOnEmptyPileIsNullForAnyIndex() {
    TCardPile pile;
    QCOMPARE(pile.CardAt(TCardPile::TOP_INDEX), nullptr);
    QCOMPARE(pile.CardAt(0), nullptr);
    QCOMPARE(pile.CardAt(57), nullptr);
    TCard one;
    pile.AddCard(&one);
    QCOMPARE(pile.CardAt(TCardPile::TOP_INDEX), &one);
}

void TestCardPile::deckIsBuiltValueMajorInSuitOrder() {
    TCardPile pile;
    pile.AddDeck();
    QCOMPARE(pile.GetCardCount(), 52);
    QCOMPARE(pile.Count, 52);
    auto is = [&](int i, _CardSuit s, _CardValue v) {
        TCard* c = pile.CardAt(i);
        return c->Suit == s && c->Value == v && !c->FaceUp;
    };
    QVERIFY(is(0, FS_CLUBS, FS_ACE));
    QVERIFY(is(3, FS_HEARTS, FS_ACE));
    QVERIFY(is(4, FS_CLUBS, FS_TWO));
    QVERIFY(is(TCardPile::TOP_INDEX, FS_HEARTS, FS_KING));
    pile.AddDeck();
    QCOMPARE(pile.GetCardCount(), 104);
    QVERIFY(is(52, FS_CLUBS, FS_ACE));
    pile.Empty(true);
    QCOMPARE(TCard::LiveCount(), 0);
}

void TestCardPile::shuffleOfOneCardChangesNothing() {
    TCardPile pile;
    TCard card;
    pile.AddCard(&card);
    TRandom::Seed(42);
    pile.Shuffle();
    QCOMPARE(pile.CardAt(0), &card);
    TCardPile empty;
    empty.Shuffle(); // must not divide by zero
    QVERIFY(empty.isEmpty());
}

void TestCardPile::shuffleFollowsTheGenerator() {
    TCardPile pile;
    pile.AddDeck();
    QList<TCard*> expected = pile.Cards;
    TRandom::Seed(12345);
    std::uint32_t s = 12345;
    for (int i = 0; i < 52; ++i) {
        s = s * 22695477u + 1u;
        const int j = static_cast<int>((s >> 16) & 0x7FFF) % 52;
        if (j != i)
            expected.swapItemsAt(i, j);
    }
    pile.Shuffle();
    QCOMPARE(pile.Cards, expected);
    pile.Empty(true);
}

void TestCardPile::flipReversesAndTurnsEveryCard() {
    TCard ace(FS_CLUBS, FS_ACE, 0), two(FS_CLUBS, FS_TWO, 0), three(FS_CLUBS, FS_THREE, 1);
    TCardPile pile;
    pile.AddCard(&ace);
    pile.AddCard(&two);
    pile.AddCard(&three);
    pile.Flip();
    QCOMPARE(pile.Cards, (QList<TCard*>{&three, &two, &ace}));
    QVERIFY(!three.FaceUp);
    QVERIFY(two.FaceUp);
    QVERIFY(ace.FaceUp);
}

void TestCardPile::emptyWithoutDestroyThenWithDestroyFreesEachCardOnce() {
    const int before = TCard::LiveCount();
    TCardPile table, saved;
    table.AddDeck();
    table.CopyPileTo(saved);
    QCOMPARE(saved.Cards, table.Cards);
    QCOMPARE(TCard::LiveCount(), before + 52);
    table.Empty(false);
    QCOMPARE(TCard::LiveCount(), before + 52);
    saved.Empty(true);
    QCOMPARE(TCard::LiveCount(), before);
}

void TestCardPile::removeCardTakesOnlyTheLowerOfTwoEntries() {
    TCard a, b;
    TCardPile pile;
    pile.AddCard(&a);
    pile.AddCard(&b);
    pile.AddCard(&a);
    pile.RemoveCard(&a);
    QCOMPARE(pile.Cards, (QList<TCard*>{&b, &a}));
    TCard absent;
    pile.RemoveCard(&absent);
    QCOMPARE(pile.size(), 2);
    QCOMPARE(pile.CardIndex(&absent), -1);
    QCOMPARE(pile.CardIndex(&a), 1);
}

void TestCardPile::indexErrorsOutsideTheList() {
    TCard a;
    TCardPile pile;
    pile.AddCard(&a);
    QVERIFY_THROWS_EXCEPTION(EListError, pile.CardAt(1));
    QVERIFY_THROWS_EXCEPTION(EListError, pile.InsertCard(&a, 3));
    pile.InsertCard(&a, 0);
    QCOMPARE(pile.size(), 2);
    pile.InsertCard(&a, TCardPile::TOP_INDEX);
    QCOMPARE(pile.size(), 3);
}

void TestCardPile::generatorMatchesTheKnownSequence() {
    // Seed 1 gives the well-known first outputs of this linear congruential generator.
    TRandom::Seed(1);
    QCOMPARE(TRandom::Next(), 346);
    QCOMPARE(TRandom::Next(), 130);
    QCOMPARE(TRandom::Next(), 10982);
}

QTEST_APPLESS_MAIN(TestCardPile)
#include "tst_cardpile.moc"
