// The twelve court figures and the Ace of spades. Each court card is its own
// design, picked from a table below: headwear, hair and beard, robe colours
// and pattern, and what the figure holds in its raised hand and before its
// chest. The upper half figure is drawn, then drawn again turned by 180
// degrees for the lower half.
#include "Art.h"

#include <QPainter>
#include <QtMath>

namespace Art {
namespace {

// The court art is designed in a 56 x 103 frame.
constexpr double FrameW = 56.0;
constexpr double FrameH = 103.0;
constexpr double HalfH = FrameH / 2;

const QColor Ink(34, 26, 26);
const QColor Flesh(252, 228, 204);
const QColor Blush(236, 150, 136);
const QColor Gold(238, 188, 40);
const QColor DarkGold(150, 100, 10);
const QColor Red(200, 28, 40);
const QColor DarkRed(128, 16, 28);
const QColor Blue(36, 60, 176);
const QColor Navy(24, 32, 96);
const QColor Green(28, 128, 60);
const QColor Purple(110, 46, 140);
const QColor Black(36, 34, 40);
const QColor White(255, 255, 255);
const QColor Steel(212, 218, 230);
const QColor Wood(132, 80, 32);
const QColor Brown(112, 60, 26);
const QColor Blond(230, 178, 52);
const QColor Auburn(170, 66, 22);
const QColor Grey(186, 186, 192);
const QColor Raven(44, 34, 32);

enum Rank { Jack = 10, Queen = 11, King = 12 };

enum class Headwear {
    ArchedCrown,
    SpikedCrown,
    CrownedCap,
    HeartCrown,
    VeiledCoronet,
    Tiara,
    HoodedCrown,
    RoseCrown,
    BrimmedHat,
    Chaperon,
    Morion,
    PlumedBeret
};
enum class Hair { Long, Curls, Bob, Braids, Veiled };
enum class Beard { None, Full, Forked, Short, Moustache };
enum class Held { Sceptre, Sword, Axe, RaisedSword, Flower, Fan, Lance, Halberd, Torch, Staff };
enum class AtChest { Orb, Shield, Mirror, Dagger, Scroll, Rose, Leaf, Horn, Book, Nothing };
enum class Pattern { Fleurs, Lozenges, Stripes, Studs, Chevrons, Checks, Scales };

struct Design {
    Headwear headwear;
    Hair hair;
    QColor hairColour;
    Beard beard;
    QColor mantle;  // the cloak over the shoulders
    QColor robe;    // the garment in the middle
    QColor pattern; // the pattern's colour on the robe
    Pattern kind;
    QColor trim;   // the collar and the robe's borders
    bool ermine;   // trim of white fur with black tails
    Held held;     // in the raised hand
    AtChest chest; // in the other hand
    bool mirrored; // the raised hand on the left
    double glance; // where the eyes look, -1 left to 1 right
};

// One design per card: clubs, spades, diamonds, hearts for each rank.
const Design Designs[3][4] = {
    // Jacks
    {{Headwear::BrimmedHat, Hair::Bob, Blond, Beard::None, Blue, Gold, Red, Pattern::Chevrons, Red, false,
      Held::Lance, AtChest::Shield, false, -0.6},
     {Headwear::Chaperon, Hair::Curls, Raven, Beard::Moustache, Black, Red, Gold, Pattern::Checks, Gold,
      false, Held::Staff, AtChest::Horn, true, 0.6},
     {Headwear::Morion, Hair::Bob, Auburn, Beard::None, Red, Green, Gold, Pattern::Scales, Gold, false,
      Held::Halberd, AtChest::Dagger, false, -0.4},
     {Headwear::PlumedBeret, Hair::Curls, Brown, Beard::None, Green, Red, Gold, Pattern::Stripes, Gold, false,
      Held::Torch, AtChest::Leaf, true, 0.5}},
    // Queens
    {{Headwear::VeiledCoronet, Hair::Veiled, Brown, Beard::None, Green, Gold, Green, Pattern::Stripes, Red,
      false, Held::Flower, AtChest::Book, false, -0.5},
     {Headwear::Tiara, Hair::Long, Raven, Beard::None, Black, Purple, Gold, Pattern::Lozenges, Gold, false,
      Held::Sceptre, AtChest::Mirror, true, 0.5},
     {Headwear::HoodedCrown, Hair::Veiled, Blond, Beard::None, Purple, Blue, Gold, Pattern::Studs, Gold,
      false, Held::Fan, AtChest::Orb, false, -0.3},
     {Headwear::RoseCrown, Hair::Braids, Auburn, Beard::None, Red, White, Red, Pattern::Fleurs, Gold, false,
      Held::Sceptre, AtChest::Rose, true, 0.4}},
    // Kings
    {{Headwear::ArchedCrown, Hair::Long, Brown, Beard::Full, Blue, Red, Gold, Pattern::Fleurs, Gold, true,
      Held::Sceptre, AtChest::Orb, false, -0.5},
     {Headwear::SpikedCrown, Hair::Curls, Grey, Beard::Forked, Navy, Black, Gold, Pattern::Lozenges, Gold,
      true, Held::Sword, AtChest::Nothing, true, 0.0},
     {Headwear::CrownedCap, Hair::Bob, Raven, Beard::Short, Green, Red, Gold, Pattern::Checks, Gold, false,
      Held::Axe, AtChest::Shield, false, -0.6},
     {Headwear::HeartCrown, Hair::Curls, Blond, Beard::Moustache, Red, Gold, Red, Pattern::Studs, Red, true,
      Held::RaisedSword, AtChest::Scroll, true, 0.5}},
};

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

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// A thick stroke with an ink rim: sleeves, shafts, the horn's curve.
void Band(QPainter& p, const QPainterPath& centre, double width, QColor colour, const Pen& pen) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, width + 2 * pen.width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(centre);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(centre);
}

// The places every figure shares (upper half, before mirroring).
const QPointF HeadCentre(28, 17.5);
const QPointF RaisedHand(43.5, 36.5); // holds the long attribute
const QPointF ChestHand(20.5, 41.5);  // holds the small one

QPainterPath BodyPath() {
    QPainterPath body;
    body.moveTo(4, HalfH + 1);
    body.lineTo(5.5, 37);
    body.cubicTo(6.5, 31, 12, 28, 19, 27);
    body.lineTo(37, 27);
    body.cubicTo(44, 28, 49.5, 31, 50.5, 37);
    body.lineTo(52, HalfH + 1);
    body.closeSubpath();
    return body;
}

void PaintPattern(QPainter& p, const Design& d, const QRectF& area) {
    p.setPen(Qt::NoPen);
    p.setBrush(d.pattern);
    switch (d.kind) {
    case Pattern::Fleurs:
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 4; ++col) {
                const QPointF c(area.left() + 2.5 + 5 * col + (row % 2) * 2.5, area.top() + 3 + 5.5 * row);
                p.drawPath(Polygon(
                    {c + QPointF(0, -1.6), c + QPointF(1.1, 0), c + QPointF(0, 1.6), c + QPointF(-1.1, 0)}));
                p.drawEllipse(c + QPointF(0, -1.9), 0.55, 0.55);
            }
        break;
    case Pattern::Lozenges:
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 4; ++col) {
                const QPointF c(area.left() + 2.5 + 5 * col, area.top() + 3 + 6 * row + (col % 2) * 3);
                p.drawPath(Polygon(
                    {c + QPointF(0, -2.2), c + QPointF(1.6, 0), c + QPointF(0, 2.2), c + QPointF(-1.6, 0)}));
            }
        break;
    case Pattern::Stripes:
        for (double x = area.left() + 1; x < area.right(); x += 4)
            p.drawRect(QRectF(x, area.top(), 1.6, area.height()));
        break;
    case Pattern::Studs:
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 4; ++col)
                p.drawEllipse(
                    QPointF(area.left() + 2 + 4.5 * col + (row % 2) * 2.2, area.top() + 2.5 + 4.5 * row),
                    0.95, 0.95);
        break;
    case Pattern::Chevrons:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(d.pattern, 1.3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        for (double y = area.top() + 2; y < area.bottom() + 4; y += 4.5) {
            QPainterPath v;
            v.moveTo(area.left(), y - 2.5);
            for (double x = area.left(); x < area.right(); x += 5) {
                v.lineTo(x + 2.5, y);
                v.lineTo(x + 5, y - 2.5);
            }
            p.drawPath(v);
        }
        break;
    case Pattern::Checks:
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 8; ++col)
                if ((row + col) % 2 == 0)
                    p.drawRect(QRectF(area.left() + 3 * col, area.top() + 3 * row, 3, 3));
        break;
    case Pattern::Scales:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(d.pattern, 0.9));
        for (int row = 0; row < 6; ++row)
            for (int col = -1; col < 6; ++col) {
                const QPointF c(area.left() + 4 * col + (row % 2) * 2, area.top() + 1 + 3.6 * row);
                p.drawArc(QRectF(c.x(), c.y() - 2, 4, 4), 180 * 16, 180 * 16);
            }
        break;
    }
}

