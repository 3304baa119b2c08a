#pragma once

#include "framework/TGameForm.h"

// Golf: seven columns of five face up, a stock turned one card at a time onto
// the waste (the deal turns the first), and column cards played onto the
// waste by a click when one rank above or below its top card. Nothing is ever
// dropped anywhere; the game is won with all 52 cards on the waste.
class TGolfForm : public TGameForm {
    Q_OBJECT

public:
    explicit TGolfForm(TAppContext& context, QWidget* parent = nullptr);

    void StockAction() override { DeckPileViewClick(); }
    bool HasStock() const override { return true; }
    int ComputeScore() const override;

    void DeckPileViewClick();
    void KingStopsSequence1Click();
    bool KingStopsSequence() const { return m_kingStops; }

    TCardPileView* Stock() const { return m_stock; }
    TCardPileView* Waste() const { return m_waste; }

protected:
    TGolfForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    void Deal(bool newGame, bool quiet) override;
    void SolverState(Solver::TPosition& /*position*/, Solver::TRules& rules) const override {
        rules.KingStopsSequence = m_kingStops;
    }
    void AfterUndo() override { ShowCountHint(m_stock); }

private:
    static const TGameLayout& LargeLayout();
    void TableauPileView1MouseDown(TCardPileView* column, Qt::MouseButton button);
    // Whether `card` may go on the waste's top card `waste`.
    bool Plays(const TCard* waste, const TCard* card) const;
    void LockOption();

    TCardPileView* m_stock = nullptr;
    TCardPileView* m_waste = nullptr;
    bool m_kingStops = true;
};
