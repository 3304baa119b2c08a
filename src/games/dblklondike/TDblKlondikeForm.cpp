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
        AddRow(l, "FoundationPile", 1, Spaced(280, 88, 8),
               {{}, TPileRole::Foundation, 0, 8, 80, 125, 0, 0, FS_BLANK, true, false});
        AddRow(l, "TableauPileView", 1, Spaced(72, 96, 9),
               {{}, TPileRole::Tableau, 0, 160, 80, 417, 0, 20.0f, FS_BLANK, false, true});
        for (std::size_t i = l.Piles.size() - 2; i < l.Piles.size();
             ++i) { // columns 8 and 9 sit 2 pixels lower
            l.Piles[i].Top = 162;
            l.Piles[i].Height = 415;
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
