#include "Art.h"

#include <QPainter>

namespace Art {
namespace {

// Where the suit sits in its 20 x 21 cell. Both sit high, so that the top
// rows of the cell, which a fanned column shows, hold as much of the suit as
// they can; a turned pip sits as low. Large pips fill the cell up to a pixel
// from its sides: on a large card the closest neighbours (the Ten's A and D)
// are 17 pixels apart. Small cards set theirs 12 apart, so their pips are
// narrower and never run into one another.
QRectF PipBox(PipSize size) {
    return size == PipSize::Large ? QRectF(1, 1, 18, 19) : QRectF(3.5, 1, 13, 14);
}

} // namespace

QImage LargePip(int suit, int scale, PipSize size) {
    QImage image = NewImage({20, 21}, scale, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.fillPath(SuitPathIn(suit, PipBox(size)), SuitInk(suit));
    return image;
}

namespace {

// The pip with every pixel either ink or ground: the 16-colour reduction
// would turn the half-covered edge pixels of a red pip grey.
QImage HardPip(int suit, PipSize size) {
    QImage mask(20, 21, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(SuitPathIn(suit, PipBox(size)), Qt::black);
    }
    QImage image = NewImage({20, 21}, 1, Qt::white);
    const QRgb ink = SuitInk(suit).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (mask.constScanLine(y)[x] >= 110)
                image.setPixel(x, y, ink);
    return image;
}

} // namespace

QImage SymbolSheet(int scale, PipSize size, bool lowColour) {
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
        const QImage pip = lowColour && scale == 1 ? HardPip(s, size) : LargePip(s, scale, size);
        put(20 * s, 30, pip);
        put(80 + 20 * s, 30, turned(pip));
        const QImage symbol = SmallSymbol(s, scale, lowColour);
        put(10 * s, 52, symbol);
        put(40 + 10 * s, 52, turned(symbol));
    }
    p.end();
    ClearKeyColour(sheet);
    return sheet;
}

} // namespace Art
