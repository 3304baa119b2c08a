#include "framework/TCardUndo.h"

#include "cards/TCard.h"
#include "pileview/TCardPileView.h"

#include <QAction>
#include <QApplication>

namespace {

std::function<void()>& Beep() {
    static std::function<void()> beep;
    return beep;
}

} // namespace

TCardUndo::TCardUndo(QAction* undoItem) : m_undoItem(undoItem) {
}

TCardUndo::~TCardUndo() {
    Clear();
}

void TCardUndo::SetBeepForTests(std::function<void()> beep) {
    Beep() = std::move(beep);
}

void TCardUndo::SetUndoItem(QAction* item) {
    m_undoItem = item;
}

void TCardUndo::EnableItem(bool enabled) {
    if (m_undoItem)
        m_undoItem->setEnabled(enabled);
}

void TCardUndo::CheckLengths() {
    if (m_sources.size() == static_cast<qsizetype>(m_cards.size()))
        return;
    if (Beep())
        Beep()();
    else
        QApplication::beep();
}

void TCardUndo::Append(TCardPileView* source, TCardPileView* dest, std::unique_ptr<TCardPile> cards) {
    m_sources.append(source);
    m_dests.append(dest);
    m_cards.push_back(std::move(cards));
    EnableItem(true);
    CheckLengths();
}

void TCardUndo::RecordGroupMove(TCardPileView* source, TCardPileView* dest, const TCardPile& cards) {
    auto list = std::make_unique<TCardPile>();
    list->AddPile(cards);
    Append(source, dest, std::move(list));
}

void TCardUndo::RecordSingleMove(TCardPileView* source, TCardPileView* dest, TCard* card) {
    auto list = std::make_unique<TCardPile>();
    list->AddCard(card);
    Append(source, dest, std::move(list));
}

void TCardUndo::Peek() {
    if (m_cards.empty()) {
        LastSource = nullptr;
        LastDest = nullptr;
        LastCards = nullptr;
        return;
    }
    // Between a take back and its drop last the view lists are shorter.
    LastSource = m_sources.isEmpty() ? nullptr : m_sources.last().data();
    LastDest = m_dests.isEmpty() ? nullptr : m_dests.last().data();
    LastCards = m_cards.back().get();
}

void TCardUndo::TakeBack() {
    CheckLengths();
    if (m_cards.empty()) {
        LastSource = nullptr;
        LastDest = nullptr;
        LastCards = nullptr;
        EnableItem(false);
        return;
    }
    Peek();
    if (LastSource && LastDest) {
        for (TCard* card : LastCards->Cards) {
            // Only a card really found on the destination goes home; anything
            // else would put one card on two piles.
            if (LastDest->Pile.CardIndex(card) < 0)
                continue;
            LastDest->Pile.RemoveCard(card);
            LastSource->Pile.AddCard(card);
        }
    }
    if (!m_sources.isEmpty())
        m_sources.removeLast();
    if (!m_dests.isEmpty())
        m_dests.removeLast();
}

void TCardUndo::DropLast() {
    if (!m_cards.empty()) {
        m_cards.back()->Empty(false);
        m_cards.pop_back();
    }
    LastCards = nullptr;
    if (m_cards.empty())
        EnableItem(false);
}

void TCardUndo::Clear() {
    while (!m_cards.empty()) {
        m_cards.back()->Empty(false);
        m_cards.pop_back();
    }
    m_sources.clear();
    m_dests.clear();
    LastSource = nullptr;
    LastDest = nullptr;
    LastCards = nullptr;
    EnableItem(false);
}

QList<TCardUndo::TRecord> TCardUndo::Records(int first) const {
    QList<TRecord> records;
    for (int i = qMax(0, first); i < Count(); ++i)
        records.append({m_sources.value(i), m_dests.value(i), m_cards[static_cast<std::size_t>(i)]->Cards});
    return records;
}

void TCardUndo::Restore(const QList<TRecord>& records) {
    for (const TRecord& record : records) {
        auto cards = std::make_unique<TCardPile>();
        cards->Cards = record.Cards;
        Append(record.Source, record.Dest, std::move(cards));
    }
}
