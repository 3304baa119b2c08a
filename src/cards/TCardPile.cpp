#include "cards/TCardPile.h"

#include "cards/Random.h"
#include "cards/TCard.h"

EListError::EListError(int index) : m_text("List index out of bounds (" + std::to_string(index) + ")") {}

TCardPile::TCardPile(const void* /*owner*/) {}

void TCardPile::AddCard(TCard* card) { Cards.append(card); }

void TCardPile::InsertCard(TCard* card, int index) {
    if (index == TOP_INDEX) {
        Cards.append(card);
        return;
    }
    if (index < 0 || index > Cards.size())
        throw EListError(index);
    Cards.insert(index, card);
}

void TCardPile::AddPile(const TCardPile& other) {
    // Copy first: adding a pile to itself must double it, not loop.
    const QList<TCard*> cards = other.Cards;
    Cards.append(cards);
}

void TCardPile::InsertPile(const TCardPile& other, int index) {
    if (index == TOP_INDEX) {
        AddPile(other);
        return;
    }
    if (index < 0 || index > Cards.size())
        throw EListError(index);
    const QList<TCard*> cards = other.Cards;
    for (int i = 0; i < cards.size(); ++i)
        Cards.insert(index + i, cards[i]);
}

void TCardPile::CopyPileTo(TCardPile& other) const { other.AddPile(*this); }

void TCardPile::RemoveCard(TCard* card) {
    const qsizetype i = Cards.indexOf(card);
    if (i >= 0)
        Cards.removeAt(i);
}

TCard* TCardPile::CardAt(int index) const {
    if (Cards.isEmpty())
        return nullptr;
    if (index == TOP_INDEX)
        return Cards.last();
    if (index < 0 || index >= Cards.size())
        throw EListError(index);
    return Cards[index];
}

int TCardPile::CardIndex(const TCard* card) const {
    return static_cast<int>(Cards.indexOf(const_cast<TCard*>(card)));
}

void TCardPile::AddDeck() {
    for (int v = FS_ACE; v <= FS_KING; ++v)
        for (int s = FS_CLUBS; s <= FS_HEARTS; ++s)
            Cards.append(new TCard(static_cast<_CardSuit>(s), static_cast<_CardValue>(v)));
}

void TCardPile::Empty(bool destroyCards) {
    if (destroyCards) {
        for (qsizetype i = Cards.size() - 1; i >= 0; --i)
            delete Cards[i];
    }
    Cards.clear();
}

void TCardPile::Flip() {
    for (qsizetype i = Cards.size() - 1; i >= 0; --i) {
        TCard* card = Cards.takeAt(i);
        Cards.append(card);
        card->Flip();
    }
}

void TCardPile::Shuffle() {
    const int n = static_cast<int>(Cards.size());
    if (n == 0)
        return;
    for (int i = 0; i < n; ++i) {
        const int j = TRandom::Next() % n;
        if (j != i)
            Cards.swapItemsAt(i, j);
    }
}

int TCardPile::GetCardCount() {
    Count = static_cast<int>(Cards.size());
    return Count;
}
