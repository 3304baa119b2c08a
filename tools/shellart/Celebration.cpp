// The win animation and the information box's picture.
#include "Art.h"
#include "Pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

namespace shellart {

namespace {

constexpr int FrameW = 376, FrameH = 154, Frames = 10;
constexpr qreal Tau = 2 * M_PI;

// Everything moving in the animation is a function of the phase t in [0, 1)
// with period 1, so frame 10 runs smoothly into frame 1.
struct Star {
    QPointF at;
    qreal size, phase;
};

struct Confetti {
    qreal x, y, size, angle, phase;
    int spin;
    QColor colour;
};

struct Burst {
    QPointF centre;
    qreal radius, phase;
    QColor colour;
    int sparks;
};

const QColor Festive[] = {QColor(0xFF, 0x5A, 0x4E), QColor(0xFF, 0xD2, 0x3F), QColor(0x4F, 0xD1, 0x6B),
                          QColor(0x4F, 0xA8, 0xFF), QColor(0xD0, 0x6B, 0xFF), QColor(0xFF, 0x8F, 0xD0)};

struct Scene {
    QList<Star> stars;
    QList<Confetti> confetti;
    QList<Burst> bursts;

    Scene() {
        QRandomGenerator rng(2024);
        auto uniform = [&rng](qreal lo, qreal hi) { return lo + (hi - lo) * rng.bounded(1.0); };
        for (int i = 0; i < 34; ++i)
            stars.append({{uniform(0, FrameW), uniform(0, FrameH * 0.7)}, uniform(0.4, 1.1), uniform(0, 1)});
        for (int i = 0; i < 46; ++i)
            confetti.append({uniform(0, FrameW), uniform(0, FrameH + 20), uniform(3.0, 4.6), uniform(0, 360),
                             uniform(0, 1), int(rng.bounded(1, 3)), Festive[rng.bounded(6)]});
        // Phases on tenths, so every frame catches each burst at a distinct moment.
        bursts = {{{58, 48}, 44, 0.0, Festive[1], 22},  {{322, 44}, 42, 0.3, Festive[3], 22},
                  {{34, 104}, 30, 0.6, Festive[0], 16}, {{346, 106}, 32, 0.8, Festive[4], 18},
                  {{118, 70}, 28, 0.5, Festive[2], 16}, {{262, 72}, 28, 0.1, Festive[5], 16}};
    }
};

void DrawSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, FrameH);
    sky.setColorAt(0.0, QColor(0x0A, 0x10, 0x34));
    sky.setColorAt(0.7, QColor(0x2C, 0x16, 0x4C));
    sky.setColorAt(1.0, QColor(0x4A, 0x1C, 0x4E));
    p.fillRect(QRectF(0, 0, FrameW, FrameH), sky);
}

void DrawStars(QPainter& p, const Scene& scene, qreal t) {
    p.setPen(Qt::NoPen);
    for (const Star& s : scene.stars) {
        const qreal glow = 0.55 + 0.45 * std::sin(Tau * (t + s.phase));
        p.setBrush(QColor(255, 250, 225, int(80 + 170 * glow)));
        p.drawEllipse(s.at, s.size * (0.7 + 0.3 * glow), s.size * (0.7 + 0.3 * glow));
    }
}

