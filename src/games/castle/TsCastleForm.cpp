#include "games/castle/TsCastleForm.h"

const TGameLayout& TsCastleForm::SmallLayout() {
    static const TGameLayout layout =
        MakeLayout({561, 422, 8, 248, 328, Spaced(8, 104, 4), 232, 61, 95, 9.0f, 120, 392});
    return layout;
}

TsCastleForm::TsCastleForm(TAppContext& context, QWidget* parent)
    : TCastleForm(context, true, SmallLayout(), parent) {
}
