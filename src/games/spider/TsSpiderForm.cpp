#include "games/spider/TsSpiderForm.h"

const TGameLayout& TsSpiderForm::SmallLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 725;
        l.ClientHeight = 506;
        l.MinTrackHeight = 450;
        l.ColumnMargin = 136;
        l.Piles = {{"DeckPileView", TPileRole::Stock, 8, 8, 107, 113, 0.4f, 0.2f}};
        AddRow(l, "FoundPile", 1, Spaced(208, 64, 8),
               {{}, TPileRole::Foundation, 0, 6, 61, 95, 0.0f, 0.0f, FS_BLANK, true, false});
        AddRow(l, "TableauPile", 1, Spaced(8, 72, 10),
               {{}, TPileRole::Tableau, 0, 129, 61, 370, 0.0f, 16.0f, FS_BLANK, false, true});
        return l;
    }();
    return layout;
}

TsSpiderForm::TsSpiderForm(TAppContext& context, QWidget* parent)
    : TSpiderForm(context, true, SmallLayout(), parent) {
}
