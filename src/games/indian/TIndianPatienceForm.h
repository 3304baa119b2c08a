#pragma once

#include "games/tencolumns/TTenColumnForm.h"

#include <array>

// Indian Patience: ten columns of three, built down in any suit but the card's
// own. While the stock lasts the bottom card of a column lies face down under
// the others, a column down to its bottom card takes nothing and that card
// goes only to a foundation, and an emptied column is dealt three new cards.
class TIndianPatienceForm : public TTenColumnForm {
    Q_OBJECT

public:
    explicit TIndianPatienceForm(TAppContext& context, QWidget* parent = nullptr);

    // Whether `card` is a column's bottom card, held back while the stock lasts.
    bool IsBottomCard(const TCard* card) const;

protected:
    TIndianPatienceForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    void Deal(bool newGame, bool quiet) override;
    bool ColumnTakes(const TCardPileView* column, const TCard* card) const override;
    void StockChanged() override;
    void AfterMoveFollowUps(TCardPileView* source) override;
    QVariant SaveGameState() const override;
    void RestoreGameState(const QVariant& state) override;

private:
    static const TGameLayout& LargeLayout();

    // Deals up to three cards from the stock into each empty column.
    void Refill();
    // Keeps the column bottoms: face down under other cards while the stock lasts, face up when
    // alone. `record`: a card turned up belongs to the move that uncovered it, so Undo turns it
    // back down even once the stock is empty.
    void MaintainBottoms(bool record);

    std::array<const TCard*, 10> m_bottoms{};
};