// Fur: white with black tails in rows.
void PaintErmine(QPainter& p, const QPainterPath& area, const Pen& pen) {
    Fill(p, area, White, pen);
    p.save();
    p.setClipPath(area, Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    const QRectF box = area.boundingRect();
    for (double y = box.top() + 1.2; y < box.bottom(); y += 2.8)
        for (double x = box.left() + 1 + (int((y - box.top()) / 2.8) % 2) * 1.6; x < box.right(); x += 3.2)
            p.drawPath(Polygon({QPointF(x, y - 0.8), QPointF(x + 0.5, y + 0.8), QPointF(x - 0.5, y + 0.8)}));
    p.restore();
}

void PaintBody(QPainter& p, int rank, const Design& d, const Pen& pen) {
    const QPainterPath body = BodyPath();
    Fill(p, body, d.mantle, pen);
    // The robe in the middle, between the mantle's two edges.
    QPainterPath robe;
    robe.moveTo(18, HalfH + 1);
    robe.lineTo(20, 29);
    robe.lineTo(36, 29);
    robe.lineTo(38, HalfH + 1);
    robe.closeSubpath();
    Fill(p, robe, d.robe, pen);
    p.save();
    p.setClipPath(robe, Qt::IntersectClip);
    PaintPattern(p, d, QRectF(17, 29, 22, HalfH - 28));
    p.restore();
    // The mantle's fold lines and its bordered edges.
    p.setPen(QPen(d.mantle.darker(150), pen.width));
    p.drawLine(QPointF(10, 35), QPointF(9, HalfH));
    p.drawLine(QPointF(46, 35), QPointF(47, HalfH));
    p.drawLine(QPointF(14, 40), QPointF(13.5, HalfH));
    p.drawLine(QPointF(42, 40), QPointF(42.5, HalfH));
    for (const double side : {-1.0, 1.0}) {
        QPainterPath edge;
        const double x0 = 28 + side * 8.6;
        edge.moveTo(x0, 29);
        edge.lineTo(28 + side * 10.4, HalfH + 1);
        edge.lineTo(28 + side * 12.8, HalfH + 1);
        edge.lineTo(x0 + side * 2.3, 29);
        edge.closeSubpath();
        if (d.ermine)
            PaintErmine(p, edge, pen);
        else
            Fill(p, edge, d.trim, pen);
    }
    // The collar tells the rank: a fur cape for an ermine King, a necklace
    // for a Queen, a pleated ruff for a Jack.
    if (rank == King && d.ermine) {
        QPainterPath collar;
        collar.moveTo(12, 31);
        collar.cubicTo(18, 26.5, 38, 26.5, 44, 31);
        collar.cubicTo(40, 35.5, 16, 35.5, 12, 31);
        PaintErmine(p, collar, pen);
    } else if (rank == King) {
        // A chain of office across the shoulders.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Ink, pen.width * 4.2));
        QPainterPath chain;
        chain.moveTo(15, 29.5);
        chain.quadTo(28, 37, 41, 29.5);
        p.drawPath(chain);
        p.setPen(QPen(d.trim, pen.width * 2.6, Qt::DotLine, Qt::RoundCap));
        p.drawPath(chain);
        Fill(p, Ellipse(QPointF(28, 33.4), 1.6, 1.6), d.trim, pen);
    } else if (rank == Queen) {
        QPainterPath neckline;
        neckline.moveTo(20.5, 27.5);
        neckline.quadTo(28, 36.5, 35.5, 27.5);
        neckline.closeSubpath();
        Fill(p, neckline, Flesh, pen);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Gold, pen.width * 1.8));
        QPainterPath chain;
        chain.moveTo(22, 28.5);
        chain.quadTo(28, 35, 34, 28.5);
        p.drawPath(chain);
        Fill(p, Ellipse(QPointF(28, 32.6), 1.3, 1.6), d.trim == Gold ? Red : d.trim, pen);
    } else {
        for (double x = 20; x <= 36; x += 3.2)
            Fill(p, Ellipse(QPointF(x, 28), 2.0, 1.5), White, pen);
    }
}

