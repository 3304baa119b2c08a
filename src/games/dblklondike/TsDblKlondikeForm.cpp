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
        const char* foundations[] = {"FoundationPile1", "FoundationPile2", "FoundationPile3",
                                     "FoundationPile4", "FoundationPile5", "FoundationPile6",
                                     "FoundationPile7", "FoundationPile8"};
        for (int i = 0; i < 8; ++i)
            l.Piles.push_back(
                {foundations[i], TPileRole::Foundation, 240 + 64 * i, 8, 61, 95, 0, 0, FS_BLANK, true});
        const char* columns[] = {"TableauPileView1", "TableauPileView2", "TableauPileView3",
                                 "TableauPileView4", "TableauPileView5", "TableauPileView6",
                                 "TableauPileView7", "TableauPileView8", "TableauPileView9"};
        for (int i = 0; i < 9; ++i)
            l.Piles.push_back(
                {columns[i], TPileRole::Tableau, 64 + 72 * i, 136, 61, 350, 0, 16.0f, FS_BLANK, false, true});
        l.Piles.push_back({"RecyclePileView", TPileRole::Hidden, 720, 496, 25, 25});
        return l;
    }();
    return layout;
}

TsDblKlondikeForm::TsDblKlondikeForm(TAppContext& context, QWidget* parent)
    : TDblKlondikeForm(context, true, SmallLayout(), parent) {
}
