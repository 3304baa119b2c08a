#include "games/freecell/TFreeCellForm.h"

#include "cards/CardRules.h"

const TGameLayout& TFreeCellForm::LargeLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 776;
        l.ClientHeight = 541;
        l.MinTrackHeight = 480;
        l.ColumnMargin = 148;
        AddRow(l, TPileRole::FreeCell, 1, Spaced(8, 88, 4), 8, 80, 125);
        AddRow(l, TPileRole::Foundation, 1, Spaced(424, 88, 4), 8, 80, 125);
        AddRow(l, TPileRole::Tableau, 1, Spaced(40, 88, 8), 140, 80, 393, 20.0f);
        return l;
    }();
    return layout;
}

TFreeCellForm::TFreeCellForm(TAppContext& context, QWidget* parent)
    : TFreeCellForm(context, false, LargeLayout(), parent) {
}

TFreeCellForm::TFreeCellForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent)
    : TCellGameForm(context, GI_FREECELL, small, layout, parent) {
    for (TCardPileView* view : Tableau() + FreeCells())
        view->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers m, int, int) {
            TableauPileView1MouseDown(v, b, m);
        };
    Initialize();
}

void TFreeCellForm::Deal(bool newGame, bool quiet) {
    // Free cell 1 serves as the stock while dealing.
    DealColumns(FreeCells().first(), newGame, quiet, 0);
    FinishDeal();
}

// The limit for an empty column is taken at the press, before the group leaves its pile.
void TFreeCellForm::TableauPileView1MouseDown(TCardPileView* view, Qt::MouseButton button,
                                              Qt::KeyboardModifiers shift) {
    if (button == Qt::LeftButton)
        m_movableLimit = Role(view) == TPileRole::FreeCell ? 1 : (EmptyFreeCells() + 1) * EmptyColumns();
    StandardMouseDown(view, button, shift);
}

bool TFreeCellForm::Builds(const TCard* lower, const TCard* upper) const {
    return CardRules::AlternatesDown(lower, upper);
}

int TFreeCellForm::RunLimit() const {
    return (EmptyFreeCells() + 1) * (EmptyColumns() + 1);
}

bool TFreeCellForm::EmptyColumnTakes(const TCardPile& group) const {
    return group.size() <= m_movableLimit;
}

QList<TCardPileView*> TFreeCellForm::SmartDragOrder(TCardPileView* /*source*/) const {
    return NonEmptyColumnsFirst();
}
