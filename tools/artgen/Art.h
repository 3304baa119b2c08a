#pragma once

// The card artwork, drawn from vector paths and pixel patterns so that it
// comes out identical on every machine. Every function takes a scale factor:
// 1 gives the program's pictures, 2 and up the same art for high-density
// screens, with the same geometry in pixels times the scale.
//
// At scale 1 the card-shaped pictures are opaque and key their corners with
// Key (the program takes the bottom-left pixel's colour as transparent); the
// pixel patterns keep the small glyphs crisp. Above scale 1 the same pictures
// carry an anti-aliased alpha channel and every glyph is a vector drawing.

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRect>
#include <QSize>

class QPainter;

namespace Art {

// The colour the program keys out as transparent (from the bottom-left pixel).
constexpr QRgb Key = 0xFFFF00FFu;

enum Suit { Clubs = 0, Spades = 1, Diamonds = 2, Hearts = 3 };

constexpr QSize LargeCard{80, 125};
constexpr QSize SmallCard{61, 95};

// --- shapes.cpp ---------------------------------------------------------
// The suit outline inside the 100 x 100 box, point or lobe upward.
QPainterPath SuitPath(int suit);
// The suit outline fitted into a rectangle.
QPainterPath SuitPathIn(int suit, const QRectF& box);
QColor InkRed();
QColor InkBlack();
QColor SuitInk(int suit);
// An RGB image of size * scale filled with fill.
QImage NewImage(QSize size, int scale, QColor fill);
// Any pixel that happens to be the key colour gets a neighbouring shade, so
// only the outside of a card is ever transparent.
void ClearKeyColour(QImage& image);
// Draws pattern (rows of '#' and '.') at (x, y) in pixels of size scale.
void PaintPattern(QImage& image, const char* const* rows, int count, QPoint at, int scale, QColor ink);

// A card-shaped picture: paint draws the inside (with the painter in card
// pixels), then the outside of the rounded outline becomes transparent and
// the outline itself is drawn one card pixel wide.
template <typename Paint> QImage CardShape(QSize size, double radius, int scale, QColor outline, Paint paint);
QImage ApplyCardOutline(QImage image, QSize size, double radius, int scale, QColor outline);

// --- glyphs.cpp -----------------------------------------------------------
QImage RankGlyph(int value, bool red, int scale);                // 8 x 14, white ground
QImage SmallSymbol(int suit, int scale, bool lowColour = false); // 10 x 12, white ground
QImage MiniSymbol(int suit, int scale); // 8 x 8, white ground, for the small (16-colour) pictures

// --- sheet.cpp ------------------------------------------------------------
enum class PipSize { Large, Small };
// 20 x 21, white ground; Small pips leave room between the close pips of a
// small card, Large ones fill the wider spacing of the large card.
QImage LargePip(int suit, int scale, PipSize size);
// 224 x 74. lowColour draws for the 16-colour reduction: no half-covered
// pixels, which the reduction would turn grey.
QImage SymbolSheet(int scale, PipSize size, bool lowColour = false);

// --- courts.cpp -------------------------------------------------------------
// rank 10 Jack, 11 Queen, 12 King; the picture of size, drawn into frame.
QImage CourtPicture(int rank, int suit, QSize size, QRect frame, int scale);
QImage AceOfSpadesPicture(QSize size, QRect area, int scale);

// --- backs.cpp --------------------------------------------------------------
QImage BlankCard(QSize size, int scale);
QImage CustomBackBlank(QSize size, int scale);
QImage Back(int design, QSize size, int scale);
QImage RecycleMark(QSize size, int scale);
QImage EmptyMark(QSize size, int scale);

// --- palette.cpp ------------------------------------------------------------
// The image reduced to the 16 standard VGA colours; the key colour is kept for
// key pixels only, every other pixel takes the nearest of the other fifteen.
QImage To16Colours(const QImage& image);

template <typename Paint>
QImage CardShape(QSize size, double radius, int scale, QColor outline, Paint paint) {
    QImage image = NewImage(size, scale, Qt::white);
    paint(image);
    return ApplyCardOutline(std::move(image), size, radius, scale, outline);
}

} // namespace Art
