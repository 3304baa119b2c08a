#include "Art.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cstring>

namespace shellart {

namespace {
// Sixteen samples a pixel at scale 1; a higher scale has finer pixels already.
int Supersample(int scale) {
    return std::max(2, 4 / scale);
}
} // namespace

QImage Render(int width, int height, int scale, const std::function<void(QPainter&)>& draw,
              bool transparent) {
    const int factor = scale * Supersample(scale);
    QImage big(width * factor, height * factor, QImage::Format_ARGB32_Premultiplied);
    big.fill(transparent ? QColor(Qt::transparent) : QColor(Qt::black));
    {
        QPainter p(&big);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                         QPainter::SmoothPixmapTransform);
        p.scale(factor, factor);
        draw(p);
    }
    const QImage small =
        big.scaled(width * scale, height * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return small.convertToFormat(transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

QImage LowColour(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[line[x] | 0xFF000000u];
    }
    // Most frequent colours first; ties broken by value so the palette never
    // depends on hash order.
    QList<QPair<int, QRgb>> byCount;
    byCount.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byCount.append({it.value(), it.key()});
    std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    // Popular colours, but spread out: a colour too close to one already taken
    // is skipped, and the spacing loosens until the palette is full.
    QList<QRgb> palette;
    auto near = [&palette](QRgb c, int limit) {
        for (QRgb q : palette) {
            const int dr = qRed(c) - qRed(q), dg = qGreen(c) - qGreen(q), db = qBlue(c) - qBlue(q);
            if (dr * dr + dg * dg + db * db < limit)
                return true;
        }
        return false;
    };
    // Colours covering a good share of the picture (flat areas, the felt's
    // gradient steps) are kept exactly.
    const qsizetype common = qsizetype(rgb.width()) * rgb.height() / 1500;
    for (const auto& entry : byCount) {
        if (entry.first < common || palette.size() >= 192)
            break;
        palette.append(entry.second);
    }
    for (int spacing : {24, 12, 6, 3, 0}) {
        for (const auto& entry : byCount) {
            if (palette.size() >= 256)
                break;
            if (!palette.contains(entry.second) && (spacing == 0 || !near(entry.second, spacing * spacing)))
                palette.append(entry.second);
        }
    }
    QImage indexed =
        rgb.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither | Qt::AvoidDither);
    // Rows are padded to four bytes and a bitmap file keeps the padding as it
    // lies in memory, uninitialised: cleared, the same picture always gives the
    // same file.
    for (int y = 0; y < indexed.height(); ++y)
        std::memset(indexed.scanLine(y) + indexed.width(), 0,
                    size_t(indexed.bytesPerLine() - indexed.width()));
    return indexed;
}

QPainterPath SuitPath(Suit suit, const QRectF& r) {
    auto pt = [&r](qreal x, qreal y) { return QPointF(r.left() + x * r.width(), r.top() + y * r.height()); };
    auto circle = [&](qreal x, qreal y, qreal rad) {
        QPainterPath c;
        c.addEllipse(pt(x, y), rad * r.width(), rad * r.height());
        return c;
    };
    auto polygon = [&](std::initializer_list<QPointF> points) {
        QPolygonF poly;
        for (const QPointF& q : points)
            poly << pt(q.x(), q.y());
        QPainterPath path;
        path.addPolygon(poly);
        path.closeSubpath();
        return path;
    };
    QPainterPath path;
    switch (suit) {
    case Suit::Diamonds:
        path = polygon({{0.5, 0.0}, {0.88, 0.5}, {0.5, 1.0}, {0.12, 0.5}});
        break;
    case Suit::Hearts:
        path = circle(0.28, 0.3, 0.24)
                   .united(circle(0.72, 0.3, 0.24))
                   .united(polygon({{0.053, 0.39}, {0.5, 0.97}, {0.947, 0.39}, {0.5, 0.25}}));
        break;
    case Suit::Spades:
        path = circle(0.28, 0.58, 0.22)
                   .united(circle(0.72, 0.58, 0.22))
                   .united(polygon({{0.072, 0.52}, {0.5, 0.0}, {0.928, 0.52}, {0.5, 0.7}}))
                   .united(polygon({{0.5, 0.62}, {0.32, 1.0}, {0.68, 1.0}}));
        break;
    case Suit::Clubs:
        path = circle(0.5, 0.25, 0.21)
                   .united(circle(0.26, 0.57, 0.21))
                   .united(circle(0.74, 0.57, 0.21))
                   .united(circle(0.5, 0.5, 0.12))
                   .united(polygon({{0.5, 0.5}, {0.32, 1.0}, {0.68, 1.0}}));
        break;
    }
    return path.simplified();
}

bool IsRed(Suit suit) {
    return suit == Suit::Diamonds || suit == Suit::Hearts;
}

QColor SuitColour(Suit suit) {
    return IsRed(suit) ? colour::CardRed : colour::CardBlack;
}

QString RankText(int rank) {
    static const char* const names[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    return QString::fromLatin1(names[std::clamp(rank, 0, 12)]);
}

qreal CardRadius(const QRectF& r) {
    return std::max<qreal>(1.0, r.width() * 0.09);
}

void DrawFan(QPainter& p, const QPointF& pivot, const QRectF& card, qreal firstAngle, qreal step,
             std::initializer_list<FanCard> cards, qreal shadow, int shadowAlpha) {
    int i = 0;
    for (const FanCard& face : cards) {
        p.save();
        p.translate(pivot);
        p.rotate(firstAngle + step * i++);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, shadowAlpha));
        p.drawRoundedRect(card.translated(shadow, shadow), CardRadius(card), CardRadius(card));
        DrawFace(p, card, face.suit, face.rank);
        p.restore();
    }
}

