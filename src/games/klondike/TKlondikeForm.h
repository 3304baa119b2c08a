#pragma once

#include "framework/TGameForm.h"

// Klondike: one deck, seven columns built down in alternating colours, a
// stock dealt one or three at a time to a waste and recycled without limit,
// four foundations built up by suit. Double Klondike shares this class.
class TKlondikeForm : public TGameForm {
    Q_OBJECT

public:
    explicit TKlondikeForm(TAppContext& context, QWidget* parent = nullptr);

    void StockAction() override { DeckPileViewClick(); }
    bool HasStock() const override { return true; }

    void DeckPileViewClick();
    void DrawThree1Click();
    void DrawOne1Click();
    int DrawCount() const { return m_drawThree ? 3 : 1; }
    int VegasBalance() const { return m_vegasBalance; }
    // Recycles made in this game (Double Klondike allows one in Draw One).
    int RecycleCount() const { return m_recycleCount; }

    TCardPileView* Stock() const { return m_stock; }
    TCardPileView* Waste() const { return m_waste; }
    TCardPileView* HiddenWaste() const { return m_hidden; }

protected:
    // The numbers that set Double Klondike apart; its other departures are hooks.
    struct TVariant {
        int Decks = 1;
        bool Vegas = true;            // Vegas scoring applies
        bool CompactStockDeal = true; // the stock is drawn compactly while dealing
    };
    TKlondikeForm(TAppContext& context, int gameIndex, bool small, const TGameLayout& layout,
                  const TVariant& variant, QWidget* parent);
    TKlondikeForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    static const TGameLayout& LargeLayout();

    void Deal(bool newGame, bool quiet) override;
    void SolverState(Solver::TPosition& position, Solver::TRules& rules) const override {
        position.Recycles = m_recycleCount;
        rules.DrawCount = DrawCount();
    }
    int WinningScore() const override { return 52 * m_variant.Decks; }
    QString CaptionText() const override;
    void OnWon() override;
    void OnNewGameConfirmed() override;
    bool CanDrag(TCardPileView* view, int index) const override;
    bool DropAllowed(TCardPileView* target, TCardPileView* source) const override;
    void AfterMoveFollowUps(TCardPileView* source) override;
    void AfterDoubleClick(TCardPileView* sender) override;
    QList<TCardPileView*> AutoplayOrder() const override;

    void TakeBackRecord() override;
    void AfterUndo() override { RefreshStockHint(); }
    QVariant SaveGameState() const override { return m_recycleCount; }
    void RestoreGameState(const QVariant& state) override { m_recycleCount = state.toInt(); }
    QString StatusScore() const override;
    void RefreshStockHint();
    // Whether a recycle is allowed now (Double Klondike limits it in Draw One).
    virtual bool RecycleAllowed() const { return true; }

private:
    void BuildMenu();
    void SetAsideWaste(int n);
    void Recycle(int n);
    void WasteRefill();

    TCardPileView* m_stock = nullptr;
    TCardPileView* m_waste = nullptr;
    TCardPileView* m_hidden = nullptr;
    const TVariant m_variant;
    bool m_drawThree = true;
    int m_recycleCount = 0;
    int m_vegasBalance = -52;
};