// A sleeve from the shoulder down to the elbow and up again to the hand, with
// its cuff; the hand is drawn after whatever it holds.
void PaintArm(QPainter& p, QPointF shoulder, QPointF elbow, QPointF hand, QColor sleeve, QColor cuff,
              const Pen& pen) {
    const QPointF along = hand - elbow;
    const QPointF dir = along / std::hypot(along.x(), along.y());
    QPainterPath sleevePath;
    sleevePath.moveTo(shoulder);
    sleevePath.lineTo(elbow);
    sleevePath.lineTo(hand - dir * 2.4);
    Band(p, sleevePath, 5.0, sleeve, pen);
    p.setPen(QPen(sleeve.darker(150), pen.width));
    p.drawLine(elbow + QPointF(0, -1.2), elbow + (hand - elbow) * 0.35);
    QPainterPath cuffPath;
    cuffPath.moveTo(hand - dir * 3.4);
    cuffPath.lineTo(hand - dir * 1.8);
    Band(p, cuffPath, 5.2, cuff, pen);
}

void PaintHand(QPainter& p, QPointF hand, const Pen& pen) {
    Fill(p, Ellipse(hand, 2.1, 1.9), Flesh, pen);
}

void PaintHairBehind(QPainter& p, const Design& d, const Pen& pen) {
    const QPointF c = HeadCentre;
    switch (d.hair) {
    case Hair::Long: {
        QPainterPath hair;
        hair.moveTo(c.x() - 6.5, c.y() - 4);
        hair.cubicTo(c.x() - 9.5, c.y() + 2, c.x() - 10, c.y() + 9, c.x() - 9, c.y() + 13);
        hair.lineTo(c.x() + 9, c.y() + 13);
        hair.cubicTo(c.x() + 10, c.y() + 9, c.x() + 9.5, c.y() + 2, c.x() + 6.5, c.y() - 4);
        hair.closeSubpath();
        Fill(p, hair, d.hairColour, pen);
        break;
    }
    case Hair::Curls:
        for (const double side : {-1.0, 1.0})
            for (int k = 0; k < 3; ++k)
                Fill(p, Ellipse(QPointF(c.x() + side * (6.6 + 0.4 * k), c.y() - 1 + 3.6 * k), 2.3, 2.1),
                     d.hairColour, pen);
        break;
    case Hair::Bob:
        Fill(p, Ellipse(QPointF(c.x(), c.y() + 0.5), 7.6, 8.0), d.hairColour, pen);
        break;
    case Hair::Braids:
        for (const double side : {-1.0, 1.0}) {
            for (int k = 0; k < 4; ++k)
                Fill(p, Ellipse(QPointF(c.x() + side * (7.0 + 0.3 * k), c.y() + 1 + 3.1 * k), 1.8, 1.9),
                     d.hairColour, pen);
        }
        break;
    case Hair::Veiled:
        break;
    }
}

void PaintFace(QPainter& p, const Design& d, const Pen& pen) {
    const QPointF c = HeadCentre;
    QPainterPath neck;
    neck.addRect(QRectF(c.x() - 2.6, c.y() + 4, 5.2, 6.5));
    Fill(p, neck, Flesh, pen);
    Fill(p, Ellipse(c, 5.9, 6.9), Flesh, pen);
    // Eyes glance to one side; brows; a nose pointing the same way; a mouth.
    const double g = d.glance * 0.45;
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(c.x() - 2.3 + g, c.y() - 0.5), 0.75, 0.7);
    p.drawEllipse(QPointF(c.x() + 2.3 + g, c.y() - 0.5), 0.75, 0.7);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, pen.width * 0.8));
    p.drawLine(QPointF(c.x() - 3.6, c.y() - 2.3), QPointF(c.x() - 1.2, c.y() - 2.6));
    p.drawLine(QPointF(c.x() + 1.2, c.y() - 2.6), QPointF(c.x() + 3.6, c.y() - 2.3));
    QPainterPath nose;
    const double side = d.glance < 0 ? -1 : 1;
    nose.moveTo(c.x() + 0.2, c.y() - 0.2);
    nose.lineTo(c.x() + 0.2 + side * 0.9, c.y() + 2.4);
    nose.lineTo(c.x() - side * 0.5, c.y() + 2.6);
    p.drawPath(nose);
    p.setPen(Qt::NoPen);
    p.setBrush(Blush);
    p.drawEllipse(QPointF(c.x() - 3.4, c.y() + 2.2), 1.1, 0.8);
    p.drawEllipse(QPointF(c.x() + 3.4, c.y() + 2.2), 1.1, 0.8);
    p.setPen(QPen(Red, pen.width * 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - 1.2, c.y() + 4.3), QPointF(c.x() + 1.2, c.y() + 4.3));

    switch (d.beard) {
    case Beard::Full:
    case Beard::Forked: {
        QPainterPath beard;
        const double tip = d.beard == Beard::Forked ? 13.5 : 12.0;
        beard.moveTo(c.x() - 6, c.y() - 0.5);
        beard.cubicTo(c.x() - 6, c.y() + 6, c.x() - 4, c.y() + 10, c.x() - (d.beard == Beard::Forked ? 2 : 0),
                      c.y() + tip);
        if (d.beard == Beard::Forked) {
            beard.lineTo(c.x(), c.y() + 10.5);
            beard.lineTo(c.x() + 2, c.y() + tip);
        }
        beard.cubicTo(c.x() + 4, c.y() + 10, c.x() + 6, c.y() + 6, c.x() + 6, c.y() - 0.5);
        beard.lineTo(c.x() + 5.1, c.y() + 0.5);
        beard.cubicTo(c.x() + 4.6, c.y() + 4.5, c.x() + 2.6, c.y() + 5.6, c.x(), c.y() + 5.6);
        beard.cubicTo(c.x() - 2.6, c.y() + 5.6, c.x() - 4.6, c.y() + 4.5, c.x() - 5.1, c.y() + 0.5);
        beard.closeSubpath();
        Fill(p, beard, d.hairColour, pen);
        p.setPen(QPen(d.hairColour.darker(160), pen.width * 0.7));
        p.drawLine(QPointF(c.x() - 2.5, c.y() + 7), QPointF(c.x() - 2, c.y() + 10));
        p.drawLine(QPointF(c.x() + 2.5, c.y() + 7), QPointF(c.x() + 2, c.y() + 10));
        [[fallthrough]];
    }
    case Beard::Moustache: {
        QPainterPath moustache;
        moustache.moveTo(c.x() - 3.6, c.y() + 4.4);
        moustache.quadTo(c.x(), c.y() + 1.6, c.x() + 3.6, c.y() + 4.4);
        moustache.quadTo(c.x(), c.y() + 3.0, c.x() - 3.6, c.y() + 4.4);
        Fill(p, moustache, d.hairColour, pen);
        break;
    }
    case Beard::Short: {
        QPainterPath beard;
        beard.moveTo(c.x() - 5.6, c.y() + 1);
        beard.cubicTo(c.x() - 5, c.y() + 6.5, c.x() - 2.5, c.y() + 8.2, c.x(), c.y() + 8.2);
        beard.cubicTo(c.x() + 2.5, c.y() + 8.2, c.x() + 5, c.y() + 6.5, c.x() + 5.6, c.y() + 1);
        beard.cubicTo(c.x() + 4, c.y() + 5, c.x() + 2, c.y() + 5.6, c.x(), c.y() + 5.6);
        beard.cubicTo(c.x() - 2, c.y() + 5.6, c.x() - 4, c.y() + 5, c.x() - 5.6, c.y() + 1);
        beard.closeSubpath();
        Fill(p, beard, d.hairColour, pen);
        QPainterPath moustache;
        moustache.moveTo(c.x() - 3, c.y() + 4.2);
        moustache.quadTo(c.x(), c.y() + 2, c.x() + 3, c.y() + 4.2);
        moustache.quadTo(c.x(), c.y() + 3.2, c.x() - 3, c.y() + 4.2);
        Fill(p, moustache, d.hairColour, pen);
        break;
    }
    case Beard::None:
        break;
    }
}