void DrawFace(QPainter& p, const QRectF& r, Suit suit, int rank) {
    const qreal w = r.width();
    const qreal rad = CardRadius(r);
    p.save();
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), std::min<qreal>(1.0, w / 16.0)));
    p.setBrush(colour::CardWhite);
    p.drawRoundedRect(r.adjusted(0.25, 0.25, -0.25, -0.25), rad, rad);
    const QColor ink = SuitColour(suit);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    if (w < 14 || rank < 0) {
        // Too small for an index (or asked for none): one clear suit mark.
        const qreal s = w * (rank < 0 ? 0.56 : 0.62);
        p.drawPath(SuitPath(suit, QRectF(r.center().x() - s / 2, r.center().y() - s / 2, s, s)));
    } else if (w < 30) {
        // Miniature: the rank in the corner, the suit at the other end.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(std::max(4, int(r.height() * 0.27)));
        if (rank == 9)
            font.setStretch(QFont::Condensed);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(QRectF(r.left() + w * 0.06, r.top() + r.height() * 0.03, w * 0.42, r.height() * 0.3),
                   Qt::AlignHCenter | Qt::AlignTop, RankText(rank));
        p.setPen(Qt::NoPen);
        const qreal s = w * 0.48;
        p.drawPath(SuitPath(suit, QRectF(r.right() - s - w * 0.1, r.bottom() - s - w * 0.12, s, s)));
    } else {
        // A full face: a slim index in the corner, a framed court or a large pip.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(std::max(4, int(r.height() * 0.15)));
        font.setStretch(rank == 9 ? QFont::ExtraCondensed : QFont::SemiCondensed);
        const QRectF index(r.left() + w * 0.03, r.top() + r.height() * 0.03, w * 0.22, r.height() * 0.2);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(index, Qt::AlignHCenter | Qt::AlignTop, RankText(rank));
        p.setPen(Qt::NoPen);
        const qreal small = w * 0.15;
        p.drawPath(SuitPath(suit, QRectF(index.center().x() - small / 2,
                                         index.top() + font.pixelSize() * 1.05, small, small)));
        if (rank >= 10) {
            const QRectF frame = r.adjusted(w * 0.27, r.height() * 0.12, -w * 0.27, -r.height() * 0.12);
            p.setPen(QPen(QColor(0xD9, 0xA4, 0x2B), w / 40.0));
            p.setBrush(QColor(0xFF, 0xF3, 0xD0));
            p.drawRect(frame);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            const qreal s = frame.width() * 0.7;
            p.drawPath(SuitPath(suit, QRectF(frame.center().x() - s / 2, frame.center().y() - s / 2, s, s)));
        } else {
            const qreal s = w * (rank == 0 ? 0.48 : 0.4);
            p.drawPath(SuitPath(suit, QRectF(r.center().x() - s / 2, r.center().y() - s / 2, s, s)));
        }
    }
    p.restore();
}

