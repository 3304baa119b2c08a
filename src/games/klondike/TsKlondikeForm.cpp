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
        const char* foundations[] = {"FoundationPile1", "FoundationPile2", "FoundationPile3",
                                     "FoundationPile4"};
        for (int i = 0; i < 4; ++i)
            l.Piles.push_back(
                {foundations[i], TPileRole::Foundation, 248 + 64 * i, 8, 61, 95, 0, 0, FS_BLANK, true, true});
        const char* columns[] = {"TableauPileView1", "TableauPileView2", "TableauPileView3",
                                 "TableauPileView4", "TableauPileView5", "TableauPileView6",
                                 "TableauPileView7"};
        for (int i = 0; i < 7; ++i)
            l.Piles.push_back(
                {columns[i], TPileRole::Tableau, 8 + 72 * i, 120, 61, 270, 0, 16.0f, FS_BLANK, false, true});
        l.Piles.push_back({"RecyclePileView", TPileRole::Hidden, 464, 104, 25, 25});
        return l;
    }();
    return layout;
}

TsKlondikeForm::TsKlondikeForm(TAppContext& context, QWidget* parent)
    : TKlondikeForm(context, true, SmallLayout(), parent) {
}
