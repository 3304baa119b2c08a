#include "Art.h"

#include <QPainter>
#include <QtMath>

namespace Art {
namespace {

// The court art is designed in a 56 x 103 frame; the upper half figure is
// drawn, then drawn again turned by 180 degrees for the lower half.
constexpr double FrameW = 56.0;
constexpr double FrameH = 103.0;
constexpr double HalfH = FrameH / 2;

const QColor Ink(34, 26, 26);
const QColor Flesh(252, 232, 208);
const QColor Gold(238, 190, 40);
const QColor DarkGold(150, 100, 10);
const QColor Red(200, 28, 40);
const QColor Blue(36, 56, 176);
const QColor Green(28, 128, 60);
const QColor Steel(214, 218, 228);
const QColor Wood(128, 76, 30);
const QColor Brown(112, 60, 26);
const QColor Blond(228, 176, 48);

enum Rank { Jack = 10, Queen = 11, King = 12 };

struct Scheme {
    QColor left, right, hair;
    bool mirrored;
};

Scheme SchemeFor(int rank, int suit) {
    const bool fair = (rank + suit) % 2 == 0;
    const QColor hair = fair ? Blond : Brown;
    switch (suit) {
    case Clubs:
        return {Blue, Red, hair, false};
    case Spades:
        return {Red, Blue, hair, true};
    case Diamonds:
        return {Red, Green, hair, false};
    default:
        return {Green, Red, hair, true};
    }
}

struct Pen {
    double width;
    QPen operator()(QColor c = Ink) const {
        return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }
};

void Fill(QPainter& p, const QPainterPath& path, QColor colour, const Pen& pen) {
    p.setPen(pen());
    p.setBrush(colour);
    p.drawPath(path);
}

QPainterPath Ellipse(QPointF c, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(c, rx, ry);
    return path;
}

void PaintBody(QPainter& p, int rank, const Scheme& s, const Pen& pen) {
    QPainterPath body;
    body.moveTo(5, HalfH + 1);
    body.lineTo(6, 38);
    body.cubicTo(7, 31, 13, 28, 20, 27);
    body.lineTo(36, 27);
    body.cubicTo(43, 28, 49, 31, 50, 38);
    body.lineTo(51, HalfH + 1);
    body.closeSubpath();

    p.save();
    p.setClipRect(QRectF(0, 0, 28, HalfH), Qt::IntersectClip);
    Fill(p, body, s.left, pen);
    p.restore();
    p.save();
    p.setClipRect(QRectF(28, 0, 28, HalfH), Qt::IntersectClip);
    Fill(p, body, s.right, pen);
    p.restore();

    // Embroidery: gold studs on one side, darker pleats on the other.
    p.save();
    p.setClipPath(body, Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    p.setBrush(Gold);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QPointF(10.5 + 5.5 * col + (row % 2) * 2.5, 34 + 5 * row), 0.9, 0.9);
    p.setPen(QPen(s.right.darker(150), pen.width));
    for (double x = 33; x < 50; x += 3.5)
        p.drawLine(QPointF(x, 30), QPointF(x + 1.5, HalfH));
    // The gold placket down the middle.
    p.setPen(pen());
    p.setBrush(Gold);
    p.drawRect(QRectF(25, 27, 6, HalfH - 26));
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    for (double y = 31; y < HalfH; y += 4)
        p.drawEllipse(QPointF(28, y), 0.8, 0.8);
    p.restore();

    // The collar tells the rank: ermine for a King, a necklace for a Queen, a ruff for a Jack.
    if (rank == King) {
        QPainterPath collar;
        collar.moveTo(15, 29);
        collar.cubicTo(20, 26, 36, 26, 41, 29);
        collar.cubicTo(38, 34, 18, 34, 15, 29);
        Fill(p, collar, Qt::white, pen);
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        for (double x = 18; x <= 38; x += 4)
            p.drawRect(QRectF(x - 0.5, 29.3, 1.0, 1.8));
    } else if (rank == Queen) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Gold, pen.width * 1.6));
        QPainterPath chain;
        chain.moveTo(21, 27.5);
        chain.quadTo(28, 36, 35, 27.5);
        p.drawPath(chain);
        Fill(p, Ellipse(QPointF(28, 32.6), 1.4, 1.7), Red, pen);
    } else {
        for (double x = 19.5; x <= 36.5; x += 3.4)
            Fill(p, Ellipse(QPointF(x, 27.5), 2.0, 1.6), Qt::white, pen);
    }
}

