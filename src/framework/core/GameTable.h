#pragma once

#include <array>

// The twelve games in the selector's list order, with the constants that the
// game windows, the selector and the statistics dialog share.
struct TGameInfo {
    const char* ListName;    // in the selector's list ("Free Cell")
    const char* GameName;    // in messages, captions and the statistics list ("FreeCell")
    const char* Section;     // settings section; "s" + Section places the small window
    int HelpContext;         // help topic of the rules
    int Threshold;           // moves from which quitting asks and is recorded
    int MinWidthLarge;       // smallest screen width for the large-card window
    int MinWidthSmall;       // same for the small-card window; 0 means none
    const char* Preview;     // preview picture resource
};

enum TGameIndex {
    GI_CASTLE = 0, GI_DBLKLONDIKE, GI_FORTYTHIEVES, GI_FREECELL, GI_GOLF, GI_INDIAN,
    GI_KLONDIKE, GI_MONTANA, GI_PYRAMID, GI_QUEENITALY, GI_SEAHAVEN, GI_SPIDER, GI_COUNT
};

inline const std::array<TGameInfo, GI_COUNT>& GameTable() {
    static const std::array<TGameInfo, GI_COUNT> table{{
        {"Beleaguered Castle", "Beleaguered Castle", "Castle", 1001, 5, 800, 0, "CASTLE"},
        {"Double Klondike", "Double Klondike", "DoubleKlondike", 1002, 5, 1024, 800, "DBLKLONDIKE"},
        {"Forty Thieves", "Forty Thieves", "FortyThieves", 1003, 10, 1024, 800, "FORTYTHIEVES"},
        {"Free Cell", "FreeCell", "FreeCell", 1004, 5, 800, 0, "FREECELL"},
        {"Golf", "Golf", "Golf", 1005, 5, 800, 0, "GOLF"},
        {"Indian Patience", "Indian Patience", "IndianPatience", 1006, 10, 1024, 800, "INDIAN"},
        {"Klondike", "Klondike", "Klondike", 1007, 5, 800, 0, "KLONDIKE"},
        {"Montana", "Montana", "Montana", 1008, 5, 1024, 800, "MONTANA"},
        {"Pyramid", "Pyramid", "Pyramid", 1009, 5, 800, 0, "PYRAMID"},
        {"Queen of Italy", "Queen of Italy", "QueenItaly", 1010, 5, 1024, 800, "QUEENITALY"},
        {"Sea Towers", "Sea Towers", "SeaHavenTowers", 1011, 5, 1024, 800, "SEAHAVEN"},
        {"Spider", "Spider", "Spider", 1012, 10, 1024, 800, "SPIDER"},
    }};
    return table;
}