void DrawBack(QPainter& p, const QRectF& r) {
    const qreal w = r.width();
    const qreal rad = CardRadius(r);
    p.save();
    p.setPen(QPen(QColor(0x30, 0x30, 0x40), std::min<qreal>(1.0, w / 16.0)));
    p.setBrush(colour::CardWhite);
    p.drawRoundedRect(r.adjusted(0.25, 0.25, -0.25, -0.25), rad, rad);
    const qreal margin = w < 24 ? 0.7 : w * 0.08;
    const QRectF inner = r.adjusted(margin, margin, -margin, -margin);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::BackBlue);
    p.drawRoundedRect(inner, rad * 0.6, rad * 0.6);
    if (w >= 12) {
        // A diamond lattice, the classic back.
        p.setClipRect(inner);
        p.setPen(QPen(QColor(0x7A, 0x9C, 0xE0), std::max<qreal>(0.35, w / 50.0)));
        const qreal step = std::max<qreal>(2.5, w / 7.0);
        for (qreal d = -inner.height(); d < inner.width() + inner.height(); d += step) {
            p.drawLine(QPointF(inner.left() + d, inner.top()),
                       QPointF(inner.left() + d + inner.height(), inner.bottom()));
            p.drawLine(QPointF(inner.left() + d, inner.bottom()),
                       QPointF(inner.left() + d + inner.height(), inner.top()));
        }
        p.setClipping(false);
    }
    p.restore();
}

void DrawEdge(QPainter& p, const QRectF& r) {
    const qreal rad = CardRadius(r);
    p.save();
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), std::min<qreal>(0.8, r.width() / 16.0)));
    p.setBrush(QColor(0xE8, 0xE6, 0xDE));
    p.drawRoundedRect(r.adjusted(0.25, 0.25, -0.25, -0.25), rad, rad);
    p.restore();
}

void DrawOutline(QPainter& p, const QRectF& r) {
    const qreal rad = CardRadius(r);
    p.save();
    p.setPen(QPen(QColor(0x9C, 0xCC, 0x9C, 190), std::min<qreal>(1.0, r.width() / 14.0)));
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), rad, rad);
    p.restore();
}

void FillFelt(QPainter& p, const QRectF& r) {
    QRadialGradient g(r.center(), std::max(r.width(), r.height()) * 0.62);
    g.setColorAt(0.0, colour::FeltLight);
    g.setColorAt(1.0, colour::Felt);
    p.fillRect(r, g);
}

void DrawLettering(QPainter& p, const QRectF& rect, const QString& text, int pixelSize, const QColor& colour,
                   const QString& family, bool bold) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    QFont font(family);
    font.setBold(bold);
    font.setPixelSize(pixelSize);
    // Shrink until every line fits the width and all lines fit the height.
    for (;;) {
        const QFontMetricsF fm(font);
        qreal widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, fm.horizontalAdvance(line));
        if ((widest <= rect.width() && fm.height() * lines.size() <= rect.height() + 2) ||
            font.pixelSize() <= 6)
            break;
        font.setPixelSize(font.pixelSize() - 1);
    }
    const QFontMetricsF fm(font);
    const qreal lineHeight = fm.ascent() + fm.descent() * 0.6;
    const qreal total = lineHeight * lines.size();
    QPainterPath path;
    qreal baseline = rect.center().y() - total / 2 + fm.ascent();
    for (const QString& line : lines) {
        path.addText(QPointF(rect.center().x() - fm.horizontalAdvance(line) / 2, baseline), font, line);
        baseline += lineHeight;
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(path.translated(0.9, 1.1));
    const QRectF box = path.boundingRect();
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0.0, colour.lighter(118));
    g.setColorAt(0.55, colour);
    g.setColorAt(1.0, colour.darker(125));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x4A, 0x32, 0x10, 150), std::max<qreal>(0.3, font.pixelSize() / 40.0)));
    p.drawPath(path);
    p.restore();
}

void DrawSuitRow(QPainter& p, const QPointF& centre, qreal size, qreal gap) {
    const Suit order[] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
    const qreal total = 4 * size + 3 * gap;
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const QRectF sq(centre.x() - total / 2 + i * (size + gap), centre.y() - size / 2, size, size);
        p.setBrush(IsRed(order[i]) ? QColor(0xE8, 0x4A, 0x40) : QColor(0xF6, 0xEE, 0xD8));
        p.drawPath(SuitPath(order[i], sq));
    }
    p.restore();
}

} // namespace shellart