void PaintHead(QPainter& p, int rank, const Scheme& s, const Pen& pen) {
    const QPointF centre(28, 16.5);
    // Hair that falls behind the head.
    if (rank == Queen) {
        QPainterPath hair;
        hair.moveTo(21, 13);
        hair.cubicTo(19, 20, 17, 26, 16, 31);
        hair.lineTo(22, 29);
        hair.lineTo(34, 29);
        hair.lineTo(40, 31);
        hair.cubicTo(39, 26, 37, 20, 35, 13);
        hair.closeSubpath();
        Fill(p, hair, s.hair, pen);
    } else if (rank == Jack) {
        Fill(p, Ellipse(QPointF(28, 17.5), 7.8, 7.4), s.hair, pen);
    } else {
        Fill(p, Ellipse(QPointF(28, 16), 7.4, 6.4), s.hair, pen);
    }
    Fill(p, QPainterPath([] {
             QPainterPath neck;
             neck.addRect(QRectF(25.2, 21, 5.6, 6.5));
             return neck;
         }()),
         Flesh, pen);
    Fill(p, Ellipse(centre, 6.1, 7.1), Flesh, pen);

    // Face.
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(25.6, 16.2), 0.75, 0.7);
    p.drawEllipse(QPointF(30.4, 16.2), 0.75, 0.7);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, pen.width * 0.8));
    p.drawLine(QPointF(24.4, 14.4), QPointF(26.8, 14.1));
    p.drawLine(QPointF(29.2, 14.1), QPointF(31.6, 14.4));
    QPainterPath nose;
    nose.moveTo(28.2, 16.8);
    nose.lineTo(27.4, 19.4);
    nose.lineTo(28.6, 19.6);
    p.drawPath(nose);
    p.setPen(QPen(Red, pen.width * 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(26.8, 21.4), QPointF(29.2, 21.4));

    if (rank == King) {
        QPainterPath beard;
        beard.moveTo(21.9, 17);
        beard.cubicTo(22, 24, 24, 28.5, 28, 29.5);
        beard.cubicTo(32, 28.5, 34, 24, 34.1, 17);
        beard.lineTo(33.2, 17.5);
        beard.cubicTo(32.6, 21.5, 30.6, 22.8, 28, 22.8);
        beard.cubicTo(25.4, 22.8, 23.4, 21.5, 22.8, 17.5);
        beard.closeSubpath();
        Fill(p, beard, s.hair, pen);
        QPainterPath moustache;
        moustache.moveTo(25, 21.2);
        moustache.quadTo(28, 18.8, 31, 21.2);
        moustache.quadTo(28, 20.2, 25, 21.2);
        Fill(p, moustache, s.hair, pen);
    } else {
        // A fringe across the forehead.
        QPainterPath fringe;
        fringe.moveTo(21.8, 16);
        fringe.cubicTo(21.8, 9, 34.2, 9, 34.2, 16);
        fringe.cubicTo(32, 12.2, 24, 12.2, 21.8, 16);
        Fill(p, fringe, s.hair, pen);
    }
}

