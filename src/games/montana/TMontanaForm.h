#pragma once

#include "cards/MontanaGrid.h"
#include "framework/TGameForm.h"

#include <QHash>

// Montana: the whole deck face up in four rows of thirteen, the Aces taken out
// to leave four gaps. A gap takes the card that follows its left neighbour in
// suit (a 2 in the first column); each row is built 2 to King from the left.
// Shuffle Remaining redeals what is not in place, twice per game. The rules
// live in cards/MontanaGrid; this window maps its 52 views to that grid.
class TMontanaForm : public TGameForm {
    Q_OBJECT

public:
    explicit TMontanaForm(TAppContext& context, QWidget* parent = nullptr);

    int ComputeScore() const override;
    bool DragOver(QWidget* sender, TCardPileView* source) override;

    void Shuffle1Click();
    int RedealCount() const { return m_redeals; }
    // The grid as the table shows it.
    Montana::TGrid Grid() const;
    TCardPileView* At(Montana::TPos pos) const { return m_grid[pos.Row * Montana::Columns + pos.Column]; }

protected:
    TMontanaForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    void Deal(bool newGame, bool quiet) override;
    // Shuffle Remaining draws from the program's sequence, so its state is part of the position.
    void SolverState(Solver::TPosition& position, Solver::TRules& /*rules*/) const override;
    int WinningScore() const override { return Montana::WinningScore; }
    void OnWon() override;

    // Grid views numbered 1..52 row by row, at the given lefts and row tops.
    static void AddGrid(TGameLayout& layout, int firstLeft, int step, const std::array<int, 4>& tops,
                        int width, int height);

private:
    static const TGameLayout& LargeLayout();
    void CardPileView1MouseDown(TCardPileView* view, Qt::MouseButton button);
    bool CardPileView1DragOver(QWidget* sender, TCardPileView* source);
    // Moves the clicked card into the gap where it fits; false when none does.
    bool PlayCard(TCardPileView* view);
    // One counted, recorded move of a card between two places.
    void MoveCard(Montana::TPos from, Montana::TPos to);
    // Puts the grid's cards into the views.
    void Show(const Montana::TGrid& grid, bool repaint);

    QList<TCardPileView*> m_grid; // row by row
    QHash<const TCardPileView*, Montana::TPos> m_places;
    TCardPileView* m_aces = nullptr;
    int m_redeals = 0;
};
