#include "games/golf/TsGolfForm.h"

const TGameLayout& TsGolfForm::SmallLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 585;
        l.ClientHeight = 340;
        AddRow(l, "TableauPileView", 1, Spaced(24, 80, 7),
               {{}, TPileRole::Tableau, 0, 8, 61, 200, 0.0f, 16.0f, FS_BLANK, false, true});
        l.Piles.push_back({"DeckPileView", TPileRole::Stock, 8, 224, 97, 105, 0.4f, 0.2f});
        l.Piles.push_back({"DiscardPileView", TPileRole::Waste, 112, 224, 473, 95, 7.0f});
        return l;
    }();
    return layout;
}

TsGolfForm::TsGolfForm(TAppContext& context, QWidget* parent)
    : TGolfForm(context, true, SmallLayout(), parent) {
}
