#pragma once

#include "pileview/TCardPileView.h"

#include <vector>

// The role of a pile view in its game: decides the standard handlers it gets.
enum class TPileRole { Stock, Waste, Tableau, Foundation, FreeCell, Hidden, Other };

// One pile view of a game window's layout: its name, place and properties.
struct TPileSpec {
    const char* Name;
    TPileRole Role;
    int Left, Top, Width, Height;
    float XOffset = 0.0f;
    float YOffset = 0.0f;
    _PileBitmap State = FS_BLANK;
    bool IsBordered = false;
    bool AllowDrag = false;
};

// A text on the table (e.g. a pass label).
struct TLabelSpec {
    const char* Name;
    const char* Text;
    int Left, Top;
    int PixelHeight;
    bool Italic = false;
};

// A game window's layout at one card size.
struct TGameLayout {
    int ClientWidth = 0;
    int ClientHeight = 0;
    // Smallest window height (frame and caption included); 0 locks the height too.
    int MinTrackHeight = 0;
    // Tableau columns are as tall as the client height minus this; 0: no rule.
    int ColumnMargin = 0;
    std::vector<TPileSpec> Piles;
    std::vector<TLabelSpec> Labels;
};
