#pragma once

#include "cards/TCard.h"
#include "framework/TGameForm.h"

// Queen of Italy: eleven terrace cards that go only to the foundations, nine
// columns built down in alternating colours, and eight foundations built up in
// suit from a base rank that the player chooses among the first four cards,
// both turning the corner between King and Ace. The stock is dealt one card at
// a time; once it is used up the waste is turned over once more, and in that
// second pass a new card comes only when the waste is empty.
class TQueenItalyForm : public TGameForm {
    Q_OBJECT

public:
    explicit TQueenItalyForm(TAppContext& context, QWidget* parent = nullptr);

    void StockAction() override { DeckPileViewClick(); }
    bool HasStock() const override { return true; }

    // Draws one card, or turns the used-up waste over for the second pass.
    void DeckPileViewClick();

    bool BaseChosen() const { return m_baseChosen; }
    int BaseValue() const { return m_baseValue; }
    // Whether the waste has been turned over into the stock in this game.
    bool Redealt() const { return m_redealt; }

    TCardPileView* Stock() const { return m_stock; }
    TCardPileView* Waste() const { return m_waste; }
    TCardPileView* Terrace() const { return m_terrace; }

protected:
    TQueenItalyForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    void Deal(bool newGame, bool quiet) override;
    void SolverState(Solver::TPosition& position, Solver::TRules& /*rules*/) const override {
        position.BaseChosen = m_baseChosen;
        position.BaseValue = m_baseValue;
        position.Redealt = m_redealt;
    }
    bool SolverDecidesDeals() const override { return false; }
    int WinningScore() const override { return 104; }
    bool DropAllowed(TCardPileView* target, TCardPileView* source) const override;
    QList<TCardPileView*> SmartDragOrder(TCardPileView* /*source*/) const override {
        return NonEmptyColumnsFirst();
    }
    TCardPileView* FoundationFor(const TCard* card, const TCardPileView* from) const override;
    QList<TCardPileView*> AutoplayOrder() const override;
    void TakeBackRecord() override;
    void AfterUndo() override;
    QVariant SaveGameState() const override;
    void RestoreGameState(const QVariant& state) override;

private:
    static const TGameLayout& LargeLayout();

    void TableauPileView1MouseDown(TCardPileView* view, Qt::MouseButton button, Qt::KeyboardModifiers shift);
    void DiscardPileViewMouseDown(TCardPileView* view, Qt::MouseButton button, Qt::KeyboardModifiers shift);
    // Puts the pressed card on the first foundation as the base and fills the empty columns.
    void ChooseBase(TCardPileView* column, TCard* card);
    // Turns the waste over into the stock; false when that is not allowed now.
    bool Redeal();
    // The base rank for the foundation rule; none (negative) until chosen.
    int Base() const { return m_baseChosen ? m_baseValue : -1; }

    TCardPileView* m_stock = nullptr;
    TCardPileView* m_waste = nullptr;
    TCardPileView* m_terrace = nullptr;
    bool m_baseChosen = false;
    int m_baseValue = FS_ACE;
    bool m_redealt = false;
};
