#include "Art.h"

#include <QPainter>
#include <QtMath>

namespace Art {
namespace {

const QColor Outline(40, 40, 40);
// The default table colour; pile marks are blended against it at their edges.
const QColor Table(0, 64, 0);

double CornerRadius(QSize size) {
    return size.width() >= LargeCard.width() ? 5.0 : 4.0;
}
int Margin(QSize size) {
    return size.width() >= LargeCard.width() ? 4 : 3;
}

QRectF Panel(QSize size) {
    const int m = Margin(size);
    return QRectF(m, m, size.width() - 2 * m, size.height() - 2 * m);
}

// Blue lattice of alternating diamonds with a star medallion.
void PaintLattice(QPainter& p, const QRectF& panel) {
    const QColor deep(26, 46, 140), light(52, 84, 186), gold(236, 196, 72);
    p.fillRect(panel, deep);
    const double step = 8.0;
    const QPointF c = panel.center();
    for (int i = -12; i <= 12; ++i)
        for (int j = -12; j <= 12; ++j) {
            if ((i + j) % 2 == 0)
                continue;
            const QPointF m(c.x() + (i - j) * step / 2, c.y() + (i + j) * step / 2);
            QPolygonF diamond;
            diamond << QPointF(m.x(), m.y() - step / 2) << QPointF(m.x() + step / 2, m.y())
                    << QPointF(m.x(), m.y() + step / 2) << QPointF(m.x() - step / 2, m.y());
            QPainterPath path;
            path.addPolygon(diamond);
            p.fillPath(path, light);
        }
    p.setPen(QPen(gold, 0.7));
    for (int i = -30; i <= 30; ++i) {
        const double o = i * step;
        p.drawLine(QPointF(c.x() + o - 200, c.y() - 200), QPointF(c.x() + o + 200, c.y() + 200));
        p.drawLine(QPointF(c.x() + o + 200, c.y() - 200), QPointF(c.x() + o - 200, c.y() + 200));
    }
    // Medallion: an oval with an eight-pointed star.
    const double rx = panel.width() * 0.26, ry = panel.height() * 0.2;
    p.setPen(QPen(gold, 1.4));
    p.setBrush(deep);
    p.drawEllipse(c, rx, ry);
    QPainterPath star;
    for (int k = 0; k < 16; ++k) {
        const double a = k * M_PI / 8 - M_PI / 2;
        const double r = (k % 2 == 0) ? 1.0 : 0.42;
        const QPointF pt(c.x() + r * rx * 0.8 * qCos(a), c.y() + r * ry * 0.8 * qSin(a));
        k == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(120, 80, 10), 0.6));
    p.setBrush(gold);
    p.drawPath(star);
    p.setBrush(Qt::NoBrush);
}

// Red ground with interlaced gold rings.
void PaintRings(QPainter& p, const QRectF& panel) {
    const QColor ground(168, 18, 32), ring(244, 206, 120), dark(110, 8, 20);
    p.fillRect(panel, ground);
    const double r = panel.width() / 9.0;
    const QPointF c = panel.center();
    p.setBrush(Qt::NoBrush);
    for (int row = -12; row <= 12; ++row)
        for (int col = -8; col <= 8; ++col) {
            const QPointF m(c.x() + col * r, c.y() + row * r);
            p.setPen(QPen(dark, 1.6));
            p.drawEllipse(m, r, r);
        }
    for (int row = -12; row <= 12; ++row)
        for (int col = -8; col <= 8; ++col) {
            const QPointF m(c.x() + col * r, c.y() + row * r);
            p.setPen(QPen(ring, 0.7));
            p.drawEllipse(m, r, r);
        }
    // A plain band across the middle carries a gold lozenge.
    const double band = panel.height() * 0.16;
    const QRectF mid(panel.left(), c.y() - band / 2, panel.width(), band);
    p.fillRect(mid, ground);
    p.setPen(QPen(ring, 1.0));
    p.drawLine(mid.topLeft(), mid.topRight());
    p.drawLine(mid.bottomLeft(), mid.bottomRight());
    QPolygonF lozenge;
    lozenge << QPointF(c.x(), mid.top() + 2) << QPointF(c.x() + band, c.y())
            << QPointF(c.x(), mid.bottom() - 2) << QPointF(c.x() - band, c.y());
    p.setBrush(ring);
    p.setPen(QPen(dark, 0.6));
    p.drawPolygon(lozenge);
    p.setBrush(ground);
    p.drawEllipse(c, band * 0.22, band * 0.22);
    p.setBrush(Qt::NoBrush);
}

// Teal fish scales, row over row, with a pale rim on each.
void PaintScales(QPainter& p, const QRectF& panel) {
    const QColor ground(0, 92, 86), scale(0, 128, 120), rim(176, 236, 220);
    p.fillRect(panel, ground);
    const double r = panel.width() / 10.0;
    const double rowStep = r * 0.9;
    const int rows = int(panel.height() / rowStep) + 3;
    for (int row = rows; row >= -1; --row) {
        const double y = panel.top() + row * rowStep;
        const double shift = (row % 2) ? r : 0.0;
        for (double x = panel.left() - 2 * r + shift; x < panel.right() + 2 * r; x += 2 * r) {
            QPainterPath cup;
            cup.moveTo(x - r, y);
            cup.arcTo(QRectF(x - r, y - r, 2 * r, 2 * r), 180, 180);
            cup.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(scale);
            p.drawPath(cup);
            p.setPen(QPen(rim, 0.8));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(x - r, y - r, 2 * r, 2 * r), 180 * 16, 180 * 16);
            p.setPen(QPen(ground, 0.6));
            p.drawArc(QRectF(x - r * 0.55, y - r * 0.55, 1.1 * r, 1.1 * r), 200 * 16, 140 * 16);
        }
    }
}

