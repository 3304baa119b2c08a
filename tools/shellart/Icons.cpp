// The jester frames, the program icon and the help glyph.
#include "Art.h"
#include "Pictures.h"

#include <QRadialGradient>
#include <QSvgGenerator>

namespace shellart {

namespace {

// The icon in 64-unit coordinates: a fan of three cards under the jester's cap.
void DrawAppIcon(QPainter& p) {
    const QPointF pivot(32, 74);
    const Suit suits[] = {Suit::Spades, Suit::Hearts, Suit::Clubs};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(pivot);
        p.rotate(-22 + 22 * i);
        const QRectF card(-14, -60, 28, 43);
        DrawFace(p, card, suits[i], -1);
        p.restore();
    }
    DrawCap(p, QPointF(32, 16), 40, -4);
}

} // namespace

QImage JesterPicture(int pose, int scale) {
    const qreal lean = pose == 1 ? -10.0 : pose == 3 ? 10.0 : 0.0;
    return Render(66, 90, scale, [lean](QPainter& p) {
        p.fillRect(QRectF(0, 0, 66, 90), colour::Cream);
        DrawJester(p, lean);
    });
}

QImage AppIcon(int size, int scale) {
    return Render(
        size, size, scale,
        [size](QPainter& p) {
            p.scale(size / 64.0, size / 64.0);
            DrawAppIcon(p);
        },
        true);
}

bool WriteScalableIcon(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(64, 64));
    svg.setViewBox(QRect(0, 0, 64, 64));
    svg.setTitle(QStringLiteral("Quintaro"));
    QPainter p;
    if (!p.begin(&svg))
        return false;
    p.setRenderHint(QPainter::Antialiasing);
    DrawAppIcon(p);
    return p.end();
}

QImage HelpGlyph(int scale) {
    return Render(
        20, 20, scale,
        [](QPainter& p) {
            QRadialGradient g(QPointF(8, 7), 11);
            g.setColorAt(0, QColor(0x6F, 0x9C, 0xF0));
            g.setColorAt(1, QColor(0x1F, 0x4A, 0xA8));
            p.setPen(QPen(QColor(0x14, 0x30, 0x70), 0.8));
            p.setBrush(g);
            p.drawEllipse(QPointF(10, 10), 9, 9);
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setBold(true);
            font.setPixelSize(14);
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(QRectF(0, 0, 20, 20.5), Qt::AlignCenter, QStringLiteral("?"));
        },
        true);
}

} // namespace shellart
