#include "games/seatowers/TsSeaHavenForm.h"

const TGameLayout& TsSeaHavenForm::SmallLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 725;
        l.ClientHeight = 480;
        l.MinTrackHeight = 360;
        l.ColumnMargin = 110;
        AddRow(l, TPileRole::Foundation, 1, {8, 72}, 8, 61, 95);
        AddRow(l, TPileRole::FreeCell, 1, Spaced(234, 64, 4), 8, 61, 95);
        AddRow(l, TPileRole::Foundation, 3, {592, 656}, 8, 61, 95);
        AddRow(l, TPileRole::Tableau, 1, Spaced(8, 72, 10), 108, 61, 370, 16.0f);
        return l;
    }();
    return layout;
}

TsSeaHavenForm::TsSeaHavenForm(TAppContext& context, QWidget* parent)
    : TSeaHavenForm(context, true, SmallLayout(), parent) {
}