// Hair over the forehead; a veil falls from the headwear instead.
void PaintFringe(QPainter& p, const Design& d, const Pen& pen) {
    const QPointF c = HeadCentre;
    if (d.hair == Hair::Veiled)
        return;
    QPainterPath fringe;
    fringe.moveTo(c.x() - 6.1, c.y() - 0.5);
    fringe.cubicTo(c.x() - 6.4, c.y() - 8.5, c.x() + 6.4, c.y() - 8.5, c.x() + 6.1, c.y() - 0.5);
    fringe.cubicTo(c.x() + 4.5, c.y() - 4.6, c.x() - 4.5, c.y() - 4.6, c.x() - 6.1, c.y() - 0.5);
    Fill(p, fringe, d.hairColour, pen);
}

void PaintVeil(QPainter& p, const Design& d, const Pen& pen, QColor colour) {
    const QPointF c = HeadCentre;
    QPainterPath veil;
    veil.moveTo(c.x() - 6.8, c.y() - 6);
    veil.cubicTo(c.x() - 10.5, c.y() + 1, c.x() - 11, c.y() + 8, c.x() - 10, c.y() + 12);
    veil.lineTo(c.x() - 6.5, c.y() + 10);
    veil.cubicTo(c.x() - 7.4, c.y() + 4, c.x() - 6.8, c.y() - 1, c.x() - 5.2, c.y() - 3.5);
    veil.lineTo(c.x() + 5.2, c.y() - 3.5);
    veil.cubicTo(c.x() + 6.8, c.y() - 1, c.x() + 7.4, c.y() + 4, c.x() + 6.5, c.y() + 10);
    veil.lineTo(c.x() + 10, c.y() + 12);
    veil.cubicTo(c.x() + 11, c.y() + 8, c.x() + 10.5, c.y() + 1, c.x() + 6.8, c.y() - 6);
    veil.closeSubpath();
    Fill(p, veil, colour, pen);
    // A line of hair under the veil's rim.
    QPainterPath hair;
    hair.moveTo(c.x() - 5, c.y() - 3.4);
    hair.quadTo(c.x(), c.y() - 5.6, c.x() + 5, c.y() - 3.4);
    hair.quadTo(c.x(), c.y() - 4.4, c.x() - 5, c.y() - 3.4);
    Fill(p, hair, d.hairColour, pen);
}

// A crown's band with points; tips carry balls, fleurons or hearts.
enum class Tip { Ball, Fleuron, Heart, Rose };
void PaintCrown(QPainter& p, double left, double right, double base, double band, double height, int points,
                Tip tip, QColor jewel, const Pen& pen) {
    QPainterPath crown;
    crown.moveTo(left, base);
    crown.lineTo(left, base - band - height);
    const double step = (right - left) / (2 * (points - 1));
    for (int i = 0; i < 2 * (points - 1); ++i) {
        const bool up = i % 2 == 1;
        crown.lineTo(left + step * (i + 1), base - band - (up ? height : height * 0.35));
    }
    crown.lineTo(right, base);
    crown.closeSubpath();
    Fill(p, crown, Gold, pen);
    p.setPen(QPen(DarkGold, pen.width));
    p.drawLine(QPointF(left + 0.3, base - band), QPointF(right - 0.3, base - band));
    for (int i = 0; i < points; ++i) {
        const QPointF at(left + 2 * step * i, base - band - height);
        switch (tip) {
        case Tip::Ball:
            Fill(p, Ellipse(at, 0.95, 0.95), Gold, pen);
            break;
        case Tip::Fleuron:
            Fill(p,
                 Polygon({at + QPointF(0, -2), at + QPointF(1.1, 0), at + QPointF(0, 0.8),
                          at + QPointF(-1.1, 0)}),
                 Gold, pen);
            break;
        case Tip::Heart:
            Fill(p, SuitPathIn(Hearts, QRectF(at.x() - 1.3, at.y() - 2.2, 2.6, 2.6)), Red, pen);
            break;
        case Tip::Rose:
            Fill(p, Ellipse(at, 1.2, 1.2), Red, pen);
            break;
        }
    }
    // Jewels along the band.
    const double mid = (left + right) / 2;
    Fill(p, Ellipse(QPointF(mid, base - band / 2), 1.1, band / 2 - 0.1), jewel, pen);
    Fill(p, Ellipse(QPointF(mid - (right - left) * 0.3, base - band / 2), 0.7, 0.7),
         jewel == Red ? Blue : Red, pen);
    Fill(p, Ellipse(QPointF(mid + (right - left) * 0.3, base - band / 2), 0.7, 0.7),
         jewel == Red ? Blue : Red, pen);
}

