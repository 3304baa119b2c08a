#include "games/indian/TsIndianPatienceForm.h"

const TGameLayout& TsIndianPatienceForm::SmallLayout() {
    static const TGameLayout layout = TenColumnLayout(true, 79);
    return layout;
}

TsIndianPatienceForm::TsIndianPatienceForm(TAppContext& context, QWidget* parent)
    : TIndianPatienceForm(context, true, SmallLayout(), parent) {
}