// A pile mark: the shapes painted by paint keep their colour, everything
// else is transparent. At scale 1 that is the key, and edge pixels are
// blended with the table, never with the key; above it the edges keep their
// coverage in the alpha channel.
template <typename Paint> QImage Mark(QSize size, int scale, Paint paint) {
    QImage layer(size * scale, QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        paint(p);
    }
    if (scale > 1)
        return layer;
    QImage out(layer.size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a < 128) {
                line[x] = Key;
                continue;
            }
            auto mix = [a](int c, int t) { return (c * a + t * (255 - a)) / 255; };
            const QRgb colour = qRgb(mix(qRed(in[x]), Table.red()), mix(qGreen(in[x]), Table.green()),
                                     mix(qBlue(in[x]), Table.blue()));
            line[x] = colour == Key ? qRgb(250, 0, 250) : colour;
        }
    }
    // The bottom-left corner stays outside every mark: it is the key.
    out.setPixel(0, out.height() - 1, Key);
    return out;
}

void PaintMarkOutline(QPainter& p, QSize size, QColor colour, double width) {
    const double inset = width / 2 + 1;
    p.setPen(QPen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(inset, inset, size.width() - 2 * inset, size.height() - 2 * inset),
                      CornerRadius(size), CornerRadius(size));
}

} // namespace

QImage BlankCard(QSize size, int scale) {
    return CardShape(size, CornerRadius(size), scale, Outline, [](QImage&) {});
}

QImage CustomBackBlank(QSize size, int scale) {
    // A hairline frames the rectangle that the player's picture is stretched into.
    const bool large = size.width() >= LargeCard.width();
    const QRect picture = large ? QRect(QPoint(5, 5), QPoint(74, 119)) : QRect(QPoint(4, 4), QPoint(56, 90));
    return CardShape(size, CornerRadius(size), scale, Outline, [&](QImage& image) {
        QPainter p(&image);
        p.scale(scale, scale);
        p.setPen(QPen(QColor(150, 150, 150), 0));
        p.drawRect(picture.adjusted(-1, -1, 0, 0));
    });
}

QImage Back(int design, QSize size, int scale) {
    return CardShape(size, CornerRadius(size), scale, Outline, [&](QImage& image) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        const QRectF panel = Panel(size);
        QPainterPath clip;
        clip.addRoundedRect(panel, 3, 3);
        p.setClipPath(clip);
        switch (design) {
        case 0:
            PaintLattice(p, panel);
            break;
        case 1:
            PaintRings(p, panel);
            break;
        default:
            PaintScales(p, panel);
            break;
        }
        p.setClipping(false);
        const QColor frame = design == 2 ? QColor(236, 196, 72) : QColor(255, 255, 255);
        p.setPen(QPen(frame, 1.0));
        p.drawRoundedRect(panel.adjusted(2, 2, -2, -2), 2, 2);
        p.setPen(QPen(QColor(60, 60, 60), 0.8));
        p.drawRoundedRect(panel, 3, 3);
    });
}

QImage RecycleMark(QSize size, int scale) {
    return Mark(size, scale, [&](QPainter& p) {
        const QColor bright(60, 210, 60);
        PaintMarkOutline(p, size, QColor(40, 140, 40), 1.5);
        const QPointF c(size.width() / 2.0, size.height() / 2.0);
        const double r = size.width() * 0.28;
        const double w = size.width() >= LargeCard.width() ? 5.0 : 4.0;
        // Two arcs chasing each other, each ending in an arrowhead.
        for (int k = 0; k < 2; ++k) {
            const double start = 110 + 180 * k; // degrees, counter-clockwise from three o'clock
            const double span = 140;
            p.setPen(QPen(bright, w, Qt::SolidLine, Qt::FlatCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), int(start * 16), int(span * 16));
            const double a = qDegreesToRadians(start);
            const QPointF tip(c.x() + r * qCos(a), c.y() - r * qSin(a));
            // The arrow points clockwise, along the tangent at the arc's start.
            const QPointF along(qSin(a), qCos(a));
            const QPointF across(qCos(a), -qSin(a));
            const double h = w * 1.5;
            QPolygonF head;
            head << tip + along * h * 1.1 << tip + across * h << tip - across * h;
            p.setPen(Qt::NoPen);
            p.setBrush(bright);
            p.drawPolygon(head);
        }
    });
}

QImage EmptyMark(QSize size, int scale) {
    return Mark(size, scale, [&](QPainter& p) {
        PaintMarkOutline(p, size, QColor(40, 140, 40), 1.5);
        const double inset = size.width() * 0.3;
        const QPointF c(size.width() / 2.0, size.height() / 2.0);
        p.setPen(QPen(QColor(40, 140, 40), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + QPointF(-inset / 2, -inset / 2), c + QPointF(inset / 2, inset / 2));
        p.drawLine(c + QPointF(inset / 2, -inset / 2), c + QPointF(-inset / 2, inset / 2));
    });
}

} // namespace Art