void PaintHeadwear(QPainter& p, const Design& d, const Pen& pen) {
    const QPointF c = HeadCentre;
    const double base = c.y() - 5.5;
    switch (d.headwear) {
    case Headwear::ArchedCrown: {
        // A red cap under two gold arches, an orb and cross on top.
        Fill(p, Ellipse(QPointF(c.x(), base - 4.5), 6.2, 4.2), Red, pen);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Ink, 1.9 + 2 * pen.width * 0.6));
        QPainterPath arch;
        arch.moveTo(c.x() - 6.6, base - 2);
        arch.cubicTo(c.x() - 6.6, base - 9, c.x() + 6.6, base - 9, c.x() + 6.6, base - 2);
        p.drawPath(arch);
        p.setPen(QPen(Gold, 1.5));
        p.drawPath(arch);
        p.setPen(QPen(Ink, 2.1));
        p.drawLine(QPointF(c.x(), base - 2), QPointF(c.x(), base - 8.6));
        p.setPen(QPen(Gold, 1.3));
        p.drawLine(QPointF(c.x(), base - 2), QPointF(c.x(), base - 8.6));
        Fill(p, Ellipse(QPointF(c.x(), base - 9.6), 1.4, 1.4), Gold, pen);
        p.setPen(QPen(Ink, pen.width * 1.6));
        p.drawLine(QPointF(c.x(), base - 11), QPointF(c.x(), base - 13.2));
        p.drawLine(QPointF(c.x() - 1, base - 12.2), QPointF(c.x() + 1, base - 12.2));
        PaintCrown(p, c.x() - 7.4, c.x() + 7.4, base + 0.6, 2.8, 2.2, 5, Tip::Fleuron, Red, pen);
        break;
    }
    case Headwear::SpikedCrown:
        PaintCrown(p, c.x() - 7.6, c.x() + 7.6, base + 0.6, 2.8, 6.6, 5, Tip::Ball, Blue, pen);
        break;
    case Headwear::CrownedCap: {
        Fill(p, Ellipse(QPointF(c.x(), base - 3.5), 7.6, 4.0), Green.darker(120), pen);
        PaintCrown(p, c.x() - 7.8, c.x() + 7.8, base + 0.6, 2.6, 3.6, 4, Tip::Fleuron, Green, pen);
        break;
    }
    case Headwear::HeartCrown:
        PaintCrown(p, c.x() - 7.4, c.x() + 7.4, base + 0.6, 2.8, 4.2, 3, Tip::Heart, Red, pen);
        break;
    case Headwear::VeiledCoronet:
        PaintVeil(p, d, pen, White);
        PaintCrown(p, c.x() - 6.4, c.x() + 6.4, base + 1.4, 2.2, 3.0, 5, Tip::Ball, Red, pen);
        break;
    case Headwear::Tiara: {
        QPainterPath tiara;
        tiara.moveTo(c.x() - 6.2, base + 1);
        tiara.cubicTo(c.x() - 5, base - 6.5, c.x() + 5, base - 6.5, c.x() + 6.2, base + 1);
        tiara.quadTo(c.x(), base - 1.6, c.x() - 6.2, base + 1);
        Fill(p, tiara, Gold, pen);
        for (int k = -2; k <= 2; ++k)
            Fill(p, Ellipse(QPointF(c.x() + k * 2.5, base - 3.5 - (2 - std::abs(k)) * 0.9), 0.8, 0.8), White,
                 pen);
        Fill(p, SuitPathIn(Spades, QRectF(c.x() - 1.4, base - 7.6, 2.8, 3.0)), Black, pen);
        break;
    }
    case Headwear::HoodedCrown:
        PaintVeil(p, d, pen, Purple.lighter(150));
        PaintCrown(p, c.x() - 6.8, c.x() + 6.8, base + 1.2, 2.4, 4.4, 3, Tip::Fleuron, Blue, pen);
        break;
    case Headwear::RoseCrown:
        PaintCrown(p, c.x() - 6.8, c.x() + 6.8, base + 1, 2.6, 3.4, 5, Tip::Rose, Green, pen);
        break;
    case Headwear::BrimmedHat: {
        // A wide hat with a feather laid along its crown.
        QPainterPath top;
        top.moveTo(c.x() - 5.6, base + 0.4);
        top.cubicTo(c.x() - 6, base - 7, c.x() + 6, base - 7, c.x() + 5.6, base + 0.4);
        top.closeSubpath();
        Fill(p, top, d.mantle, pen);
        QPainterPath feather;
        feather.moveTo(c.x() - 3, base - 2);
        feather.cubicTo(c.x() + 2, base - 9.5, c.x() + 10, base - 8, c.x() + 12.5, base - 4);
        feather.cubicTo(c.x() + 8, base - 5.5, c.x() + 3, base - 4.6, c.x() - 3, base - 2);
        Fill(p, feather, White, pen);
        Fill(p, Ellipse(QPointF(c.x(), base + 0.8), 10.8, 2.1), d.mantle.darker(130), pen);
        p.setPen(QPen(Gold, 1.2));
        p.drawLine(QPointF(c.x() - 5.2, base - 0.8), QPointF(c.x() + 5.2, base - 0.8));
        break;
    }
    case Headwear::Chaperon: {
        // A rolled hood with a long tail falling to one side.
        QPainterPath tail;
        tail.moveTo(c.x() + 4, base - 1);
        tail.cubicTo(c.x() + 12, base - 4, c.x() + 13, base + 6, c.x() + 11.5, base + 15);
        tail.lineTo(c.x() + 9.2, base + 14.5);
        tail.cubicTo(c.x() + 10, base + 7, c.x() + 9, base + 1.5, c.x() + 4, base + 1.5);
        tail.closeSubpath();
        Fill(p, tail, d.robe, pen);
        Fill(p, Ellipse(QPointF(c.x(), base - 2.6), 7.4, 4.6), d.robe, pen);
        Fill(p, Ellipse(QPointF(c.x(), base + 0.2), 7.6, 2.0), d.robe.darker(140), pen);
        break;
    }
    case Headwear::Morion: {
        // A steel helmet with a crest and an upturned brim.
        QPainterPath dome;
        dome.moveTo(c.x() - 6.2, base + 0.6);
        dome.cubicTo(c.x() - 6.6, base - 8, c.x() + 6.6, base - 8, c.x() + 6.2, base + 0.6);
        dome.closeSubpath();
        Fill(p, dome, Steel, pen);
        QPainterPath crest;
        crest.moveTo(c.x() - 4, base - 5.4);
        crest.quadTo(c.x(), base - 11.5, c.x() + 4, base - 5.4);
        crest.closeSubpath();
        Fill(p, crest, Steel.darker(115), pen);
        QPainterPath brim;
        brim.moveTo(c.x() - 10, base - 2.6);
        brim.quadTo(c.x(), base + 4, c.x() + 10, base - 2.6);
        brim.quadTo(c.x(), base + 1.6, c.x() - 10, base - 2.6);
        Fill(p, brim, Steel, pen);
        Fill(p, Ellipse(QPointF(c.x() + 4.8, base - 6), 1.4, 2.4), Red, pen); // a plume
        break;
    }
    case Headwear::PlumedBeret: {
        QPainterPath plume;
        plume.moveTo(c.x() + 3, base - 3);
        plume.cubicTo(c.x() + 6, base - 11, c.x() + 12, base - 12.5, c.x() + 14, base - 10);
        plume.cubicTo(c.x() + 11, base - 8.5, c.x() + 8, base - 5.5, c.x() + 5, base - 1.6);
        plume.closeSubpath();
        Fill(p, plume, White, pen);
        QPainterPath cap;
        cap.moveTo(c.x() - 8, base);
        cap.cubicTo(c.x() - 9, base - 7, c.x() + 8, base - 8, c.x() + 8.6, base - 0.5);
        cap.closeSubpath();
        Fill(p, cap, d.mantle, pen);
        Fill(p, Ellipse(QPointF(c.x(), base + 0.2), 8.2, 1.9), d.mantle.darker(140), pen);
        Fill(p, Ellipse(QPointF(c.x() + 4.6, base - 2.2), 1.1, 1.1), Gold, pen);
        break;
    }
    }
}

