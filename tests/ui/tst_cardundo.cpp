#include "cards/TCard.h"
#include "framework/TCardUndo.h"
#include "pileview/TCardPileView.h"

#include <QAction>
#include <QTest>
#include <memory>
#include <vector>

// The move recorder: records, take back, drop last, clear and the Undo item.
class TestCardUndo : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void groupMoveTakenBackReturnsCardsInOrderOnTop();
    void turnUpRecordLeavesTheCardWhereItIs();
    void emptyRecordMovesNothingAndDropLastRemovesIt();
    void takeBackWithNoRecordIsHarmless();
    void peekReadsTheNewestRecordOnly();
    void clearForgetsRecordsButLeavesEveryCard();
    void unequalListsBeepAndNeverPutACardOnTwoPiles();
    void recordKeepsItsOwnCopyOfTheGivenPile();
    void destroyedViewIsSkippedNotTouched();

private:
    TCard* NewCard(_CardValue value);

    std::unique_ptr<QWidget> m_table;
    TCardPileView* m_a = nullptr;
    TCardPileView* m_b = nullptr;
    std::unique_ptr<QAction> m_undo;
    std::vector<std::unique_ptr<TCard>> m_cards;
    int m_beeps = 0;
};

void TestCardUndo::init() {
    m_table = std::make_unique<QWidget>();
    m_a = new TCardPileView(m_table.get());
    m_b = new TCardPileView(m_table.get());
    m_undo = std::make_unique<QAction>("&Undo");
    m_undo->setEnabled(false);
    m_beeps = 0;
    TCardUndo::SetBeepForTests([this] { ++m_beeps; });
}

void TestCardUndo::cleanup() {
    TCardUndo::SetBeepForTests(nullptr);
    m_table.reset();
    m_cards.clear();
}

TCard* TestCardUndo::NewCard(_CardValue value) {
    m_cards.push_back(std::make_unique<TCard>(FS_HEARTS, value, 1));
    return m_cards.back().get();
}

// Three cards moved as a group come back in order on top of what the source holds.
void TestCardUndo::groupMoveTakenBackReturnsCardsInOrderOnTop() {
    TCardUndo undo(m_undo.get());
    TCard* base = NewCard(FS_ACE);
    m_a->Pile.AddCard(base);
    TCardPile group;
    for (auto v : {FS_FIVE, FS_FOUR, FS_THREE})
        group.AddCard(NewCard(v));
    m_b->Pile.AddCard(NewCard(FS_SIX));
    m_b->Pile.AddPile(group);
    undo.RecordGroupMove(m_a, m_b, group);
    QVERIFY(m_undo->isEnabled());
    QCOMPARE(undo.Count(), 1);

    undo.TakeBack();
    QCOMPARE(undo.LastSource, m_a);
    QCOMPARE(undo.LastDest, m_b);
    QCOMPARE(undo.LastCards->Cards, group.Cards); // still readable before drop last
    QCOMPARE(m_a->Pile.Cards, (QList<TCard*>{base} + group.Cards));
    QCOMPARE(m_b->Pile.size(), 1);
    QVERIFY(m_undo->isEnabled());
    undo.DropLast();
    QCOMPARE(undo.LastCards, nullptr);
    QCOMPARE(undo.Count(), 0);
    QVERIFY(!m_undo->isEnabled());
    QCOMPARE(m_beeps, 0);
}

// A turn-up record (source == destination) takes the card off and puts it back on top.
void TestCardUndo::turnUpRecordLeavesTheCardWhereItIs() {
    TCardUndo undo(m_undo.get());
    TCard* under = NewCard(FS_TWO);
    TCard* top = NewCard(FS_NINE);
    m_a->Pile.AddCard(under);
    m_a->Pile.AddCard(top);
    undo.RecordSingleMove(m_a, m_a, top);
    undo.TakeBack();
    QCOMPARE(m_a->Pile.Cards, (QList<TCard*>{under, top}));
    QCOMPARE(undo.LastCards->Cards, QList<TCard*>{top});
    undo.DropLast();
}

// A record with no cards changes nothing on the table.
void TestCardUndo::emptyRecordMovesNothingAndDropLastRemovesIt() {
    TCardUndo undo(m_undo.get());
    m_a->Pile.AddCard(NewCard(FS_TWO));
    m_b->Pile.AddCard(NewCard(FS_THREE));
    undo.RecordSingleMove(m_a, m_b, m_a->Pile.Cards[0]);
    undo.RecordGroupMove(m_a, m_b, TCardPile());
    undo.TakeBack();
    QCOMPARE(m_a->Pile.size(), 1);
    QCOMPARE(m_b->Pile.size(), 1);
    QCOMPARE(undo.LastCards->size(), 0);
    undo.DropLast();
    QCOMPARE(undo.Count(), 1);
    QVERIFY(m_undo->isEnabled()); // one record is left
}

// Take back with no record clears the last fields and disables the item.
void TestCardUndo::takeBackWithNoRecordIsHarmless() {
    TCardUndo undo;
    undo.SetUndoItem(m_undo.get());
    m_undo->setEnabled(true);
    undo.LastSource = m_a;
    undo.TakeBack();
    QCOMPARE(undo.LastSource, nullptr);
    QCOMPARE(undo.LastDest, nullptr);
    QCOMPARE(undo.LastCards, nullptr);
    QVERIFY(!m_undo->isEnabled());
    undo.DropLast(); // nothing to drop
    QCOMPARE(undo.Count(), 0);
}