void DrawBurst(QPainter& p, const Burst& b, qreal t) {
    const qreal u = std::fmod(t + b.phase + 1.0, 1.0);
    constexpr qreal Rise = 0.3; // the rocket climbs for the first 3 frames of 10
    p.save();
    if (u < Rise) {
        // The rocket: a bright head and a fading trail up to the burst point.
        const qreal k = u / Rise;
        const QPointF start(b.centre.x() - 10, FrameH + 6);
        const QPointF head = start + (b.centre - start) * (1 - (1 - k) * (1 - k));
        QLinearGradient trail(head, start);
        trail.setColorAt(0.0, QColor(255, 240, 200, 220));
        trail.setColorAt(0.35, QColor(255, 200, 120, 0));
        p.setPen(QPen(QBrush(trail), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(head, start);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 230));
        p.drawEllipse(head, 1.6, 1.6);
    } else {
        const qreal k = (u - Rise) / (1 - Rise); // 0 at the bang, towards 1 as it fades
        const qreal r = b.radius * (1 - std::pow(1 - k, 2.2));
        const qreal fade = 1 - k * k;
        const qreal droop = 10 * k * k; // the sparks fall as they fade
        QRadialGradient flash(b.centre, b.radius * 0.7);
        flash.setColorAt(0, QColor(b.colour.red(), b.colour.green(), b.colour.blue(), int(120 * (1 - k))));
        flash.setColorAt(1, QColor(b.colour.red(), b.colour.green(), b.colour.blue(), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(flash);
        p.drawEllipse(b.centre, b.radius * 0.7, b.radius * 0.7);
        for (int i = 0; i < b.sparks; ++i) {
            const qreal a = Tau * i / b.sparks + b.phase;
            const QPointF dir(std::cos(a), std::sin(a));
            const QPointF tip = b.centre + dir * r + QPointF(0, droop);
            const QPointF tail = b.centre + dir * (r * 0.55) + QPointF(0, droop * 0.5);
            QColor c = b.colour.lighter(125);
            c.setAlphaF(fade);
            QLinearGradient streak(tail, tip);
            streak.setColorAt(0, QColor(c.red(), c.green(), c.blue(), 0));
            streak.setColorAt(1, c);
            p.setPen(QPen(QBrush(streak), 2.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(tail, tip);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 235, int(255 * fade)));
            p.drawEllipse(tip, 1.4, 1.4);
        }
        // An inner ring of glittering dots, turned half a spark against the outer.
        QColor inner = b.colour.lighter(150);
        inner.setAlphaF(fade);
        p.setBrush(inner);
        for (int i = 0; i < b.sparks / 2; ++i) {
            const qreal a = Tau * (i + 0.5) / (b.sparks / 2) + b.phase;
            p.drawEllipse(b.centre + QPointF(std::cos(a), std::sin(a)) * (r * 0.5) + QPointF(0, droop * 0.6),
                          1.0, 1.0);
        }
    }
    p.restore();
}

void DrawConfetti(QPainter& p, const Scene& scene, qreal t) {
    constexpr qreal Span = FrameH + 20;
    p.setPen(Qt::NoPen);
    for (const Confetti& c : scene.confetti) {
        const qreal y = std::fmod(c.y + t * Span, Span) - 10;
        const qreal x = c.x + 4 * std::sin(Tau * (t + c.phase));
        const qreal turn = Tau * (t * c.spin + c.phase);
        p.save();
        p.translate(x, y);
        p.rotate(c.angle + 360 * t * c.spin);
        p.scale(1, 0.35 + 0.65 * std::abs(std::cos(turn))); // the flutter of a flat piece
        p.setBrush(c.colour);
        p.drawRect(QRectF(-c.size / 2, -c.size / 3.5, c.size, c.size / 1.75));
        p.restore();
    }
}

void DrawAceFan(QPainter& p, qreal t) {
    const qreal sway = 2.5 * std::sin(Tau * t);
    DrawFan(p, QPointF(188, 232), QRectF(-29, -176, 58, 90), -33 + sway, 22,
            {{Suit::Spades, 0}, {Suit::Hearts, 0}, {Suit::Clubs, 0}, {Suit::Diamonds, 0}}, 2, 70);
}

void DrawBanner(QPainter& p, qreal t) {
    // A ribbon with swallow-tailed ends and the greeting on it.
    const QRectF band(108, 10, 160, 30);
    p.save();
    const qreal lift = 1.2 * std::sin(Tau * t);
    p.translate(0, lift);
    auto tail = [&p](qreal x, qreal dir) {
        QPolygonF poly;
        poly << QPointF(x, 16) << QPointF(x + dir * 26, 16) << QPointF(x + dir * 18, 26)
             << QPointF(x + dir * 26, 36) << QPointF(x, 36);
        p.drawPolygon(poly);
    };
    p.setPen(QPen(QColor(0x5A, 0x10, 0x10), 0.8));
    p.setBrush(QColor(0x9A, 0x1C, 0x1C));
    tail(band.left() + 6, -1);
    tail(band.right() - 6, 1);
    QLinearGradient g(band.topLeft(), band.bottomLeft());
    g.setColorAt(0, QColor(0xE0, 0x3A, 0x32));
    g.setColorAt(1, QColor(0xA8, 0x1E, 0x1E));
    p.setBrush(g);
    p.drawRoundedRect(band, 3, 3);
    p.setPen(QPen(QColor(0xF6, 0xDC, 0x8A, 200), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(band.adjusted(2, 2, -2, -2), 2, 2);
    p.restore();
    DrawLettering(p, band.adjusted(6, 0, -6, 0).translated(0, lift), QStringLiteral("You've Won!"), 21);
}

void DrawFrame(QPainter& p, const Scene& scene, qreal t) {
    DrawSky(p);
    DrawStars(p, scene, t);
    for (const Burst& b : scene.bursts)
        DrawBurst(p, b, t);
    // The table's edge with the fan of Aces standing on it.
    QLinearGradient felt(0, FrameH - 26, 0, FrameH);
    felt.setColorAt(0, colour::FeltLight);
    felt.setColorAt(1, colour::Felt);
    p.fillRect(QRectF(0, FrameH - 22, FrameW, 22), felt);
    p.fillRect(QRectF(0, FrameH - 24, FrameW, 2), QColor(0x8A, 0x5A, 0x2A));
    DrawAceFan(p, t);
    DrawBanner(p, t);
    DrawConfetti(p, scene, t);
}

} // namespace

QImage WinStrip(int scale) {
    const Scene scene;
    QImage strip(FrameW * Frames * scale, FrameH * scale, QImage::Format_RGB32);
    QPainter out(&strip);
    for (int k = 0; k < Frames; ++k) {
        const qreal t = qreal(k) / Frames;
        out.drawImage(FrameW * k * scale, 0,
                      Render(FrameW, FrameH, scale, [&](QPainter& p) { DrawFrame(p, scene, t); }));
    }
    return strip;
}

QImage InfoPicture(int scale) {
    return Render(306, 279, scale, [](QPainter& p) {
        p.fillRect(QRectF(0, 0, 306, 279), colour::Cream);
        // A felt panel in a gold frame.
        const QRectF panel(4, 4, 298, 271);
        p.setPen(QPen(QColor(0xB8, 0x86, 0x2A), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(panel, 12, 12);
        QPainterPath clip;
        clip.addRoundedRect(panel.adjusted(1.5, 1.5, -1.5, -1.5), 11, 11);
        p.save();
        p.setClipPath(clip);
        FillFelt(p, panel);
        // Faint large suit marks in the corners of the felt.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 14));
        p.drawPath(SuitPath(Suit::Spades, QRectF(-20, -14, 90, 90)));
        p.drawPath(SuitPath(Suit::Hearts, QRectF(236, -14, 90, 90)));
        p.drawPath(SuitPath(Suit::Diamonds, QRectF(-20, 200, 90, 90)));
        p.drawPath(SuitPath(Suit::Clubs, QRectF(236, 200, 90, 90)));
        p.restore();
        p.setPen(QPen(QColor(0xF6, 0xDC, 0x8A, 160), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(panel.adjusted(6, 6, -6, -6), 8, 8);

        // A fan of five cards crowned with the jester's cap.
        DrawFan(p, QPointF(153, 246), QRectF(-33, -196, 66, 103), -36, 18,
                {{Suit::Clubs, 10},
                 {Suit::Diamonds, 11},
                 {Suit::Spades, 0},
                 {Suit::Hearts, 12},
                 {Suit::Spades, 9}},
                2);
        DrawCap(p, QPointF(153, 56), 96, 3);
        DrawLettering(p, QRectF(20, 176, 266, 50), QStringLiteral("Quintaro"), 42);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        p.setFont(font);
        p.setPen(QColor(0xEE, 0xE8, 0xD0));
        p.drawText(QRectF(20, 224, 266, 18), Qt::AlignCenter, QStringLiteral("Twelve Games of Patience"));
        DrawSuitRow(p, QPointF(153, 254), 10, 7);
    });
}

} // namespace shellart