void PaintHeadwear(QPainter& p, int rank, const Scheme& s, const Pen& pen) {
    if (rank == King) {
        Fill(p, Ellipse(QPointF(28, 7), 7, 4.6), Red, pen);
        QPainterPath crown;
        crown.moveTo(20.5, 11);
        crown.lineTo(20.5, 2);
        crown.lineTo(24.2, 6);
        crown.lineTo(28, 0.8);
        crown.lineTo(31.8, 6);
        crown.lineTo(35.5, 2);
        crown.lineTo(35.5, 11);
        crown.closeSubpath();
        Fill(p, crown, Gold, pen);
        p.setPen(QPen(DarkGold, pen.width));
        p.drawLine(QPointF(20.8, 8), QPointF(35.2, 8));
        Fill(p, Ellipse(QPointF(28, 9.6), 1.2, 1.1), Red, pen);
        Fill(p, Ellipse(QPointF(23.6, 9.6), 0.8, 0.8), Blue, pen);
        Fill(p, Ellipse(QPointF(32.4, 9.6), 0.8, 0.8), Blue, pen);
    } else if (rank == Queen) {
        QPainterPath tiara;
        tiara.moveTo(22, 11);
        tiara.lineTo(22.5, 5);
        tiara.lineTo(25.4, 8);
        tiara.lineTo(28, 3);
        tiara.lineTo(30.6, 8);
        tiara.lineTo(33.5, 5);
        tiara.lineTo(34, 11);
        tiara.closeSubpath();
        Fill(p, tiara, Gold, pen);
        for (const QPointF& tip : {QPointF(22.5, 4.6), QPointF(28, 2.4), QPointF(33.5, 4.6)})
            Fill(p, Ellipse(tip, 0.9, 0.9), Gold, pen);
        Fill(p, Ellipse(QPointF(28, 9), 1.0, 1.1), Blue, pen);
    } else {
        // A beret with a feather.
        QPainterPath feather;
        feather.moveTo(33, 8);
        feather.cubicTo(37, 2, 41, 1.5, 43, 3);
        feather.cubicTo(41, 5, 38, 7.5, 34, 9.5);
        feather.closeSubpath();
        Fill(p, feather, Qt::white, pen);
        QPainterPath cap;
        cap.moveTo(19.5, 10);
        cap.cubicTo(19.5, 3.5, 36, 2.5, 37, 9);
        cap.closeSubpath();
        Fill(p, cap, s.right, pen);
        Fill(p, Ellipse(QPointF(28, 10), 9.6, 2.3), s.right.darker(130), pen);
        p.setPen(QPen(Gold, pen.width * 1.4));
        p.drawLine(QPointF(21, 7.6), QPointF(35.6, 7.2));
    }
}

void PaintEmblem(QPainter& p, int rank, const Pen& pen) {
    if (rank == King) {
        // A raised sword.
        QPainterPath blade;
        blade.moveTo(39.8, 33);
        blade.lineTo(39.8, 4);
        blade.lineTo(41.0, 1.5);
        blade.lineTo(42.2, 4);
        blade.lineTo(42.2, 33);
        blade.closeSubpath();
        Fill(p, blade, Steel, pen);
        QPainterPath guard;
        guard.addRect(QRectF(37.4, 32.6, 7.2, 1.9));
        Fill(p, guard, Gold, pen);
        Fill(p, Ellipse(QPointF(41.0, 36.8), 2.3, 2.1), Flesh, pen);
        Fill(p, Ellipse(QPointF(41.0, 40.2), 1.1, 1.1), Gold, pen);
    } else if (rank == Queen) {
        // A rose on a stem.
        p.setPen(QPen(Green, pen.width * 1.3));
        p.drawLine(QPointF(15.2, 41), QPointF(13.5, 26));
        QPainterPath leaf;
        leaf.moveTo(14.3, 33);
        leaf.quadTo(10, 31, 9.5, 33.5);
        leaf.quadTo(12, 35, 14.3, 33);
        Fill(p, leaf, Green, pen);
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * M_PI / 5 - M_PI / 2;
            Fill(p, Ellipse(QPointF(13.5 + 1.9 * qCos(a), 23.8 + 1.9 * qSin(a)), 1.6, 1.6), Red, pen);
        }
        Fill(p, Ellipse(QPointF(13.5, 23.8), 1.0, 1.0), Gold, pen);
        Fill(p, Ellipse(QPointF(15.4, 40), 2.3, 2.1), Flesh, pen);
    } else {
        // A spear.
        QPainterPath shaft;
        shaft.addRect(QRectF(14.4, 7, 1.3, 45));
        Fill(p, shaft, Wood, pen);
        QPainterPath head;
        head.moveTo(15.05, 1.2);
        head.lineTo(17.0, 6);
        head.lineTo(15.05, 8);
        head.lineTo(13.1, 6);
        head.closeSubpath();
        Fill(p, head, Steel, pen);
        Fill(p, Ellipse(QPointF(15.05, 38), 2.3, 2.1), Flesh, pen);
    }
}