// The long attribute, held upright (or slanted) in the raised hand.
void PaintHeld(QPainter& p, const Design& d, const Pen& pen) {
    const QPointF h = RaisedHand;
    auto shaft = [&](QPointF from, QPointF to, double width, QColor colour) {
        QPainterPath line;
        line.moveTo(from);
        line.lineTo(to);
        Band(p, line, width, colour, pen);
    };
    switch (d.held) {
    case Held::Sceptre:
        shaft(QPointF(h.x(), h.y() + 9), QPointF(h.x(), 9), 1.5, Gold);
        Fill(p, Ellipse(QPointF(h.x(), 7.6), 2.0, 2.0), Gold, pen);
        Fill(p,
             Polygon({QPointF(h.x(), 2.2), QPointF(h.x() + 1.5, 5.6), QPointF(h.x(), 6.4),
                      QPointF(h.x() - 1.5, 5.6)}),
             Gold, pen);
        Fill(p, Ellipse(QPointF(h.x(), 7.6), 0.8, 0.8), Red, pen);
        break;
    case Held::Sword:
    case Held::RaisedSword: {
        const bool raised = d.held == Held::RaisedSword;
        p.save();
        if (raised) {
            // Brandished, leaning out over the shoulder.
            p.translate(h);
            p.rotate(16);
            p.translate(-h);
        }
        QPainterPath blade =
            Polygon({QPointF(h.x() - 1.3, h.y() - 4), QPointF(h.x() - 1.3, 4.5), QPointF(h.x(), 1.2),
                     QPointF(h.x() + 1.3, 4.5), QPointF(h.x() + 1.3, h.y() - 4)});
        Fill(p, blade, Steel, pen);
        p.setPen(QPen(Steel.darker(130), pen.width * 0.8));
        p.drawLine(QPointF(h.x(), h.y() - 5), QPointF(h.x(), 5));
        QPainterPath guard;
        guard.addRoundedRect(QRectF(h.x() - 4, h.y() - 4.4, 8, 1.9), 0.8, 0.8);
        Fill(p, guard, Gold, pen);
        shaft(QPointF(h.x(), h.y() - 2.5), QPointF(h.x(), h.y() + 3), 1.6, Brown);
        Fill(p, Ellipse(QPointF(h.x(), h.y() + 3.8), 1.2, 1.2), Gold, pen);
        p.restore();
        break;
    }
    case Held::Axe: {
        shaft(QPointF(h.x(), h.y() + 8), QPointF(h.x(), 4), 1.5, Wood);
        QPainterPath head;
        head.moveTo(h.x() + 0.8, 6);
        head.cubicTo(h.x() + 5, 5, h.x() + 8, 3, h.x() + 8.5, 1.5);
        head.cubicTo(h.x() + 9.8, 5.5, h.x() + 9.8, 11, h.x() + 8.5, 15);
        head.cubicTo(h.x() + 7.5, 13, h.x() + 4.5, 11.5, h.x() + 0.8, 11);
        head.closeSubpath();
        Fill(p, head, Steel, pen);
        Fill(p, Polygon({QPointF(h.x() - 0.8, 7), QPointF(h.x() - 4.5, 8.5), QPointF(h.x() - 0.8, 10)}),
             Steel, pen);
        break;
    }
    case Held::Flower: {
        p.setPen(QPen(Green, pen.width * 1.6));
        p.drawLine(QPointF(h.x(), h.y() + 1), QPointF(h.x() - 1, 14));
        QPainterPath leaf;
        leaf.moveTo(h.x() - 0.5, 24);
        leaf.quadTo(h.x() + 4.5, 20, h.x() + 5, 23.5);
        leaf.quadTo(h.x() + 2, 26, h.x() - 0.5, 24);
        Fill(p, leaf, Green, pen);
        // A tulip: three petals.
        const QPointF f(h.x() - 1, 11);
        QPainterPath cup;
        cup.moveTo(f.x() - 3.2, f.y() - 4);
        cup.quadTo(f.x() - 3.4, f.y() + 3, f.x(), f.y() + 3);
        cup.quadTo(f.x() + 3.4, f.y() + 3, f.x() + 3.2, f.y() - 4);
        cup.lineTo(f.x() + 1.5, f.y() - 1.5);
        cup.lineTo(f.x(), f.y() - 4.5);
        cup.lineTo(f.x() - 1.5, f.y() - 1.5);
        cup.closeSubpath();
        Fill(p, cup, Red, pen);
        break;
    }
    case Held::Fan: {
        // An open fan, ribbed, above the hand.
        const QPointF pivot(h.x(), h.y() - 1);
        QPainterPath fan;
        fan.moveTo(pivot);
        fan.arcTo(QRectF(pivot.x() - 11, pivot.y() - 11, 22, 22), 60, 80);
        fan.closeSubpath();
        Fill(p, fan, White, pen);
        p.setPen(QPen(d.robe, pen.width * 1.1));
        for (int k = 0; k <= 6; ++k) {
            const double a = qDegreesToRadians(60 + 80.0 * k / 6);
            p.drawLine(pivot, pivot + QPointF(10.4 * qCos(a), -10.4 * qSin(a)));
        }
        p.setPen(QPen(Gold, pen.width * 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(pivot.x() - 10.6, pivot.y() - 10.6, 21.2, 21.2), 60 * 16, 80 * 16);
        break;
    }
    case Held::Lance: {
        shaft(QPointF(h.x(), h.y() + 14), QPointF(h.x(), 5), 1.4, Wood);
        Fill(p,
             Polygon(
                 {QPointF(h.x(), 0.4), QPointF(h.x() + 1.6, 4), QPointF(h.x(), 6), QPointF(h.x() - 1.6, 4)}),
             Steel, pen);
        // A swallow-tailed pennant in the suit's colours.
        Fill(p,
             Polygon({QPointF(h.x() - 0.5, 7), QPointF(h.x() - 9, 8.5), QPointF(h.x() - 6.5, 10.5),
                      QPointF(h.x() - 9, 12.5), QPointF(h.x() - 0.5, 13)}),
             d.pattern, pen);
        break;
    }
    case Held::Halberd: {
        shaft(QPointF(h.x(), h.y() + 14), QPointF(h.x(), 6), 1.4, Wood);
        Fill(p, Polygon({QPointF(h.x(), 0.3), QPointF(h.x() + 1.3, 5), QPointF(h.x() - 1.3, 5)}), Steel, pen);
        QPainterPath blade;
        blade.moveTo(h.x() + 0.7, 6);
        blade.quadTo(h.x() + 5.5, 5.5, h.x() + 6.5, 3.5);
        blade.quadTo(h.x() + 6.8, 8, h.x() + 5.8, 12);
        blade.quadTo(h.x() + 4, 10.5, h.x() + 0.7, 10.5);
        blade.closeSubpath();
        Fill(p, blade, Steel, pen);
        Fill(p, Polygon({QPointF(h.x() - 0.7, 7), QPointF(h.x() - 4, 6), QPointF(h.x() - 0.7, 9.5)}), Steel,
             pen);
        break;
    }
    case Held::Torch: {
        Fill(p,
             Polygon({QPointF(h.x() - 1.6, 14), QPointF(h.x() + 1.6, 14), QPointF(h.x() + 0.9, h.y() + 5),
                      QPointF(h.x() - 0.9, h.y() + 5)}),
             Wood, pen);
        QPainterPath cup;
        cup.addRoundedRect(QRectF(h.x() - 2.6, 11.5, 5.2, 3), 1, 1);
        Fill(p, cup, Gold, pen);
        QPainterPath flame;
        flame.moveTo(h.x() - 3, 11.5);
        flame.cubicTo(h.x() - 4.5, 7, h.x() - 1, 5, h.x() - 1.5, 1);
        flame.cubicTo(h.x() + 1.5, 4, h.x() + 4.5, 6, h.x() + 3, 11.5);
        flame.closeSubpath();
        Fill(p, flame, QColor(250, 150, 30), pen);
        QPainterPath core;
        core.moveTo(h.x() - 1.4, 11.3);
        core.cubicTo(h.x() - 2, 8.5, h.x() - 0.2, 7.5, h.x() - 0.3, 5.5);
        core.cubicTo(h.x() + 1, 7.5, h.x() + 2, 8.5, h.x() + 1.4, 11.3);
        core.closeSubpath();
        Fill(p, core, QColor(255, 226, 90), pen);
        break;
    }
    case Held::Staff:
        shaft(QPointF(h.x(), h.y() + 14), QPointF(h.x(), 5), 1.5, Wood);
        Fill(p, Ellipse(QPointF(h.x(), 4), 1.8, 1.8), Gold, pen);
        Fill(p, Polygon({QPointF(h.x(), 0.2), QPointF(h.x() + 1, 2.4), QPointF(h.x() - 1, 2.4)}), Gold, pen);
        break;
    }
}

// The small attribute, held before the chest.
void PaintAtChest(QPainter& p, int suit, const Design& d, const Pen& pen) {
    const QPointF h = ChestHand;
    switch (d.chest) {
    case AtChest::Orb:
        Fill(p, Ellipse(QPointF(h.x(), h.y() - 3.6), 3.3, 3.3), Gold, pen);
        p.setPen(QPen(DarkGold, pen.width));
        p.drawLine(QPointF(h.x() - 3.2, h.y() - 3.6), QPointF(h.x() + 3.2, h.y() - 3.6));
        p.drawLine(QPointF(h.x(), h.y() - 3.6), QPointF(h.x(), h.y() - 0.4));
        p.setPen(QPen(Ink, pen.width * 1.6));
        p.drawLine(QPointF(h.x(), h.y() - 7), QPointF(h.x(), h.y() - 9.6));
        p.drawLine(QPointF(h.x() - 1.1, h.y() - 8.6), QPointF(h.x() + 1.1, h.y() - 8.6));
        break;
    case AtChest::Shield: {
        // The suit's arms on a shield.
        // Held by its point, so the hand leaves the arms in view.
        QPainterPath shield;
        const double top = h.y() - 13;
        shield.moveTo(h.x() - 5, top);
        shield.lineTo(h.x() + 5, top);
        shield.lineTo(h.x() + 5, top + 6);
        shield.cubicTo(h.x() + 5, top + 10, h.x() + 2, top + 12, h.x(), top + 13);
        shield.cubicTo(h.x() - 2, top + 12, h.x() - 5, top + 10, h.x() - 5, top + 6);
        shield.closeSubpath();
        Fill(p, shield, White, pen);
        p.setPen(QPen(Gold, pen.width * 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shield);
        p.setPen(Qt::NoPen);
        p.setBrush(SuitInk(suit));
        p.drawPath(SuitPathIn(suit, QRectF(h.x() - 3, top + 1.8, 6, 6.5)));
        break;
    }
    case AtChest::Mirror: {
        // A hand mirror, its handle in the hand.
        p.setPen(QPen(Ink, pen.width * 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(h.x(), h.y() + 1), QPointF(h.x() + 1, h.y() - 4));
        p.setPen(QPen(Gold, pen.width * 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(h.x(), h.y() + 1), QPointF(h.x() + 1, h.y() - 4));
        Fill(p, Ellipse(QPointF(h.x() + 1.4, h.y() - 7.5), 3.4, 3.8), Gold, pen);
        Fill(p, Ellipse(QPointF(h.x() + 1.4, h.y() - 7.5), 2.2, 2.6), QColor(170, 214, 236), pen);
        p.setPen(QPen(White, pen.width * 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(h.x() + 0.4, h.y() - 8.6), QPointF(h.x() + 1.2, h.y() - 9.6));
        break;
    }
    case AtChest::Dagger: {
        // A dagger held point up across the chest.
        QPainterPath blade = Polygon({QPointF(h.x() - 0.9, h.y() - 2.5), QPointF(h.x() + 4.8, h.y() - 10.5),
                                      QPointF(h.x() + 0.6, h.y() - 1.6)});
        Fill(p, blade, Steel, pen);
        p.setPen(QPen(Ink, pen.width * 3.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(h.x() - 2.6, h.y() - 3.6), QPointF(h.x() + 1.6, h.y() - 0.4));
        p.setPen(QPen(Gold, pen.width * 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(h.x() - 2.6, h.y() - 3.6), QPointF(h.x() + 1.6, h.y() - 0.4));
        break;
    }
    case AtChest::Scroll: {
        // A rolled charter with a red seal hanging from it.
        QPainterPath roll;
        roll.addRoundedRect(QRectF(h.x() - 2.2, h.y() - 10.5, 4.4, 10), 1.6, 1.6);
        Fill(p, roll, QColor(244, 232, 196), pen);
        p.setPen(QPen(DarkGold, pen.width));
        p.drawLine(QPointF(h.x() - 2, h.y() - 8.5), QPointF(h.x() + 2, h.y() - 8.5));
        p.drawLine(QPointF(h.x() - 2, h.y() - 2.5), QPointF(h.x() + 2, h.y() - 2.5));
        Fill(p, Ellipse(QPointF(h.x() + 3.4, h.y() - 4.5), 1.4, 1.4), Red, pen);
        break;
    }
    case AtChest::Rose: {
        p.setPen(QPen(Green, pen.width * 1.5));
        p.drawLine(QPointF(h.x(), h.y()), QPointF(h.x() + 1, h.y() - 7));
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * M_PI / 5 - M_PI / 2;
            Fill(p, Ellipse(QPointF(h.x() + 1 + 1.9 * qCos(a), h.y() - 9 + 1.9 * qSin(a)), 1.6, 1.6), Red,
                 pen);
        }
        Fill(p, Ellipse(QPointF(h.x() + 1, h.y() - 9), 1.0, 1.0), Gold, pen);
        break;
    }
    case AtChest::Leaf: {
        QPainterPath leaf;
        leaf.moveTo(h.x(), h.y());
        leaf.cubicTo(h.x() - 5, h.y() - 3, h.x() - 4, h.y() - 9, h.x() + 1, h.y() - 11);
        leaf.cubicTo(h.x() + 3, h.y() - 7, h.x() + 3, h.y() - 3, h.x(), h.y());
        Fill(p, leaf, Green, pen);
        p.setPen(QPen(Green.darker(170), pen.width * 0.8));
        p.drawLine(QPointF(h.x(), h.y() - 1), QPointF(h.x(), h.y() - 9));
        break;
    }
    case AtChest::Horn: {
        // A hunting horn slung on its cord.
        QPainterPath horn;
        horn.moveTo(h.x() - 6, h.y() - 7);
        horn.cubicTo(h.x() - 2, h.y() - 3, h.x() + 3, h.y() - 3, h.x() + 6, h.y() - 7.5);
        horn.lineTo(h.x() + 7.5, h.y() - 5);
        horn.cubicTo(h.x() + 3, h.y() + 0.5, h.x() - 3, h.y() - 0.5, h.x() - 6.5, h.y() - 6);
        horn.closeSubpath();
        Fill(p, horn, QColor(236, 220, 170), pen);
        Fill(p, Ellipse(QPointF(h.x() + 6.8, h.y() - 6.3), 1.6, 2.0), Gold, pen);
        break;
    }
    case AtChest::Book: {
        QPainterPath book;
        book.addRect(QRectF(h.x() - 4, h.y() - 8, 7, 8.5));
        Fill(p, book, DarkRed, pen);
        p.setPen(QPen(Gold, pen.width));
        p.drawRect(QRectF(h.x() - 3, h.y() - 7, 5, 6.5));
        break;
    }
    case AtChest::Nothing:
        break;
    }
}

void PaintHalf(QPainter& p, int rank, int suit, const Pen& pen) {
    const Design& d = Designs[rank - Jack][suit];
    p.save();
    p.setClipRect(QRectF(0, 0, FrameW, HalfH), Qt::IntersectClip);
    if (d.mirrored) {
        p.translate(FrameW, 0);
        p.scale(-1, 1);
    }
    PaintHairBehind(p, d, pen);
    PaintBody(p, rank, d, pen);
    PaintFace(p, d, pen);
    PaintFringe(p, d, pen);
    PaintHeadwear(p, d, pen);
    PaintHeld(p, d, pen);
    // Arms over the robe, bent at the elbow: the one on the right holds the
    // long attribute, the other comes across the chest.
    const QColor cuff = d.ermine ? White : d.trim;
    // On a dark mantle the sleeves take the robe's colour, so the arms show.
    const QColor sleeve = d.mantle.lightness() < 60 ? d.robe : d.mantle;
    PaintArm(p, QPointF(45, 32), QPointF(48.5, 45), RaisedHand, sleeve, cuff, pen);
    PaintArm(p, QPointF(11, 32), QPointF(8, 46), ChestHand, sleeve, cuff, pen);
    PaintHand(p, RaisedHand, pen);
    PaintAtChest(p, suit, d, pen);
    PaintHand(p, ChestHand, pen);
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

    // The frame and the line between the halves, one card pixel wide.
    p.setPen(QPen(Ink, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    if (scale == 1)
        p.setRenderHint(QPainter::Antialiasing, false);
    const QRectF box =
        scale == 1 ? QRectF(frame.adjusted(0, 0, -1, -1)) : QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5);
    const double midY = scale == 1 ? frame.top() + frame.height() / 2 : frame.top() + frame.height() / 2.0;
    p.drawLine(QPointF(box.left(), midY), QPointF(box.right(), midY));
    p.drawRect(box);
    p.end();
    // The suit in the upper left corner of each half, set as high as the
    // frame allows so that a fanned column shows it; the small picture takes
    // a smaller symbol.
    const bool small = frame.width() < 50;
    const QImage symbol = small ? MiniSymbol(suit, scale) : SmallSymbol(suit, scale);
    const QPoint at = frame.topLeft() + QPoint(2, small ? 2 : 1);
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
    // A small spade between gold scrolls above the ring, and turned below it:
    // the top one is what a fanned column shows of this card.
    for (const bool turned : {false, true}) {
        p.save();
        if (turned) {
            p.translate(c);
            p.rotate(180);
            p.translate(-c);
        }
        const double u = a.width() / 56.0;
        const QPointF top(c.x(), a.top() + 3 * u);
        p.setPen(QPen(Gold, 1.1 * u, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        for (const double side : {-1.0, 1.0}) {
            QPainterPath scroll;
            scroll.moveTo(top + QPointF(side * 5 * u, 4.5 * u));
            scroll.cubicTo(top + QPointF(side * 8 * u, 1.5 * u), top + QPointF(side * 10.5 * u, 7.5 * u),
                           top + QPointF(side * 13.5 * u, 4.5 * u));
            p.drawPath(scroll);
            p.drawPoint(top + QPointF(side * 15.2 * u, 3.6 * u));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(InkBlack());
        p.drawPath(SuitPathIn(Spades, QRectF(top.x() - 3.6 * u, top.y(), 7.2 * u, 7.8 * u)));
        p.restore();
    }
    p.end();
    ClearKeyColour(image);
    return image;
}

} // namespace Art
