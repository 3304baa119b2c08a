#pragma once

#include "framework/TGameForm.h"

#include <vector>

// What the free-cell games share: a free cell holds one card, a column takes
// a run of the game's kind as long as the free space allows, foundations only
// receive cards, the double-click falls back to the first empty cell, and
// autoplay looks at the cells before the columns. A game may have no cells.
class TCellGameForm : public TGameForm {
    Q_OBJECT

public:
    void DoubleClickAction(TCardPileView* sender) override;

    int EmptyFreeCells() const;
    int EmptyColumns() const;
    TCardPileView* FirstEmptyFreeCell() const;

protected:
    TCellGameForm(TAppContext& context, int gameIndex, bool small, const TGameLayout& layout, QWidget* parent,
                  const QString& restartName = QStringLiteral("Redeal1"));

    // Whether `upper` may lie on `lower` in a column (and so move with it).
    virtual bool Builds(const TCard* lower, const TCard* upper) const = 0;
    // The most cards a run picked up from a column may have now.
    virtual int RunLimit() const = 0;
    // Whether an empty column takes the dragged `group`.
    virtual bool EmptyColumnTakes(const TCardPile& group) const = 0;

    // Fills `stock` with a new shuffled deck (or the saved deal) and deals it
    // round by round, one card face up to each column in turn, until `keep`
    // cards are left in it.
    void DealColumns(TCardPileView* stock, bool newGame, bool quiet, int keep);

    bool CanDrag(TCardPileView* view, int index) const override;
    bool DropAllowed(TCardPileView* target, TCardPileView* source) const override;
    QList<TCardPileView*> AutoplayOrder() const override;
    void MiddleButton(TCardPileView* view) override;

    // Layout tables: one view per left edge, numbered from `first`, named and
    // given the properties of its role (cells and foundations bordered; cells
    // and columns draggable).
    static void AddRow(TGameLayout& layout, TPileRole role, int first, const std::vector<int>& lefts, int top,
                       int width, int height, float yOffset = 0.0f);
};
