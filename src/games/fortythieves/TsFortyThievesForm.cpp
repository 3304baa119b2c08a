#include "games/fortythieves/TsFortyThievesForm.h"

const TGameLayout& TsFortyThievesForm::SmallLayout() {
    static const TGameLayout layout = TenColumnLayout(true, 80);
    return layout;
}

TsFortyThievesForm::TsFortyThievesForm(TAppContext& context, QWidget* parent)
    : TFortyThievesForm(context, true, SmallLayout(), parent) {
}
