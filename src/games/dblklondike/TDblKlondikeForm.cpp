#include "games/dblklondike/TDblKlondikeForm.h"

const TGameLayout& TDblKlondikeForm::LargeLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 986;
        l.ClientHeight = 582;
        l.MinTrackHeight = 480;
        l.ColumnMargin = 165;
        l.Piles = {
            {"DeckPileView", TPileRole::Stock, 8, 8, 129, 145, 0.4f, 0.2f, FS_RECYCLE},
            {"DiscardPileView", TPileRole::Waste, 144, 8, 129, 129, 20.0f, 2.0f, FS_BLANK, false, true},
        };
        const char* foundations[] = {"FoundationPile1", "FoundationPile2", "FoundationPile3",
                                     "FoundationPile4", "FoundationPile5", "FoundationPile6",
                                     "FoundationPile7", "FoundationPile8"};
        for (int i = 0; i < 8; ++i)
            l.Piles.push_back(
                {foundations[i], TPileRole::Foundation, 280 + 88 * i, 8, 80, 125, 0, 0, FS_BLANK, true});
        const char* columns[] = {"TableauPileView1", "TableauPileView2", "TableauPileView3",
                                 "TableauPileView4", "TableauPileView5", "TableauPileView6",
                                 "TableauPileView7", "TableauPileView8", "TableauPileView9"};
        for (int i = 0; i < 9; ++i) {
            const bool last = i >= 7;
            l.Piles.push_back({columns[i], TPileRole::Tableau, 72 + 96 * i, last ? 162 : 160, 80,
                               last ? 415 : 417, 0, 20.0f, FS_BLANK, false, true});
        }
        l.Piles.push_back({"RecyclePileView", TPileRole::Hidden, 8, 496, 25, 25});
        return l;
    }();
    return layout;
}

TDblKlondikeForm::TDblKlondikeForm(TAppContext& context, QWidget* parent)
    : TDblKlondikeForm(context, false, LargeLayout(), parent) {
}

TDblKlondikeForm::TDblKlondikeForm(TAppContext& context, bool small, const TGameLayout& layout,
                                   QWidget* parent)
    : TKlondikeForm(context, GI_DBLKLONDIKE, small, layout, TVariant{2, false, false}, parent) {
    // A card on a foundation stays there: the foundations start no drag and
    // take only the middle button, which draws.
    for (TCardPileView* foundation : Foundations()) {
        foundation->OnMouseDown = [this](TCardPileView* view, Qt::MouseButton button, Qt::KeyboardModifiers,
                                         int, int) { FormMouseDown(view, button); };
        foundation->OnStartDrag = nullptr;
        foundation->OnEndDrag = nullptr;
    }
    Initialize();
}

bool TDblKlondikeForm::RecycleAllowed() const {
    return DrawCount() == 3 || RecycleCount() == 0;
}
