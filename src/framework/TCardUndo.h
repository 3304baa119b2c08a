#pragma once

#include "cards/TCardPile.h"

#include <QList>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class TCard;
class TCardPileView;

// The move recorder behind a game window's Undo command. Each record names the
// view some cards left, the view that received them and those cards (the very
// card objects on the table). It never destroys a card.
class TCardUndo {
public:
    explicit TCardUndo(QAction* undoItem = nullptr);
    ~TCardUndo();
    TCardUndo(const TCardUndo&) = delete;
    TCardUndo& operator=(const TCardUndo&) = delete;

    void SetUndoItem(QAction* item);
    void RecordGroupMove(TCardPileView* source, TCardPileView* dest, const TCardPile& cards);
    // Also records a turn-up (source == dest) with the card turned.
    void RecordSingleMove(TCardPileView* source, TCardPileView* dest, TCard* card);
    void Peek();
    void TakeBack();
    void DropLast();
    void Clear();
    int Count() const { return static_cast<int>(m_cards.size()); }

    // One record as a value, for putting it back after an Undo took it (Redo).
    struct TRecord {
        QPointer<TCardPileView> Source;
        QPointer<TCardPileView> Dest;
        QList<TCard*> Cards;
    };
    // The records from `first` on, oldest first.
    QList<TRecord> Records(int first) const;
    // Appends records as they were made.
    void Restore(const QList<TRecord>& records);

    TCardPileView* LastSource = nullptr;
    TCardPileView* LastDest = nullptr;
    TCardPile* LastCards = nullptr;

    // The system beep sounded when the lists disagree; tests count it.
    static void SetBeepForTests(std::function<void()> beep);

private:
    void Append(TCardPileView* source, TCardPileView* dest, std::unique_ptr<TCardPile> cards);
    void CheckLengths();
    void EnableItem(bool enabled);

    QList<QPointer<TCardPileView>> m_sources;
    QList<QPointer<TCardPileView>> m_dests;
    std::vector<std::unique_ptr<TCardPile>> m_cards;
    QPointer<QAction> m_undoItem;
};