void PaintHalf(QPainter& p, int rank, int suit, const Pen& pen) {
    const Scheme s = SchemeFor(rank, suit);
    p.save();
    p.setClipRect(QRectF(0, 0, FrameW, HalfH), Qt::IntersectClip);
    p.save();
    if (s.mirrored) {
        p.translate(FrameW, 0);
        p.scale(-1, 1);
    }
    PaintBody(p, rank, s, pen);
    PaintHead(p, rank, s, pen);
    PaintHeadwear(p, rank, s, pen);
    PaintEmblem(p, rank, pen);
    p.restore();
    p.restore();
}

// Copies only the ink of a symbol image (everything but its white ground).
void PastePattern(QImage& image, const QImage& symbol, QPoint at, int scale) {
    for (int y = 0; y < symbol.height(); ++y)
        for (int x = 0; x < symbol.width(); ++x) {
            const QRgb c = symbol.pixel(x, y);
            if (c != qRgb(255, 255, 255))
                image.setPixel(at.x() * scale + x, at.y() * scale + y, c);
        }
}

} // namespace

QImage CourtPicture(int rank, int suit, QSize size, QRect frame, int scale) {
    QImage image = NewImage(size, scale, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.save();
    p.translate(frame.topLeft());
    const double sx = frame.width() / FrameW;
    const double sy = frame.height() / FrameH;
    p.scale(sx, sy);
    // Outlines keep about two thirds of a pixel whatever the picture's size.
    const Pen pen{0.7 / std::min(sx, sy)};
    PaintHalf(p, rank, suit, pen);
    p.translate(FrameW, FrameH);
    p.rotate(180);
    PaintHalf(p, rank, suit, pen);
    p.restore();

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::NoBrush);
    const int midY = frame.top() + frame.height() / 2;
    p.drawLine(frame.left(), midY, frame.right(), midY);
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    p.end();
    // The suit in the upper left corner of each half, pixel-drawn so that it
    // stays crisp; the small picture takes a smaller symbol.
    const bool small = frame.width() < 50;
    const QImage symbol = small ? MiniSymbol(suit, scale) : SmallSymbol(suit, scale);
    const QPoint at = frame.topLeft() + QPoint(2, 2);
    const QPoint atTurned = frame.bottomRight() + QPoint(1, 1) - at + frame.topLeft() -
                            QPoint(symbol.width(), symbol.height()) / scale;
    PastePattern(image, symbol, at, scale);
    PastePattern(image, symbol.mirrored(true, true), atTurned, scale);
    ClearKeyColour(image);
    return image;
}

QImage AceOfSpadesPicture(QSize size, QRect area, int scale) {
    QImage image = NewImage(size, scale, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const QRectF a(area);
    const QPointF c = a.center();
    const double ring = a.width() * 0.46;
    // A gold ring with a fine black rim frames the spade.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Gold, a.width() / 28.0));
    p.drawEllipse(c, ring, ring);
    p.setPen(QPen(Ink, a.width() / 80.0));
    p.drawEllipse(c, ring + a.width() / 40.0, ring + a.width() / 40.0);
    p.drawEllipse(c, ring - a.width() / 40.0, ring - a.width() / 40.0);
    // Little leaves at the ring's four compass points.
    for (int k = 0; k < 4; ++k) {
        const double ang = k * M_PI / 2;
        const QPointF at(c.x() + ring * qCos(ang), c.y() + ring * qSin(ang));
        p.setPen(QPen(DarkGold, a.width() / 80.0));
        p.setBrush(Gold);
        p.drawEllipse(at, a.width() / 22.0, a.width() / 22.0);
    }
    const double w = a.width() * 0.62;
    const QRectF box(c.x() - w / 2, c.y() - w * 0.54, w, w * 1.08);
    p.setPen(Qt::NoPen);
    p.setBrush(InkBlack());
    p.drawPath(SuitPathIn(Spades, box));
    // An engraved line inside the spade, and a jewel at its heart.
    const QRectF inner = QRectF(box.center() - QPointF(w * 0.36, w * 0.4), QSizeF(w * 0.72, w * 0.72));
    p.setPen(QPen(Qt::white, a.width() / 60.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(SuitPathIn(Spades, inner));
    p.setPen(QPen(DarkGold, a.width() / 90.0));
    p.setBrush(Red);
    p.drawEllipse(QPointF(c.x(), c.y() + w * 0.02), w * 0.07, w * 0.07);
    p.end();
    ClearKeyColour(image);
    return image;
}

} // namespace Art
