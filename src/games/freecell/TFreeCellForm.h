#pragma once

#include "games/freecells/TCellGameForm.h"

// Free Cell: all 52 cards face up in eight columns built down in alternating
// colours, four free cells, four foundations built up by suit. How many cards
// move at once depends on the empty cells and columns.
class TFreeCellForm : public TCellGameForm {
    Q_OBJECT

public:
    explicit TFreeCellForm(TAppContext& context, QWidget* parent = nullptr);

    // The most cards that may go into an empty column in the current drag.
    int MovableLimit() const { return m_movableLimit; }

protected:
    TFreeCellForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    void Deal(bool newGame, bool quiet) override;
    bool Builds(const TCard* lower, const TCard* upper) const override;
    int RunLimit() const override;
    bool EmptyColumnTakes(const TCardPile& group) const override;
    QList<TCardPileView*> SmartDragOrder(TCardPileView* source) const override;

private:
    static const TGameLayout& LargeLayout();
    void TableauPileView1MouseDown(TCardPileView* view, Qt::MouseButton button, Qt::KeyboardModifiers shift);

    int m_movableLimit = 0;
};
