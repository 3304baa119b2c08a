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

} // namespace

QImage MiniSymbol(int suit, int scale) {
    QImage image = NewImage({8, 8}, scale, Qt::white);
    PaintPattern(image, Minis[suit], 7, {0, 0}, scale, SuitInk(suit));
    return image;
}

QImage RankGlyph(int value, bool red, int scale) {
    QImage image = NewImage({8, 14}, scale, Qt::white);
    PaintPattern(image, Glyphs[value], GlyphRows, {0, 1}, scale, red ? InkRed() : InkBlack());
    return image;
}

QImage SmallSymbol(int suit, int scale) {
    QImage image = NewImage({10, 12}, scale, Qt::white);
    const Pattern& s = Symbols[suit];
    PaintPattern(image, s.lines, s.rows, {0, s.top}, scale, SuitInk(suit));
    return image;
}

QImage LargePip(int suit, int scale) {
    QImage image = NewImage({20, 21}, scale, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    // Inset so that neighbouring pips, which overlap by a few pixels, never touch.
    p.fillPath(SuitPathIn(suit, QRectF(2, 2, 16, 17)), SuitInk(suit));
    return image;
}

QImage SymbolSheet(int scale) {
    QImage sheet = NewImage({224, 74}, scale, Qt::white);
    QPainter p(&sheet);
    auto put = [&](int x, int y, const QImage& image) { p.drawImage(QPoint(x, y) * scale, image); };
    auto turned = [](const QImage& image) { return image.mirrored(true, true); };
    for (int v = 0; v < 13; ++v)
        for (int red = 0; red < 2; ++red) {
            const QImage glyph = RankGlyph(v, red != 0, scale);
            put(16 * v + 8 * red, 0, glyph);
            put(16 * v + 8 * red, 15, turned(glyph));
        }
    for (int s = 0; s < 4; ++s) {
        const QImage pip = LargePip(s, scale);
        put(20 * s, 30, pip);
        put(80 + 20 * s, 30, turned(pip));
        const QImage symbol = SmallSymbol(s, scale);
        put(10 * s, 52, symbol);
        put(40 + 10 * s, 52, turned(symbol));
    }
    p.end();
    ClearKeyColour(sheet);
    return sheet;
}

} // namespace Art
