#pragma once

#include "pileview/TCardPileView.h"

#include <QString>
#include <vector>

// The role of a pile view in its game: decides the standard handlers it gets.
enum class TPileRole { Stock, Waste, Tableau, Foundation, FreeCell, Hidden, Other };

// One pile view of a game window's layout: its name, place and properties.
struct TPileSpec {
    QString Name;
    TPileRole Role;
    int Left, Top, Width, Height;
    float XOffset = 0.0f;
    float YOffset = 0.0f;
    _PileBitmap State = FS_BLANK;
    bool IsBordered = false;
    bool AllowDrag = false;
    // Keeps the view this far (its top edge) above the client area's bottom edge on resize; 0: fixed.
    int BottomGap = 0;
    // The view's right edge follows the client area's right edge when the window widens (maximized).
    bool StretchRight = false;
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

// `count` left edges from `first`, `step` apart.
inline std::vector<int> Spaced(int first, int step, int count) {
    std::vector<int> lefts;
    for (int i = 0; i < count; ++i)
        lefts.push_back(first + step * i);
    return lefts;
}

// Adds one view per left edge, named `prefix` followed by its number from
// `first` on ("TableauPileView1", ...), otherwise like `pile`.
inline void AddRow(TGameLayout& layout, const QString& prefix, int first, const std::vector<int>& lefts,
                   TPileSpec pile) {
    for (std::size_t i = 0; i < lefts.size(); ++i) {
        pile.Name = prefix + QString::number(first + static_cast<int>(i));
        pile.Left = lefts[i];
        layout.Piles.push_back(pile);
    }
}
