#include "Art.h"

#include <QTransform>
#include <cmath>

namespace shellart {

namespace {

const QColor Skin(0xF6, 0xD2, 0xAE);
const QColor Outline(0x3A, 0x2A, 0x20);

QPen OutlinePen(qreal width = 0.8) {
    return QPen(Outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A bell hanging straight down from the point it is tied to.
void DrawBell(QPainter& p, const QPointF& tie, qreal radius) {
    p.save();
    p.setPen(OutlinePen(radius * 0.28));
    p.setBrush(colour::Gold);
    const QPointF c(tie.x(), tie.y() + radius * 0.9);
    p.drawEllipse(c, radius, radius);
    p.setPen(QPen(Outline, radius * 0.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x(), c.y() + radius * 0.15), QPointF(c.x(), c.y() + radius * 0.8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 220, 200));
    p.drawEllipse(QPointF(c.x() - radius * 0.35, c.y() - radius * 0.35), radius * 0.3, radius * 0.3);
    p.restore();
}

// One point of the cap: from the band's left end a curve out to the tip and back.
QPainterPath Prong(const QPointF& from, const QPointF& tip, const QPointF& to, const QPointF& bend) {
    QPainterPath path(from);
    path.quadTo(bend, tip);
    path.quadTo(QPointF((bend.x() + to.x()) / 2 + (tip.x() - to.x()) * 0.15, (bend.y() + to.y()) / 2 + 2),
                to);
    path.closeSubpath();
    return path;
}

struct CapTips {
    QPointF left, middle, right;
};

// The cap in a 66 x 90 frame (band across the forehead at y 23), returning the
// three tips so the bells can be hung after the frame is left.
CapTips DrawCapShape(QPainter& p) {
    p.save();
    p.setPen(OutlinePen());
    const QPointF leftTip(13.5, 13.0), middleTip(34.0, 3.5), rightTip(52.5, 13.0);
    p.setBrush(colour::MotleyGreen);
    p.drawPath(Prong(QPointF(28, 20.5), middleTip, QPointF(38.5, 20.5), QPointF(27.5, 10)));
    p.setBrush(colour::MotleyRed);
    p.drawPath(Prong(QPointF(24.2, 23.5), leftTip, QPointF(32, 19.5), QPointF(18, 21)));
    p.setBrush(colour::MotleyBlue);
    p.drawPath(Prong(QPointF(41.8, 23.5), rightTip, QPointF(34, 19.5), QPointF(48, 21)));
    // The band, with a row of studs.
    QPainterPath band;
    band.moveTo(23.5, 25.5);
    band.quadTo(33, 19.0, 42.5, 25.5);
    band.lineTo(42.2, 22.5);
    band.quadTo(33, 16.5, 23.8, 22.5);
    band.closeSubpath();
    p.setBrush(colour::Gold);
    p.drawPath(band);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::MotleyRed);
    for (qreal x : {27.5, 33.0, 38.5})
        p.drawEllipse(QPointF(x, x == 33.0 ? 20.6 : 21.6), 0.9, 0.9);
    p.restore();
    return {leftTip, middleTip, rightTip};
}

void DrawHead(QPainter& p) {
    p.save();
    p.setPen(OutlinePen());
    p.setBrush(Skin);
    p.drawEllipse(QPointF(33, 29), 8.2, 8.6);
    // Friendly face: eyes with a highlight, rosy cheeks and nose, a wide smile.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF2, 0x8C, 0x8C, 150));
    p.drawEllipse(QPointF(27.8, 31.6), 1.9, 1.4);
    p.drawEllipse(QPointF(38.2, 31.6), 1.9, 1.4);
    p.setBrush(Outline);
    p.drawEllipse(QPointF(30.2, 28.2), 1.05, 1.3);
    p.drawEllipse(QPointF(35.8, 28.2), 1.05, 1.3);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(30.5, 27.8), 0.35, 0.35);
    p.drawEllipse(QPointF(36.1, 27.8), 0.35, 0.35);
    p.setBrush(QColor(0xE5, 0x6B, 0x5E));
    p.drawEllipse(QPointF(33, 30.8), 1.3, 1.1);
    QPainterPath smile(QPointF(29.6, 32.8));
    smile.quadTo(33, 36.8, 36.4, 32.8);
    smile.quadTo(33, 34.6, 29.6, 32.8);
    p.setBrush(QColor(0x9C, 0x2A, 0x2A));
    p.setPen(QPen(Outline, 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(smile);
    p.restore();
}

void DrawRuff(QPainter& p) {
    // A collar of points round the neck, gold and white in turn.
    p.save();
    p.setPen(OutlinePen(0.6));
    const int points = 8;
    for (int i = points - 1; i >= 0; --i) {
        const qreal a = (i + 0.5) / points * M_PI;
        const QPointF base(33, 38.5);
        const QPointF tip(base.x() - std::cos(a) * 14.0, base.y() + std::sin(a) * 7.5);
        const qreal a0 = qreal(i) / points * M_PI, a1 = qreal(i + 1) / points * M_PI;
        QPolygonF tri;
        tri << QPointF(base.x() - std::cos(a0) * 6.5, base.y() + std::sin(a0) * 2.2) << tip
            << QPointF(base.x() - std::cos(a1) * 6.5, base.y() + std::sin(a1) * 2.2) << base;
        p.setBrush(i % 2 ? colour::Gold : QColor(0xFA, 0xF6, 0xEA));
        p.drawPolygon(tri);
    }
    p.restore();
}

void DrawBody(QPainter& p, qreal armSwing) {
    p.save();
    // Arms first, so the tunic covers the shoulders: sleeves in the opposite
    // colour of their half, hands raised in a cheerful wave.
    auto arm = [&p](const QPointF& shoulder, const QPointF& hand, const QColor& sleeve) {
        p.setPen(QPen(Outline, 6.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(shoulder, hand);
        p.setPen(QPen(sleeve, 4.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(shoulder, hand);
        p.setPen(OutlinePen(0.7));
        p.setBrush(Skin);
        p.drawEllipse(hand, 2.4, 2.4);
    };
    arm(QPointF(26, 42), QPointF(14.5, 36 + armSwing), colour::MotleyBlue);
    arm(QPointF(40, 42), QPointF(51.5, 36 - armSwing), colour::MotleyRed);

    // Tunic: halves of red and blue, a zigzag hem with bells' colours.
    QPainterPath tunic;
    tunic.moveTo(26, 39);
    tunic.lineTo(40, 39);
    tunic.quadTo(44, 50, 46.5, 60);
    const qreal hem[] = {46.5, 43.5, 40, 36.5, 33, 29.5, 26, 22.5, 19.5};
    for (int i = 1; i < 9; ++i)
        tunic.lineTo(hem[i], i % 2 ? 64.5 : 60);
    tunic.quadTo(22, 50, 26, 39);
    tunic.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour::MotleyRed);
    p.drawPath(tunic);
    p.save();
    p.setClipPath(tunic);
    p.fillRect(QRectF(33, 30, 20, 40), colour::MotleyBlue);
    // Small gold diamonds on the seam: the motley.
    p.setBrush(colour::Gold);
    for (qreal y : {44.0, 50.0, 56.0}) {
        QPolygonF d;
        d << QPointF(33, y - 2.2) << QPointF(35, y) << QPointF(33, y + 2.2) << QPointF(31, y);
        p.drawPolygon(d);
    }
    p.restore();
    p.setPen(OutlinePen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(tunic);
    // Belt.
    p.setPen(OutlinePen(0.6));
    p.setBrush(colour::Gold);
    p.drawRoundedRect(QRectF(24.8, 51.2, 16.4, 2.6), 1, 1);
    p.restore();
}

void DrawLegs(QPainter& p) {
    p.save();
    auto leg = [&p](const QPointF& hip, const QPointF& ankle, const QColor& c) {
        p.setPen(QPen(Outline, 6.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(hip, ankle);
        p.setPen(QPen(c, 4.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(hip, ankle);
    };
    leg(QPointF(29.5, 60), QPointF(27.5, 80.5), colour::MotleyBlue);
    leg(QPointF(36.5, 60), QPointF(38.5, 80.5), colour::MotleyRed);
    // Pointed shoes with curled toes.
    auto shoe = [&p](qreal heel, qreal dir, const QColor& c) {
        QPainterPath s;
        s.moveTo(heel - dir * 2.5, 84.5);
        s.quadTo(heel - dir * 2.5, 79.5, heel + dir * 2, 80);
        s.quadTo(heel + dir * 7, 81.5, heel + dir * 10, 78.2);
        s.quadTo(heel + dir * 10.5, 84.5, heel + dir * 3, 84.5);
        s.closeSubpath();
        p.setPen(OutlinePen(0.7));
        p.setBrush(c);
        p.drawPath(s);
    };
    shoe(27.5, -1, colour::MotleyGreen);
    shoe(38.5, 1, colour::MotleyGreen);
    p.restore();
    DrawBell(p, QPointF(17.5, 78.0), 1.4);
    DrawBell(p, QPointF(48.5, 78.0), 1.4);
}

} // namespace

void DrawJester(QPainter& p, qreal lean) {
    p.save();
    // Shadow on the floor, shifted a little with the lean.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 28));
    p.drawEllipse(QPointF(33 + lean * 0.25, 85.3), 17, 2.6);
    DrawLegs(p);
    // The upper body swings about the waist; the bells then hang straight down.
    QTransform sway;
    sway.translate(33, 61);
    sway.rotate(lean);
    sway.translate(-33, -61);
    p.setTransform(sway, true);
    DrawBody(p, lean * 0.35);
    DrawRuff(p);
    DrawHead(p);
    const CapTips tips = DrawCapShape(p);
    p.setTransform(sway.inverted(), true);
    for (const QPointF& tip : {tips.left, tips.middle, tips.right})
        DrawBell(p, sway.map(tip), 2.3);
    p.restore();
}

void DrawCap(QPainter& p, const QPointF& centre, qreal width, qreal tilt) {
    // The jester's cap spans about 40 units of its 66-unit frame, band centred at (33, 22).
    p.save();
    const qreal scale = width / 40.0;
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(tilt);
    t.scale(scale, scale);
    t.translate(-33, -22);
    p.setTransform(t, true);
    const CapTips tips = DrawCapShape(p);
    p.setTransform(t.inverted(), true);
    for (const QPointF& tip : {tips.left, tips.middle, tips.right}) {
        const QPointF at = t.map(tip);
        p.save();
        p.translate(at);
        p.scale(scale, scale);
        DrawBell(p, QPointF(0, 0), 2.3);
        p.restore();
    }
    p.restore();
}

} // namespace shellart
