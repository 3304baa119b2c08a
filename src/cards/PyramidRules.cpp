#include "cards/PyramidRules.h"

namespace PyramidRules {

int RowOf(int position) {
    int row = 1;
    while (position >= row) {
        position -= row;
        ++row;
    }
    return row;
}

int PlaceOf(int position) {
    const int row = RowOf(position);
    return position - row * (row - 1) / 2 + 1;
}

int PositionAt(int row, int place) {
    if (row < 1 || row > Rows || place < 1 || place > row)
        return -1;
    return row * (row - 1) / 2 + place - 1;
}

QList<int> CoveredBy(int position) {
    const int row = RowOf(position);
    const int place = PlaceOf(position);
    if (row == Rows)
        return {};
    return {PositionAt(row + 1, place), PositionAt(row + 1, place + 1)};
}

QList<int> Covers(int position) {
    const int row = RowOf(position);
    const int place = PlaceOf(position);
    QList<int> covered;
    for (const int above : {PositionAt(row - 1, place - 1), PositionAt(row - 1, place)})
        if (above >= 0)
            covered.append(above);
    return covered;
}

bool IsFree(const TPresence& present, int position) {
    if (position < 0 || position >= Positions || !present.test(position))
        return false;
    for (const int over : CoveredBy(position))
        if (present.test(over))
            return false;
    return true;
}

TPresence FreePositions(const TPresence& present) {
    TPresence free;
    for (int p = 0; p < Positions; ++p)
        free.set(p, IsFree(present, p));
    return free;
}

bool Pairs(_CardValue a, _CardValue b) {
    // Values count from 0 for the Ace, so ranks totalling 13 are values totalling 11.
    return a + b == 11;
}

bool LeavesAlone(_CardValue value) {
    return value == FS_KING;
}

TDeckClick PlanDeckClick(int pass, int deckCards, int playCards, int wasteCards) {
    TDeckClick click;
    click.SetAside = playCards > 0;
    if (deckCards > 0)
        click.Draw = true;
    else
        click.Redeal = pass < Passes && wasteCards + playCards > 0;
    return click;
}

bool RedealRemains(int pass, int deckCards, int playCards, int wasteCards) {
    return pass < Passes && deckCards + playCards + wasteCards > 0;
}

const char* PassLabel(int pass) {
    switch (pass) {
    case 1:
        return "First Pass";
    case 2:
        return "Second Pass";
    default:
        return "Third Pass";
    }
}

} // namespace PyramidRules
