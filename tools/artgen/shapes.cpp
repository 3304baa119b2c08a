#include "Art.h"

#include <QPainter>

namespace Art {

QPainterPath SuitPath(int suit) {
    // The tops are drawn to differ at a glance, since a fanned column shows
    // only the top third of its pips: the spade rises to a sharp point on
    // hollow flanks, the club carries a large round head, the heart two
    // round lobes and the diamond a point on straight sides.
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    switch (suit) {
    case Hearts:
        p.moveTo(50, 100);
        p.cubicTo(38, 86, 0, 62, 0, 30);
        p.cubicTo(0, 11, 13, 0, 28, 0);
        p.cubicTo(39, 0, 47, 7, 50, 18);
        p.cubicTo(53, 7, 61, 0, 72, 0);
        p.cubicTo(87, 0, 100, 11, 100, 30);
        p.cubicTo(100, 62, 62, 86, 50, 100);
        p.closeSubpath();
        break;
    case Diamonds:
        p.moveTo(50, 0);
        p.quadTo(67, 27, 90, 50);
        p.quadTo(67, 73, 50, 100);
        p.quadTo(33, 73, 10, 50);
        p.quadTo(33, 27, 50, 0);
        p.closeSubpath();
        break;
    case Spades:
        p.moveTo(50, 0);
        p.cubicTo(54, 10, 64, 20, 78, 32);
        p.cubicTo(92, 44, 100, 53, 100, 65);
        p.cubicTo(100, 79, 89, 87, 77, 87);
        p.cubicTo(67, 87, 59, 82, 55, 75);
        p.quadTo(57, 92, 70, 100);
        p.lineTo(30, 100);
        p.quadTo(43, 92, 45, 75);
        p.cubicTo(41, 82, 33, 87, 23, 87);
        p.cubicTo(11, 87, 0, 79, 0, 65);
        p.cubicTo(0, 53, 8, 44, 22, 32);
        p.cubicTo(36, 20, 46, 10, 50, 0);
        p.closeSubpath();
        break;
    default: // clubs
        p.addEllipse(QPointF(50, 25), 25, 25);
        p.addEllipse(QPointF(23, 61), 23, 23);
        p.addEllipse(QPointF(77, 61), 23, 23);
        p.addRect(QRectF(36, 40, 28, 26));
        p.moveTo(46, 62);
        p.quadTo(45, 90, 30, 100);
        p.lineTo(70, 100);
        p.quadTo(55, 90, 54, 62);
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

namespace {

QPainterPath RoundedCard(QSize size, double radius, int scale, double inset) {
    QPainterPath path;
    path.addRoundedRect(
        QRectF(inset, inset, size.width() * scale - 2 * inset, size.height() * scale - 2 * inset),
        radius * scale - inset, radius * scale - inset);
    return path;
}

// Scale 1: a hard mask, a pixel belongs to the card when at least half of it
// is covered, so that no pixel is ever a blend with the key.
QImage KeyedOutline(QImage image, QSize size, double radius, int scale, QColor outline) {
    const int w = size.width() * scale;
    const int h = size.height() * scale;
    QImage mask(w, h, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(RoundedCard(size, radius, scale, 0), Qt::black);
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

// Higher scales: the outline is stroked smoothly and the rounded corners get
// real coverage in the alpha channel; outside pixels keep the key colour's
// RGB at alpha 0.
QImage SmoothOutline(QImage image, QSize size, double radius, int scale, QColor outline) {
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(outline, scale));
        p.setBrush(Qt::NoBrush);
        p.drawPath(RoundedCard(size, radius, scale, scale / 2.0));
    }
    QImage mask(image.size(), QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(RoundedCard(size, radius, scale, 0), Qt::black);
    }
    QImage out(image.size(), QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const uchar* alpha = mask.constScanLine(y);
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = alpha[x] == 0 ? (Key & 0x00FFFFFFu) : ((in[x] & 0x00FFFFFFu) | (uint(alpha[x]) << 24));
    }
    return out;
}

} // namespace

QImage ApplyCardOutline(QImage image, QSize size, double radius, int scale, QColor outline) {
    return scale == 1 ? KeyedOutline(std::move(image), size, radius, scale, outline)
                      : SmoothOutline(std::move(image), size, radius, scale, outline);
}

} // namespace Art
