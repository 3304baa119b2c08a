#include "games/GameRegistry.h"

#include "framework/core/GameTable.h"
#include "games/castle/TsCastleForm.h"
#include "games/dblklondike/TsDblKlondikeForm.h"
#include "games/fortythieves/TsFortyThievesForm.h"
#include "games/freecell/TsFreeCellForm.h"
#include "games/golf/TsGolfForm.h"
#include "games/indian/TsIndianPatienceForm.h"
#include "games/klondike/TKlondikeForm.h"
#include "games/klondike/TsKlondikeForm.h"
#include "games/montana/TsMontanaForm.h"
#include "games/pyramid/TsPyramidForm.h"
#include "games/queenitaly/TsQueenItalyForm.h"
#include "games/seatowers/TsSeaHavenForm.h"
#include "games/spider/TsSpiderForm.h"

#include <array>

namespace {

template <class Large, class Small> TGameFactory Make() {
    return {[](TAppContext& context, QWidget* parent) -> TGameForm* { return new Large(context, parent); },
            [](TAppContext& context, QWidget* parent) -> TGameForm* { return new Small(context, parent); }};
}

std::array<TGameFactory, GI_COUNT> BuildTable() {
    std::array<TGameFactory, GI_COUNT> table{};
    table[GI_CASTLE] = Make<TCastleForm, TsCastleForm>();
    table[GI_DBLKLONDIKE] = Make<TDblKlondikeForm, TsDblKlondikeForm>();
    table[GI_FORTYTHIEVES] = Make<TFortyThievesForm, TsFortyThievesForm>();
    table[GI_FREECELL] = Make<TFreeCellForm, TsFreeCellForm>();
    table[GI_GOLF] = Make<TGolfForm, TsGolfForm>();
    table[GI_INDIAN] = Make<TIndianPatienceForm, TsIndianPatienceForm>();
    table[GI_KLONDIKE] = Make<TKlondikeForm, TsKlondikeForm>();
    table[GI_MONTANA] = Make<TMontanaForm, TsMontanaForm>();
    table[GI_PYRAMID] = Make<TPyramidForm, TsPyramidForm>();
    table[GI_QUEENITALY] = Make<TQueenItalyForm, TsQueenItalyForm>();
    table[GI_SEAHAVEN] = Make<TSeaHavenForm, TsSeaHavenForm>();
    table[GI_SPIDER] = Make<TSpiderForm, TsSpiderForm>();
    return table;
}

} // namespace

const TGameFactory& GameFactory(int gameIndex) {
    static const std::array<TGameFactory, GI_COUNT> table = BuildTable();
    static const TGameFactory none;
    return gameIndex >= 0 && gameIndex < GI_COUNT ? table[gameIndex] : none;
}
