#pragma once

#include "games/freecells/TCellGameForm.h"

#include <vector>

// Beleaguered Castle: the Aces start home, the other 48 cards lie face up in
// eight rows fanned to the right, four each side of the foundations. Only a
// row's last card moves, onto a card one rank higher of any suit or into an
// empty row; foundations build up by suit. The free-cell family without cells.
class TCastleForm : public TCellGameForm {
    Q_OBJECT

public:
    explicit TCastleForm(TAppContext& context, QWidget* parent = nullptr);

    // The deck the deal is made from; empty and hidden once the cards are out.
    TCardPileView* Deck() const { return m_deck; }

protected:
    // The geometry that sets the two card sizes apart.
    struct TGeometry {
        int ClientWidth, ClientHeight;
        int LeftRows, Foundations, RightRows; // left edges
        std::vector<int> Tops;
        int RowWidth, CardWidth, CardHeight;
        float XOffset;
        int DeckLeft, DeckTop;
    };
    static TGameLayout MakeLayout(const TGeometry& g);

    TCastleForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    void Deal(bool newGame, bool quiet) override;
    bool Builds(const TCard* lower, const TCard* upper) const override;
    int RunLimit() const override { return 1; }
    bool EmptyColumnTakes(const TCardPile& /*group*/) const override { return true; }
    QList<TCardPileView*> SmartDragOrder(TCardPileView* /*source*/) const override {
        return NonEmptyColumnsFirst();
    }

private:
    static const TGameLayout& LargeLayout();

    TCardPileView* m_deck = nullptr;
};
