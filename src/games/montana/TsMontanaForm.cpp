#include "games/montana/TsMontanaForm.h"

const TGameLayout& TsMontanaForm::SmallLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 800;
        l.ClientHeight = 420;
        AddGrid(l, 3, 61, {8, 112, 216, 320}, 61, 95);
        return l;
    }();
    return layout;
}

TsMontanaForm::TsMontanaForm(TAppContext& context, QWidget* parent)
    : TMontanaForm(context, true, SmallLayout(), parent) {
}
