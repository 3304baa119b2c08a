#pragma once

#include "framework/TGameForm.h"

// What Forty Thieves and Indian Patience share: two decks, ten columns that
// move single cards only, a stock dealt one card at a time onto a fanned waste
// and never turned over again, and eight foundations built up in suit from the
// Ace in a row that keeps to the bottom edge of the window.
class TTenColumnForm : public TGameForm {
    Q_OBJECT

public:
    void StockAction() override { DeckPileViewClick(); }
    bool HasStock() const override { return true; }

    // Deals one card from the stock onto the waste, then the autoplay pass.
    void DeckPileViewClick();

    TCardPileView* Stock() const { return m_stock; }
    TCardPileView* Waste() const { return m_waste; }

protected:
    TTenColumnForm(TAppContext& context, int gameIndex, bool small, const TGameLayout& layout,
                   QWidget* parent);

    // The table at either card size; the games' small foundation rows start a pixel apart.
    static TGameLayout TenColumnLayout(bool small, int foundationLeft);

    // The menu down to Restart; each game adds its own items and the rest.
    void AddFirstMenuItems();

    // Fills the stock with two new shuffled decks (or the saved deal) and deals `rounds`
    // rounds, one card to each column in turn; the rounds before `faceUpFrom` lie face down.
    void DealRounds(bool newGame, bool quiet, int rounds, int faceUpFrom);

    // Whether `column` takes `card` (dragged alone) on top of its cards.
    virtual bool ColumnTakes(const TCardPileView* column, const TCard* card) const = 0;
    // What follows every change of the stock (deal, draw, Undo): the hint at least.
    virtual void StockChanged();

    int WinningScore() const override { return 104; }
    bool DropAllowed(TCardPileView* target, TCardPileView* source) const override;
    QList<TCardPileView*> SmartDragOrder(TCardPileView* /*source*/) const override {
        return NonEmptyColumnsFirst();
    }
    QList<TCardPileView*> AutoplayOrder() const override;
    void AfterUndo() override { StockChanged(); }

private:
    TCardPileView* m_stock = nullptr;
    TCardPileView* m_waste = nullptr;
};
