#pragma once

#include "framework/TGameForm.h"

// Spider: two decks, ten columns built down by rank whatever the suit, a stock
// dealt a row at a time (one card on each column, only when no column is
// empty), and eight foundations that each take one complete suit, King to Ace,
// dragged up in one move. No double-click, no Shift/Ctrl action, no autoplay.
// With Same Suit Moves only runs of one suit are picked up; the option is
// locked from the first drag or row deal until the next new game.
class TSpiderForm : public TGameForm {
    Q_OBJECT

public:
    explicit TSpiderForm(TAppContext& context, QWidget* parent = nullptr);

    void StockAction() override { DeckPileViewClick(); }
    bool HasStock() const override { return true; }
    // The double-click action does not exist in Spider.
    void DoubleClickAction(TCardPileView* /*sender*/) override {}

    // Deals a row: one card face up on each column.
    void DeckPileViewClick();
    void SameSuitBuilds1Click();
    bool SameSuitMoves() const;

    TCardPileView* Stock() const { return m_stock; }

protected:
    TSpiderForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    void Deal(bool newGame, bool quiet) override;
    void SolverState(Solver::TPosition& /*position*/, Solver::TRules& rules) const override {
        rules.SameSuitMoves = SameSuitMoves();
    }
    bool SolverDecidesDeals() const override { return false; }
    int WinningScore() const override { return 104; }
    bool CanDrag(TCardPileView* view, int index) const override;
    bool DropAllowed(TCardPileView* target, TCardPileView* source) const override;
    QList<TCardPileView*> SmartDragOrder(TCardPileView* source) const override;
    void DragCompleted(TCardPileView* source, TCardPileView* target) override;
    void AfterUndo() override { ShowCountHint(m_stock); }

private:
    static const TGameLayout& LargeLayout();
    void TableauPile1MouseDown(TCardPileView* view, Qt::MouseButton button);
    void LockSameSuit();

    TCardPileView* m_stock = nullptr;
    QAction* m_sameSuit = nullptr;
    bool m_sameSuitMoves = false;
};