// Peek reports the newest record and moves nothing.
void TestCardUndo::peekReadsTheNewestRecordOnly() {
    TCardUndo undo(m_undo.get());
    TCard* one = NewCard(FS_TWO);
    TCard* two = NewCard(FS_THREE);
    m_b->Pile.AddCard(one);
    m_a->Pile.AddCard(two);
    undo.Peek();
    QCOMPARE(undo.LastCards, nullptr);
    undo.RecordSingleMove(m_a, m_b, one);
    undo.RecordSingleMove(m_b, m_a, two);
    undo.Peek();
    QCOMPARE(undo.LastSource, m_b);
    QCOMPARE(undo.LastDest, m_a);
    QCOMPARE(undo.LastCards->Cards, QList<TCard*>{two});
    QCOMPARE(m_a->Pile.Cards, QList<TCard*>{two});
    QCOMPARE(undo.Count(), 2);
}

// Clear keeps the cards where they lie and disables the item; destruction does the same.
void TestCardUndo::clearForgetsRecordsButLeavesEveryCard() {
    const int live = TCard::LiveCount();
    {
        TCardUndo undo(m_undo.get());
        for (int i = 0; i < 3; ++i) {
            TCard* card = NewCard(static_cast<_CardValue>(i));
            m_b->Pile.AddCard(card);
            undo.RecordSingleMove(m_a, m_b, card);
        }
        undo.Peek();
        undo.Clear();
        QCOMPARE(undo.Count(), 0);
        QCOMPARE(undo.LastCards, nullptr);
        QCOMPARE(undo.LastSource, nullptr);
        QVERIFY(!m_undo->isEnabled());
        QCOMPARE(m_b->Pile.size(), 3);
        undo.TakeBack(); // nothing left to take back
        QCOMPARE(m_a->Pile.size(), 0);
        undo.RecordSingleMove(m_a, m_b, m_b->Pile.Cards[0]);
    }
    QCOMPARE(TCard::LiveCount(), live + 3); // only the three the test made
    QCOMPARE(m_b->Pile.size(), 3);
}

// Two take backs without a drop last: a beep, and no card is duplicated.
void TestCardUndo::unequalListsBeepAndNeverPutACardOnTwoPiles() {
    TCardUndo undo(m_undo.get());
    TCard* first = NewCard(FS_TWO);
    TCard* second = NewCard(FS_THREE);
    m_b->Pile.AddCard(first);
    m_b->Pile.AddCard(second);
    undo.RecordSingleMove(m_a, m_b, first);
    undo.RecordSingleMove(m_a, m_b, second);
    undo.TakeBack();
    QCOMPARE(m_beeps, 0);
    undo.TakeBack(); // the newest card list is still the one just taken back
    QCOMPARE(m_beeps, 1);
    QCOMPARE(m_a->Pile.Cards, QList<TCard*>{second});
    QCOMPARE(m_b->Pile.Cards, QList<TCard*>{first});
    undo.Peek(); // the view lists are now empty
    QCOMPARE(undo.LastSource, nullptr);
    undo.TakeBack();
    QCOMPARE(m_beeps, 2);
    QCOMPARE(m_a->Pile.size() + m_b->Pile.size(), 2);

    // Recording while a card list waits for its drop last beeps too.
    undo.Clear();
    undo.RecordSingleMove(m_a, m_b, first);
    undo.TakeBack();
    const int beeps = m_beeps;
    undo.RecordSingleMove(m_a, m_b, first);
    QCOMPARE(m_beeps, beeps + 1);
}

// The recorder copies the pile it is given; later changes to that pile do not reach the record.
void TestCardUndo::recordKeepsItsOwnCopyOfTheGivenPile() {
    TCardUndo undo(m_undo.get());
    TCardPile dragged;
    dragged.AddCard(NewCard(FS_SEVEN));
    dragged.AddCard(NewCard(FS_SIX));
    m_b->Pile.AddPile(dragged);
    undo.RecordGroupMove(m_a, m_b, dragged);
    const QList<TCard*> moved = dragged.Cards;
    dragged.Empty(false);
    undo.TakeBack();
    QCOMPARE(m_a->Pile.Cards, moved);
}

// A view destroyed while still named in a record is skipped, never dereferenced.
void TestCardUndo::destroyedViewIsSkippedNotTouched() {
    TCardUndo undo(m_undo.get());
    TCard* card = NewCard(FS_TWO);
    m_b->Pile.AddCard(card);
    undo.RecordSingleMove(m_a, m_b, card);
    delete m_a;
    m_a = nullptr;
    undo.TakeBack();
    QCOMPARE(undo.LastSource, nullptr);
    QCOMPARE(m_b->Pile.Cards, QList<TCard*>{card});
    undo.DropLast();
    QCOMPARE(undo.Count(), 0);
}

QTEST_MAIN(TestCardUndo)
#include "tst_cardundo.moc"
