#include "games/freecell/TsFreeCellForm.h"

const TGameLayout& TsFreeCellForm::SmallLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 590;
        l.ClientHeight = 409;
        l.MinTrackHeight = 300;
        l.ColumnMargin = 109;
        AddRow(l, TPileRole::FreeCell, 1, Spaced(8, 64, 4), 8, 61, 95);
        AddRow(l, TPileRole::Foundation, 1, Spaced(331, 64, 4), 8, 61, 95);
        AddRow(l, TPileRole::Tableau, 1, Spaced(16, 72, 8), 108, 61, 300, 16.0f);
        return l;
    }();
    return layout;
}

TsFreeCellForm::TsFreeCellForm(TAppContext& context, QWidget* parent)
    : TFreeCellForm(context, true, SmallLayout(), parent) {
}
