#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QString>
#include <functional>
#include <initializer_list>

// Shared drawing kit of the shell artwork: colours, suit marks, miniature
// cards, the jester, lettering and the low-colour reduction.
namespace shellart {

enum class Suit { Clubs, Spades, Diamonds, Hearts };

namespace colour {
inline const QColor Cream(0xF1, 0xE9, 0xD2); // jester background = selector and info box colour
inline const QColor Felt(0x00, 0x40, 0x00);  // the game tables' dark green
inline const QColor FeltLight(0x0E, 0x5C, 0x22);
inline const QColor Ink(0x2B, 0x22, 0x1C);
inline const QColor CardRed(0xC8, 0x1E, 0x24);
inline const QColor CardBlack(0x1A, 0x1A, 0x1A);
inline const QColor CardWhite(0xFC, 0xFB, 0xF5);
inline const QColor Gold(0xF2, 0xB6, 0x32);
inline const QColor Lettering(0xF6, 0xDC, 0x8A);
inline const QColor MotleyRed(0xD6, 0x3A, 0x2F);
inline const QColor MotleyBlue(0x2F, 0x5F, 0xBF);
inline const QColor MotleyGreen(0x2F, 0x9E, 0x55);
inline const QColor BackBlue(0x24, 0x48, 0x9A);
} // namespace colour

// Renders at several times the final size and scales down, so small shapes
// get smooth, even edges. The painter works in the picture's logical pixels;
// the result has `scale` times as many, for high-density screens.
QImage Render(int width, int height, int scale, const std::function<void(QPainter&)>& draw,
              bool transparent = false);

// At most 256 colours, keeping the large flat areas exact.
QImage LowColour(const QImage& image);

// A suit mark filling the given square.
QPainterPath SuitPath(Suit suit, const QRectF& square);
bool IsRed(Suit suit);
QColor SuitColour(Suit suit);
QString RankText(int rank); // 0 = Ace .. 12 = King

// Cards of any size; the details follow the size.
void DrawFace(QPainter& p, const QRectF& r, Suit suit, int rank);
void DrawBack(QPainter& p, const QRectF& r);
void DrawEdge(QPainter& p, const QRectF& r);    // a plain card edge, as under the top of a stock
void DrawOutline(QPainter& p, const QRectF& r); // an empty foundation or cell
qreal CardRadius(const QRectF& r);
// Faces fanned about `pivot`, each with a soft shadow offset by `shadow`:
// `card` is a card's rectangle around the pivot, the first turned by
// `firstAngle` degrees and each next one by `step` more.
struct FanCard {
    Suit suit;
    int rank;
};
void DrawFan(QPainter& p, const QPointF& pivot, const QRectF& card, qreal firstAngle, qreal step,
             std::initializer_list<FanCard> cards, qreal shadow, int shadowAlpha = 60);

// The table's felt: dark green, a little lighter in the middle.
void FillFelt(QPainter& p, const QRectF& r);

// The jester, standing in a 66 x 90 box; lean in degrees (negative leans left).
void DrawJester(QPainter& p, qreal lean);
// The three-pointed belled cap alone, its band centred at (0, 0) and 1 unit wide.
void DrawCap(QPainter& p, const QPointF& centre, qreal width, qreal tilt = 0);

// Gold lettering with a soft shadow, centred in rect; the pixel size shrinks to fit.
void DrawLettering(QPainter& p, const QRectF& rect, const QString& text, int pixelSize,
                   const QColor& colour = colour::Lettering,
                   const QString& family = QStringLiteral("DejaVu Serif"), bool bold = true);

// A row of the four suit marks, used as an ornament under titles.
void DrawSuitRow(QPainter& p, const QPointF& centre, qreal size, qreal gap);

} // namespace shellart
