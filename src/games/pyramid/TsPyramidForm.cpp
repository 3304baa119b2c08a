#include "games/pyramid/TsPyramidForm.h"

const TGameLayout& TsPyramidForm::SmallLayout() {
    static const TGameLayout layout = BuildLayout({
        520,
        480,
        {8, 48, 88, 128, 168, 208, 248},
        {{{232},
          {200, 264},
          {168, 232, 296},
          {128, 197, 267, 336},
          {88, 160, 232, 304, 376},
          {50, 122, 194, 267, 339, 411},
          {16, 88, 160, 232, 304, 376, 448}}},
        61,
        95,
        QRect(112, 353, 88, 113),
        QRect(216, 353, 61, 95),
        QRect(296, 353, 88, 113),
        QRect(448, 361, 61, 95),
        0.5f,
        QPoint(5, 454),
        13,
    });
    return layout;
}

TsPyramidForm::TsPyramidForm(TAppContext& context, QWidget* parent)
    : TPyramidForm(context, true, SmallLayout(), parent) {
}
