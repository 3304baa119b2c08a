// The corner indices: rank glyphs and small suit symbols. At scale 1 the rank
// glyphs are pixel patterns, tuned to the pixel grid as a hinted font is;
// above it they are vector drawings of the same letterforms, so a
// high-density screen shows smooth glyphs rather than doubled pixels. The
// suit symbols are the pips' outlines, smoothly drawn, except in the
// 16-colour pictures, which take pixel patterns without half-tones.
#include "Art.h"

#include <QPainter>

namespace Art {
namespace {

// Rank glyphs, 11 rows of up to 8 columns, two-pixel stems so that they stay
// legible at 8 x 14. Order: A, 2..10, J, Q, K.
constexpr int GlyphRows = 11;
const char* const Glyphs[13][GlyphRows] = {
    {"..###..", ".##.##.", "##...##", "##...##", "##...##", "##...##", "#######", "##...##", "##...##",
     "##...##", "##...##"},
    {".#####.", "##...##", "##...##", ".....##", "....##.", "...##..", "..##...", ".##....", "##.....",
     "##.....", "#######"},
    {".#####.", "##...##", ".....##", ".....##", ".....##", "..####.", ".....##", ".....##", ".....##",
     "##...##", ".#####."},
    {"....##.", "...###.", "..####.", ".##.##.", "##..##.", "##..##.", "#######", "....##.", "....##.",
     "....##.", "....##."},
    {"#######", "##.....", "##.....", "##.....", "######.", ".....##", ".....##", ".....##", ".....##",
     "##...##", ".#####."},
    {"..####.", ".##....", "##.....", "##.....", "######.", "##...##", "##...##", "##...##", "##...##",
     "##...##", ".#####."},
    {"#######", ".....##", ".....##", "....##.", "....##.", "...##..", "...##..", "..##...", "..##...",
     "..##...", "..##..."},
    {".#####.", "##...##", "##...##", "##...##", ".#####.", "##...##", "##...##", "##...##", "##...##",
     "##...##", ".#####."},
    {".#####.", "##...##", "##...##", "##...##", "##...##", "##...##", ".######", ".....##", ".....##",
     "....##.", ".####.."},
    {"##..###.", "##.##.##", "##.##.##", "##.##.##", "##.##.##", "##.##.##", "##.##.##", "##.##.##",
     "##.##.##", "##.##.##", "##..###."},
    {"...####", ".....##", ".....##", ".....##", ".....##", ".....##", ".....##", ".....##", "##...##",
     "##...##", ".#####."},
    {".#####.", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##.####", "##..##.",
     ".#####.", ".....##"},
    {"##...##", "##..##.", "##.##..", "####...", "###....", "###....", "####...", "##.##..", "##..##.",
     "##...##", "##...##"},
};

// Small suit symbols, 9 columns wide, for the corner indices.
struct Pattern {
    int rows;
    int top;
    const char* lines[11];
};
const Pattern Symbols[4] = {
    {10,
     1,
     {"...###...", "..#####..", "..#####..", "...###...", ".##.#.##.", "#########", "#########", ".##.#.##.",
      "....#....", "...###..."}},
    {10,
     1,
     {"....#....", "...###...", "..#####..", ".#######.", "#########", "#########", "#########", ".##.#.##.",
      "....#....", "...###..."}},
    {11,
     0,
     {"....#....", "...###...", "...###...", "..#####..", "..#####..", ".#######.", "..#####..", "..#####..",
      "...###...", "...###...", "....#...."}},
    {9,
     1,
     {".##...##.", "####.####", "#########", "#########", "#########", ".#######.", "..#####..", "...###...",
      "....#...."}},
};

// Seven-pixel suit symbols for the small court pictures.
const char* const Minis[4][7] = {
    {"..###..", "..###..", "##.#.##", "#######", "##.#.##", "...#...", "..###.."},
    {"...#...", "..###..", ".#####.", "#######", "#######", "...#...", "..###.."},
    {"...#...", "..###..", ".#####.", "#######", ".#####.", "..###..", "...#..."},
    {".##.##.", "#######", "#######", ".#####.", "..###..", "...#...", "......."},
};

// The rank glyphs as strokes on centre lines, in a unit box (x and y from 0
// to 1) that maps onto the pixel pattern's area less half a stem all round.
QPainterPath GlyphStrokes(int value) {
    QPainterPath p;
    switch (value) {
    case 0: // A
        p.moveTo(0, 1);
        p.lineTo(0, 0.4);
        p.cubicTo(0, 0.1, 0.22, 0, 0.5, 0);
        p.cubicTo(0.78, 0, 1, 0.1, 1, 0.4);
        p.lineTo(1, 1);
        p.moveTo(0, 0.6);
        p.lineTo(1, 0.6);
        break;
    case 1: // 2
        p.moveTo(0, 0.24);
        p.cubicTo(0.04, 0.06, 0.24, 0, 0.5, 0);
        p.cubicTo(0.8, 0, 1, 0.1, 1, 0.3);
        p.cubicTo(1, 0.5, 0.72, 0.62, 0.42, 0.78);
        p.cubicTo(0.2, 0.9, 0, 0.96, 0, 1);
        p.lineTo(1.05, 1);
        break;
    case 2: // 3
        p.moveTo(0, 0.1);
        p.cubicTo(0.14, 0.02, 0.3, 0, 0.5, 0);
        p.cubicTo(0.82, 0, 1, 0.1, 1, 0.25);
        p.cubicTo(1, 0.41, 0.8, 0.49, 0.42, 0.49);
        p.moveTo(0.42, 0.49);
        p.cubicTo(0.82, 0.49, 1, 0.6, 1, 0.75);
        p.cubicTo(1, 0.92, 0.78, 1, 0.5, 1);
        p.cubicTo(0.3, 1, 0.12, 0.97, 0, 0.89);
        break;
    case 3: // 4
        p.moveTo(0.76, 1.02);
        p.lineTo(0.76, 0);
        p.lineTo(0, 0.64);
        p.lineTo(1.05, 0.64);
        break;
    case 4: // 5
        p.moveTo(1, 0);
        p.lineTo(0.06, 0);
        p.lineTo(0.02, 0.44);
        p.cubicTo(0.18, 0.39, 0.32, 0.37, 0.5, 0.37);
        p.cubicTo(0.82, 0.37, 1, 0.5, 1, 0.68);
        p.cubicTo(1, 0.9, 0.78, 1, 0.5, 1);
        p.cubicTo(0.3, 1, 0.12, 0.97, 0, 0.89);
        break;
    case 5: // 6
        p.moveTo(0.9, 0.04);
        p.cubicTo(0.78, 0.01, 0.64, 0, 0.52, 0);
        p.cubicTo(0.18, 0, 0, 0.28, 0, 0.62);
        p.cubicTo(0, 0.88, 0.2, 1, 0.5, 1);
        p.cubicTo(0.8, 1, 1, 0.88, 1, 0.68);
        p.cubicTo(1, 0.48, 0.8, 0.38, 0.5, 0.38);
        p.cubicTo(0.26, 0.38, 0.06, 0.47, 0, 0.6);
        break;
    case 6: // 7
        p.moveTo(-0.02, 0);
        p.lineTo(1, 0);
        p.cubicTo(0.72, 0.3, 0.48, 0.62, 0.4, 1.02);
        break;
    case 7: // 8
        p.addEllipse(QPointF(0.5, 0.235), 0.42, 0.235);
        p.addEllipse(QPointF(0.5, 0.73), 0.5, 0.27);
        break;
    case 8: { // 9: the 6 turned round
        const QPainterPath six = GlyphStrokes(5);
        QTransform t;
        t.translate(1, 1);
        t.rotate(180);
        p = t.map(six);
        break;
    }
    case 9: // 10, on a box of 8 columns rather than 7
        p.moveTo(0, 0.08);
        p.lineTo(0.08, 0);
        p.lineTo(0.08, 1.02);
        p.addEllipse(QPointF(0.72, 0.5), 0.28, 0.5);
        break;
    case 10: // J
        p.moveTo(0.4, 0);
        p.lineTo(1, 0);
        p.lineTo(1, 0.7);
        p.cubicTo(1, 0.9, 0.8, 1, 0.5, 1);
        p.cubicTo(0.2, 1, 0, 0.9, 0, 0.72);
        break;
    case 11: // Q
        p.addEllipse(QPointF(0.5, 0.45), 0.5, 0.45);
        p.moveTo(0.56, 0.72);
        p.lineTo(1.02, 1.1);
        break;
    default: // K
        p.moveTo(0, -0.02);
        p.lineTo(0, 1.02);
        p.moveTo(1, 0);
        p.lineTo(0.02, 0.64);
        p.moveTo(0.34, 0.42);
        p.lineTo(1, 1.02);
        break;
    }
    return p;
}

// The vector glyph in the 8 x 14 cell, ink on white, at any scale above 1.
void PaintVectorGlyph(QImage& image, int value, int scale, QColor ink) {
    constexpr double stem = 1.85;
    const double width = value == 9 ? 8.0 : 7.0;
    QTransform t;
    t.scale(scale, scale);
    t.translate(stem / 2, 1 + stem / 2);
    t.scale(width - stem, 11 - stem);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(ink, stem * scale, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(3);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(t.map(GlyphStrokes(value)));
}

// The pixel pattern's bounding box, where the vector symbol is drawn.
QRectF SymbolBox(int suit) {
    const Pattern& s = Symbols[suit];
    return QRectF(0, s.top, 9, s.rows);
}

} // namespace

QImage RankGlyph(int value, bool red, int scale) {
    QImage image = NewImage({8, 14}, scale, Qt::white);
    const QColor ink = red ? InkRed() : InkBlack();
    if (scale == 1)
        PaintPattern(image, Glyphs[value], GlyphRows, {0, 1}, scale, ink);
    else
        PaintVectorGlyph(image, value, scale, ink);
    return image;
}

QImage SmallSymbol(int suit, int scale, bool lowColour) {
    QImage image = NewImage({10, 12}, scale, Qt::white);
    const Pattern& s = Symbols[suit];
    if (lowColour && scale == 1) {
        PaintPattern(image, s.lines, s.rows, {0, s.top}, scale, SuitInk(suit));
    } else {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        p.fillPath(SuitPathIn(suit, SymbolBox(suit)), SuitInk(suit));
    }
    return image;
}

QImage MiniSymbol(int suit, int scale) {
    QImage image = NewImage({8, 8}, scale, Qt::white);
    if (scale == 1) {
        PaintPattern(image, Minis[suit], 7, {0, 0}, scale, SuitInk(suit));
    } else {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        p.fillPath(SuitPathIn(suit, QRectF(0, 0, 7, suit == Hearts ? 6 : 7)), SuitInk(suit));
    }
    return image;
}

} // namespace Art
