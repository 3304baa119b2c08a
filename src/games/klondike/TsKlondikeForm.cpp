#include "games/klondike/TsKlondikeForm.h"

const TGameLayout& TsKlondikeForm::SmallLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 510;
        l.ClientHeight = 392;
        l.MinTrackHeight = 300;
        l.ColumnMargin = 122;
        l.Piles = {
            {"DeckPileView", TPileRole::Stock, 8, 8, 96, 101, 1.0f, 0.2f, FS_RECYCLE},
            {"DiscardPileView", TPileRole::Waste, 120, 8, 107, 101, 20.0f, 2.0f, FS_BLANK, false, true},
        };
        AddRow(l, "FoundationPile", 1, Spaced(248, 64, 4),
               {{}, TPileRole::Foundation, 0, 8, 61, 95, 0, 0, FS_BLANK, true, true});
        AddRow(l, "TableauPileView", 1, Spaced(8, 72, 7),
               {{}, TPileRole::Tableau, 0, 120, 61, 270, 0, 16.0f, FS_BLANK, false, true});
        l.Piles.push_back({"RecyclePileView", TPileRole::Hidden, 464, 104, 25, 25});
        return l;
    }();
    return layout;
}

TsKlondikeForm::TsKlondikeForm(TAppContext& context, QWidget* parent)
    : TKlondikeForm(context, true, SmallLayout(), parent) {
}
