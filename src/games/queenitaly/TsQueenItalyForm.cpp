#include "games/queenitaly/TsQueenItalyForm.h"

const TGameLayout& TsQueenItalyForm::SmallLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 670;
        l.ClientHeight = 540;
        l.MinTrackHeight = 480;
        l.ColumnMargin = 333;
        l.Piles = {
            {"DeckPileView", TPileRole::Stock, 12, 424, 89, 110, 0.2f, 0.2f, FS_RECYCLE, false, false, 116},
            {"DiscardPileView", TPileRole::Waste, 104, 424, 566, 95, 9.0f, 0, FS_BLANK, false, true, 116,
             true},
            {"TerracePileView", TPileRole::Waste, 248, 8, 170, 95, 9.0f, 0, FS_BLANK, false, true},
        };
        AddRow(l, "TableauPileView", 1, Spaced(16, 72, 9),
               {{}, TPileRole::Tableau, 0, 208, 61, 207, 0, 16.0f, FS_BLANK, false, true});
        AddRow(l, "FoundPile", 1, Spaced(48, 72, 8),
               {{}, TPileRole::Foundation, 0, 107, 61, 95, 0, 0, FS_BLANK, true, false});
        return l;
    }();
    return layout;
}

TsQueenItalyForm::TsQueenItalyForm(TAppContext& context, QWidget* parent)
    : TQueenItalyForm(context, true, SmallLayout(), parent) {
}
