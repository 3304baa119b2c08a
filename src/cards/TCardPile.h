#pragma once

#include <QList>
#include <exception>
#include <string>

class TCard;

// An ordered list of cards, index 0 at the bottom. A pile never owns its cards:
// only Empty(true) destroys them.
class TCardPile {
public:
    static constexpr int TOP_INDEX = 9999;

    explicit TCardPile(const void* owner = nullptr);
    ~TCardPile() = default;
    TCardPile(const TCardPile&) = delete;
    TCardPile& operator=(const TCardPile&) = delete;

    int Count = 0;
    QList<TCard*> Cards;

    void AddCard(TCard* card);
    void InsertCard(TCard* card, int index);
    void AddPile(const TCardPile& other);
    void InsertPile(const TCardPile& other, int index);
    void CopyPileTo(TCardPile& other) const;
    void RemoveCard(TCard* card);
    TCard* CardAt(int index) const;
    int CardIndex(const TCard* card) const;
    void AddDeck();
    void Empty(bool destroyCards);
    void Flip();
    void Shuffle();
    int GetCardCount();

    // Read-only conveniences that leave Count alone.
    int size() const { return static_cast<int>(Cards.size()); }
    bool isEmpty() const { return Cards.isEmpty(); }
    TCard* Top() const { return Cards.isEmpty() ? nullptr : Cards.last(); }
};

// Raised for an index outside the list, like the toolkit's list error.
class EListError : public std::exception {
public:
    explicit EListError(int index);
    const char* what() const noexcept override { return m_text.c_str(); }

private:
    std::string m_text;
};
