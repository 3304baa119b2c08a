#include "Art.h"

#include <QPainter>

namespace Art {

QPainterPath SuitPath(int suit) {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    switch (suit) {
    case Hearts:
        p.moveTo(50, 100);
        p.cubicTo(22, 76, 0, 56, 0, 29);
        p.cubicTo(0, 10, 14, 0, 27, 0);
        p.cubicTo(39, 0, 47, 8, 50, 19);
        p.cubicTo(53, 8, 61, 0, 73, 0);
        p.cubicTo(86, 0, 100, 10, 100, 29);
        p.cubicTo(100, 56, 78, 76, 50, 100);
        break;
    case Diamonds:
        p.moveTo(50, 0);
        p.quadTo(64, 27, 88, 50);
        p.quadTo(64, 73, 50, 100);
        p.quadTo(36, 73, 12, 50);
        p.quadTo(36, 27, 50, 0);
        break;
    case Spades:
        p.moveTo(50, 0);
        p.cubicTo(36, 24, 0, 38, 0, 61);
        p.cubicTo(0, 77, 12, 86, 25, 86);
        p.cubicTo(36, 86, 44, 80, 47, 73);
        p.quadTo(45, 91, 30, 100);
        p.lineTo(70, 100);
        p.quadTo(55, 91, 53, 73);
        p.cubicTo(56, 80, 64, 86, 75, 86);
        p.cubicTo(88, 86, 100, 77, 100, 61);
        p.cubicTo(100, 38, 64, 24, 50, 0);
        break;
    default: // clubs
        p.addEllipse(QPointF(50, 25), 24, 24);
        p.addEllipse(QPointF(24, 60), 24, 24);
        p.addEllipse(QPointF(76, 60), 24, 24);
        p.addRect(QRectF(38, 40, 24, 24));
        p.moveTo(47, 62);
        p.quadTo(45, 90, 30, 100);
        p.lineTo(70, 100);
        p.quadTo(55, 90, 53, 62);
        p.closeSubpath();
        break;
    }
    return p;
}

QPainterPath SuitPathIn(int suit, const QRectF& box) {
    QTransform t;
    t.translate(box.x(), box.y());
    t.scale(box.width() / 100.0, box.height() / 100.0);
    return t.map(SuitPath(suit));
}

QColor InkRed() {
    return QColor(214, 0, 20);
}
QColor InkBlack() {
    return QColor(0, 0, 0);
}
QColor SuitInk(int suit) {
    return suit == Diamonds || suit == Hearts ? InkRed() : InkBlack();
}

QImage NewImage(QSize size, int scale, QColor fill) {
    QImage image(size * scale, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void ClearKeyColour(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == Key)
                line[x] = qRgb(250, 0, 250);
    }
}

void PaintPattern(QImage& image, const char* const* rows, int count, QPoint at, int scale, QColor ink) {
    QPainter p(&image);
    for (int r = 0; r < count; ++r)
        for (int c = 0; rows[r][c]; ++c)
            if (rows[r][c] == '#')
                p.fillRect((at.x() + c) * scale, (at.y() + r) * scale, scale, scale, ink);
}

QImage ApplyCardOutline(QImage image, QSize size, double radius, int scale, QColor outline) {
    const int w = size.width() * scale;
    const int h = size.height() * scale;
    // The rounded shape as a hard mask: a pixel belongs to the card when at
    // least half of it is covered, so no pixel is ever a blend with the key.
    QImage mask(w, h, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, w, h), radius * scale, radius * scale);
        p.fillPath(path, Qt::black);
    }
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && mask.constScanLine(y)[x] >= 128;
    };
    ClearKeyColour(image);
    const QRgb edge = outline.rgb();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y)) {
                line[x] = Key;
                continue;
            }
            for (int d = 1; d <= scale; ++d)
                if (!inside(x - d, y) || !inside(x + d, y) || !inside(x, y - d) || !inside(x, y + d)) {
                    line[x] = edge;
                    break;
                }
        }
    }
    return image;
}

} // namespace Art
