#include "games/dblklondike/TsDblKlondikeForm.h"

const TGameLayout& TsDblKlondikeForm::SmallLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 756;
        l.ClientHeight = 489;
        l.MinTrackHeight = 300;
        l.ColumnMargin = 139;
        l.Piles = {
            {"DeckPileView", TPileRole::Stock, 8, 8, 113, 113, 0.4f, 0.2f, FS_RECYCLE},
            {"DiscardPileView", TPileRole::Waste, 128, 8, 105, 101, 20.0f, 2.0f, FS_BLANK, false, true},
        };
        AddRow(l, "FoundationPile", 1, Spaced(240, 64, 8),
               {{}, TPileRole::Foundation, 0, 8, 61, 95, 0, 0, FS_BLANK, true, false});
        AddRow(l, "TableauPileView", 1, Spaced(64, 72, 9),
               {{}, TPileRole::Tableau, 0, 136, 61, 350, 0, 16.0f, FS_BLANK, false, true});
        l.Piles.push_back({"RecyclePileView", TPileRole::Hidden, 720, 496, 25, 25});
        return l;
    }();
    return layout;
}

TsDblKlondikeForm::TsDblKlondikeForm(TAppContext& context, QWidget* parent)
    : TDblKlondikeForm(context, true, SmallLayout(), parent) {
}
