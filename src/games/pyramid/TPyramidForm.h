#pragma once

#include "framework/TGameForm.h"

#include <array>

// Pyramid: 28 cards face up in seven overlapping rows, the rest a deck turned
// one card at a time onto a play pile, whose card then goes to a waste. Free
// cards whose ranks total 13 leave in pairs, Kings alone, for the discard
// pile; three passes through the deck. Its drops are carried out by the
// window's drop handlers, not by the pile views.
class TPyramidForm : public TGameForm {
    Q_OBJECT

public:
    explicit TPyramidForm(TAppContext& context, QWidget* parent = nullptr);

    void StockAction() override { DeckPileViewClick(); }
    bool HasStock() const override { return true; }
    int ComputeScore() const override;
    // A free King goes to the discard pile; the after-move routine runs in every case.
    void DoubleClickAction(TCardPileView* sender) override;
    // The deck and the bare table never take a drop.
    bool DragOver(QWidget* sender, TCardPileView* source) override;

    void DeckPileViewClick();

    int Pass() const { return m_pass; }
    const QList<TCardPileView*>& Pyramid() const { return Tableau(); }
    TCardPileView* Deck() const { return m_deck; }
    TCardPileView* PlayPile() const { return m_play; }
    TCardPileView* Waste() const { return m_waste; }
    TCardPileView* Discard() const { return m_discard; }
    // Whether a card of `view` may be used: an uncovered pyramid card, the play card, the waste's top.
    bool IsFree(const TCardPileView* view) const;
    // Brings coverage, visibility, the pass label and the deck's hint and mark in line with the
    // piles as they lie (after an undo, or a table laid out by hand).
    void RefreshTable();

protected:
    // The numbers of one card size.
    struct TGeometry {
        int ClientWidth, ClientHeight;
        std::array<int, 7> RowTops;
        std::array<std::array<int, 7>, 7> Lefts; // per row, its first `row` entries
        int CardWidth, CardHeight;
        QRect Deck, Play, Waste, Discard;
        float PileOffset; // the deck's and the waste's fan step, both ways
        QPoint LabelAt;
        int LabelPixelHeight;
    };
    static TGameLayout BuildLayout(const TGeometry& g);
    static const TGameLayout& LargeLayout();

    TPyramidForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    void Deal(bool newGame, bool quiet) override;
    void SolverState(Solver::TPosition& position, Solver::TRules& /*rules*/) const override {
        position.Pass = m_pass;
    }
    void OnWon() override;
    void AfterPreferences() override { ColourPassLabel(); }
    void TakeBackRecord() override;
    void AfterUndo() override { RefreshTable(); }
    QVariant SaveGameState() const override { return m_pass; }
    void RestoreGameState(const QVariant& state) override { m_pass = state.toInt(); }
    // Enter on a free King sends it to the discard pile, as a double-click does.
    bool KeyboardAction(TCardPileView* view, int index) override;

private:
    void BindHandlers();
    void StartDrag(TCardPileView* source);
    void EndDrag(TCardPileView* source);
    bool CardDragOver(QWidget* sender, TCardPileView* source);
    bool DiscardDragOver(QWidget* sender, TCardPileView* source);
    void CardDragDrop(QWidget* sender, TCardPileView* source);
    void DiscardDragDrop(QWidget* sender, TCardPileView* source);

    // The single card being dragged out of `source`, or null.
    static TCard* Dragged(const TCardPileView* source);
    bool PairAllowed(const TCardPileView* target, const TCardPileView* source) const;
    // Ends a move that sent cards to the discard pile: count, coverage, sound, after-move routine.
    void FinishDiscard(bool waitForSound);
    // Coverage and visibility of the pyramid from which views still hold their card.
    void RefreshPyramid();
    // The deck's hint and its recycle mark.
    void RefreshDeck();
    void ShowPass();
    void ColourPassLabel();

    TCardPileView* m_deck = nullptr;
    TCardPileView* m_play = nullptr;
    TCardPileView* m_waste = nullptr;
    TCardPileView* m_discard = nullptr;
    int m_pass = 1;
};
