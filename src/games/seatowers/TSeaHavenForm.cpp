#include "games/seatowers/TSeaHavenForm.h"

#include "cards/TCard.h"

const TGameLayout& TSeaHavenForm::LargeLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 887;
        l.ClientHeight = 571;
        l.MinTrackHeight = 480;
        l.ColumnMargin = 142;
        AddRow(l, TPileRole::Foundation, 1, {8, 96}, 8, 80, 125);
        AddRow(l, TPileRole::FreeCell, 1, Spaced(272, 88, 4), 8, 80, 125);
        AddRow(l, TPileRole::Foundation, 3, {712, 800}, 8, 80, 125);
        AddRow(l, TPileRole::Tableau, 1, Spaced(8, 88, 10), 140, 80, 429, 20.0f);
        return l;
    }();
    return layout;
}

TSeaHavenForm::TSeaHavenForm(TAppContext& context, QWidget* parent)
    : TSeaHavenForm(context, false, LargeLayout(), parent) {
}

TSeaHavenForm::TSeaHavenForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent)
    : TCellGameForm(context, GI_SEAHAVEN, small, layout, parent) {
    Initialize();
}

void TSeaHavenForm::Deal(bool newGame, bool quiet) {
    // Free cell 2 serves as the stock; its last two cards start in the two middle cells.
    TCardPileView* stock = FreeCells()[1];
    DealColumns(stock, newGame, quiet, 2);
    DealCard(stock, FreeCells()[2], true);
    stock->Pile.Top()->FaceUp = true;
    FinishDeal();
}

bool TSeaHavenForm::Builds(const TCard* lower, const TCard* upper) const {
    return upper->Suit == lower->Suit && upper->Value + 1 == lower->Value;
}

bool TSeaHavenForm::EmptyColumnTakes(const TCardPile& group) const {
    return group.CardAt(0)->Value == FS_KING;
}
