// The selector's previews: each game's opening table in miniature, drawn at the
// places of the game window's own layout, with the game's name beside it.
#include "Art.h"
#include "Pictures.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace shellart {

namespace {

constexpr qreal CardW = 80, CardH = 125; // the large layout's card size
constexpr qreal FaceDownStep = 8;        // the columns' step under face-down cards
constexpr qreal FanStep = 20;            // and under face-up ones

struct Mini {
    enum Kind { Back, Face, Edge, Outline } kind;
    QPointF pos;
    Suit suit = Suit::Spades;
    int rank = 0;
};

// An opening table in the large layout's coordinates. Faces come from a
// shuffled deck (two when the game needs them) so no game shows a pattern.
class Table {
public:
    explicit Table(quint32 seed, int decks = 1) : m_rng(seed) {
        for (int d = 0; d < decks; ++d)
            for (int s = 0; s < 4; ++s)
                for (int r = 0; r < 13; ++r)
                    m_deck.append({static_cast<Suit>(s), r});
        for (qsizetype i = m_deck.size() - 1; i > 0; --i)
            std::swap(m_deck[i], m_deck[m_rng.bounded(int(i + 1))]);
    }

    QList<Mini> cards;

    QPair<Suit, int> next() {
        return m_deck.isEmpty() ? QPair<Suit, int>{Suit::Spades, 0} : m_deck.takeLast();
    }
    void face(qreal x, qreal y) {
        const auto card = next();
        cards.append({Mini::Face, {x, y}, card.first, card.second});
    }
    void face(qreal x, qreal y, Suit suit, int rank) { cards.append({Mini::Face, {x, y}, suit, rank}); }
    void back(qreal x, qreal y) { cards.append({Mini::Back, {x, y}}); }
    void outline(qreal x, qreal y) { cards.append({Mini::Outline, {x, y}}); }
    // A tableau column: face-down cards closely stepped, face-up cards fanned.
    void column(qreal x, qreal y, int down, int up) {
        for (int i = 0; i < down; ++i, y += FaceDownStep)
            back(x, y);
        for (int i = 0; i < up; ++i, y += FanStep)
            face(x, y);
    }
    // A face-down stock of n cards drawn with its offsets: edges, then the top back.
    void stack(qreal x, qreal y, int n, qreal dx, qreal dy) {
        const int layers = std::min(n, 6);
        for (int i = 0; i < layers - 1; ++i) {
            const qreal k = qreal(i) / (layers - 1) * (n - 1);
            cards.append({Mini::Edge, {x + std::trunc(k * dx), y + std::trunc(k * dy)}});
        }
        back(x + std::trunc((n - 1) * dx), y + std::trunc((n - 1) * dy));
    }
    void fanRight(qreal x, qreal y, int n, qreal dx) {
        for (int i = 0; i < n; ++i)
            face(x + i * dx, y);
    }

    QRectF bounds() const {
        QRectF r;
        for (const Mini& m : cards)
            r = r.united(QRectF(m.pos, QSizeF(CardW, CardH)));
        return r;
    }

private:
    QRandomGenerator m_rng;
    QList<QPair<Suit, int>> m_deck;
};

Table Klondike() {
    Table t(101);
    t.stack(8, 8, 24, 1.0, 0.2);
    for (int i = 0; i < 4; ++i)
        t.outline(296 + 96 * i, 8);
    for (int c = 1; c <= 7; ++c)
        t.column(8 + 96 * (c - 1), 152, c - 1, 1);
    return t;
}

Table DoubleKlondike() {
    Table t(102, 2);
    t.stack(8, 8, 59, 0.4, 0.2);
    for (int i = 0; i < 8; ++i)
        t.outline(280 + 88 * i, 8);
    for (int c = 1; c <= 9; ++c)
        t.column(72 + 96 * (c - 1), c >= 8 ? 162 : 160, c - 1, 1);
    return t;
}

Table FortyThieves() {
    Table t(103, 2);
    t.stack(8, 8, 64, 0.4, 0.2);
    for (int c = 0; c < 10; ++c)
        t.column(8 + 88 * c, 160, 0, 4);
    for (int i = 0; i < 8; ++i)
        t.outline(96 + 88 * i, 546);
    return t;
}

Table Indian() {
    Table t(104, 2);
    t.stack(8, 8, 74, 0.4, 0.2);
    for (int c = 0; c < 10; ++c)
        t.column(8 + 88 * c, 160, 1, 2);
    for (int i = 0; i < 8; ++i)
        t.outline(96 + 88 * i, 546);
    return t;
}

Table QueenItaly() {
    Table t(105, 2);
    t.fanRight(344, 8, 11, 12);
    for (int i = 0; i < 8; ++i)
        t.outline(96 + 88 * i, 139);
    for (int c = 0; c < 4; ++c)
        t.face(56 + 88 * c, 272);
    t.stack(12, 552, 89, 0.2, 0.2);
    return t;
}

Table Spider() {
    Table t(106, 2);
    t.stack(8, 8, 50, 0.4, 0.2);
    for (int i = 0; i < 8; ++i)
        t.outline(184 + 88 * i, 6);
    for (int c = 0; c < 10; ++c)
        t.column(8 + 88 * c, 161, c < 4 ? 5 : 4, 1);
    return t;
}

Table FreeCell() {
    Table t(107);
    for (int i = 0; i < 4; ++i) {
        t.outline(8 + 88 * i, 8);
        t.outline(424 + 88 * i, 8);
    }
    for (int c = 0; c < 8; ++c)
        t.column(40 + 88 * c, 140, 0, c < 4 ? 7 : 6);
    return t;
}

Table SeaTowers() {
    Table t(108);
    for (qreal x : {8, 96, 712, 800})
        t.outline(x, 8);
    for (int i = 0; i < 4; ++i)
        t.outline(272 + 88 * i, 8);
    for (int c = 0; c < 10; ++c)
        t.column(8 + 88 * c, 140, 0, 5);
    t.face(360, 8);
    t.face(448, 8);
    return t;
}

Table Castle() {
    Table t(109);
    const qreal tops[] = {8, 144, 280, 416};
    const Suit aces[] = {Suit::Hearts, Suit::Clubs, Suit::Diamonds, Suit::Spades};
    for (int i = 0; i < 4; ++i) {
        t.fanRight(16, tops[i], 6, 12);
        t.face(336, tops[i], aces[i], 0);
        t.fanRight(432, tops[i], 6, 12);
    }
    return t;
}

Table Golf() {
    Table t(110);
    for (int c = 0; c < 7; ++c)
        t.column(24 + 96 * c, 8, 0, 5);
    t.stack(8, 288, 16, 0.4, 0.2);
    t.face(128, 288);
    return t;
}

Table Pyramid() {
    Table t(111);
    const qreal tops[] = {8, 56, 104, 152, 200, 248, 296};
    const QList<QList<qreal>> lefts = {{288},
                                       {240, 328},
                                       {192, 280, 368},
                                       {144, 232, 320, 408},
                                       {104, 192, 280, 368, 456},
                                       {56, 144, 232, 320, 408, 496},
                                       {16, 104, 192, 280, 368, 456, 544}};
    for (int row = 0; row < 7; ++row)
        for (qreal x : lefts[row])
            t.face(x, tops[row]);
    t.stack(136, 432, 24, 0.6, 0.6);
    t.outline(544, 440);
    return t;
}

Table Montana() {
    Table t(112);
    const qreal tops[] = {8, 152, 296, 440};
    // Dealt column by column; the Aces are taken out and leave the gaps.
    for (int c = 0; c < 13; ++c)
        for (int r = 0; r < 4; ++r) {
            const auto card = t.next();
            if (card.second != 0)
                t.face(80 * c, tops[r], card.first, card.second);
        }
    return t;
}

struct Game {
    const char* resource;
    const char* lettering;
    Table (*table)();
};

const Game Games[] = {
    {"CASTLE", "Beleaguered\nCastle", Castle},
    {"DBLKLONDIKE", "Double\nKlondike", DoubleKlondike},
    {"FORTYTHIEVES", "Forty\nThieves", FortyThieves},
    {"FREECELL", "Free Cell", FreeCell},
    {"GOLF", "Golf", Golf},
    {"INDIAN", "Indian\nPatience", Indian},
    {"KLONDIKE", "Klondike", Klondike},
    {"MONTANA", "Montana", Montana},
    {"PYRAMID", "Pyramid", Pyramid},
    {"QUEENITALY", "Queen\nof Italy", QueenItaly},
    {"SEAHAVEN", "Sea\nTowers", SeaTowers},
    {"SPIDER", "Spider", Spider},
};

void DrawMini(QPainter& p, const Mini& m, const QRectF& r) {
    switch (m.kind) {
    case Mini::Back:
        DrawBack(p, r);
        break;
    case Mini::Face:
        DrawFace(p, r, m.suit, m.rank);
        break;
    case Mini::Edge:
        DrawEdge(p, r);
        break;
    case Mini::Outline:
        DrawOutline(p, r);
        break;
    }
}

// Draws the table scaled to fit box (keeping proportions, centred); returns the
// rectangle it used.
QRectF DrawTable(QPainter& p, const Table& table, const QRectF& box) {
    const QRectF content = table.bounds().adjusted(-8, -8, 8, 8);
    const qreal s = std::min(box.width() / content.width(), box.height() / content.height());
    const QSizeF size(content.width() * s, content.height() * s);
    const QPointF origin(box.left(), box.center().y() - size.height() / 2);
    for (const Mini& m : table.cards) {
        const QPointF at = origin + (m.pos - content.topLeft()) * s;
        // Whole pixels keep the tiny cards' edges crisp.
        const QRectF r(std::round(at.x() * 2) / 2, std::round(at.y() * 2) / 2, std::round(CardW * s),
                       std::round(CardH * s));
        DrawMini(p, m, r);
    }
    return QRectF(origin, size);
}

} // namespace

QStringList PreviewNames() {
    QStringList names;
    for (const Game& g : Games)
        names << QString::fromLatin1(g.resource);
    return names;
}

QImage GamePreview(const QString& name, int scale) {
    const auto* game = std::find_if(std::begin(Games), std::end(Games),
                                    [&name](const Game& g) { return name == QLatin1String(g.resource); });
    if (game == std::end(Games))
        return {};
    return Render(320, 125, scale, [game](QPainter& p) {
        FillFelt(p, QRectF(0, 0, 320, 125));
        const QRectF used = DrawTable(p, game->table(), QRectF(4, 4, 196, 117));
        const qreal left = used.right() + 6;
        const QRectF text(left, 10, 316 - left, 80);
        DrawLettering(p, text, QString::fromLatin1(game->lettering), 23);
        DrawSuitRow(p, QPointF(text.center().x(), 103), 9, 5);
        // Fine rules either side of the suits.
        p.setPen(QPen(QColor(0xF6, 0xDC, 0x8A, 150), 0.7));
        const qreal cx = text.center().x();
        p.drawLine(QPointF(cx - 44, 103), QPointF(cx - 32, 103));
        p.drawLine(QPointF(cx + 32, 103), QPointF(cx + 44, 103));
    });
}

QImage StartupPicture(int scale) {
    return Render(320, 125, scale, [](QPainter& p) {
        FillFelt(p, QRectF(0, 0, 320, 125));
        // A fan of the four Aces and the King of hearts, with the jester's cap on top.
        DrawFan(
            p, QPointF(68, 160), QRectF(-20, -130, 40, 63), -24, 12,
            {{Suit::Spades, 0}, {Suit::Diamonds, 0}, {Suit::Clubs, 0}, {Suit::Hearts, 0}, {Suit::Hearts, 12}},
            1.5);
        DrawCap(p, QPointF(68, 27), 60, -5);
        DrawLettering(p, QRectF(136, 14, 178, 56), QStringLiteral("Quintaro"), 42);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        p.setFont(font);
        p.setPen(QColor(0xEE, 0xE8, 0xD0));
        p.drawText(QRectF(136, 72, 178, 18), Qt::AlignCenter, QStringLiteral("Twelve Games of Patience"));
        DrawSuitRow(p, QPointF(225, 101), 10, 6);
    });
}

QImage CardSizePreview(bool large, int scale) {
    // The same few cards at the two sizes, both at the same reduction, so the
    // difference reads at a glance.
    const qreal s = 0.55;
    const qreal w = (large ? 80 : 61) * s, h = (large ? 125 : 95) * s;
    const qreal step = (large ? 20 : 16) * s, downStep = (large ? 8 : 6) * s;
    return Render(150, 110, scale, [=](QPainter& p) {
        FillFelt(p, QRectF(0, 0, 150, 110));
        const qreal gap = 6;
        qreal x = 8;
        // A column with a face-down card, a fan of three and a single card.
        DrawBack(p, QRectF(x, 8, w, h));
        DrawFace(p, QRectF(x, 8 + downStep, w, h), Suit::Hearts, 11);
        x += w + gap;
        DrawFace(p, QRectF(x, 8, w, h), Suit::Spades, 9);
        DrawFace(p, QRectF(x, 8 + step, w, h), Suit::Diamonds, 8);
        DrawFace(p, QRectF(x, 8 + 2 * step, w, h), Suit::Clubs, 7);
        x += w + gap;
        DrawFace(p, QRectF(x, 8, w, h), Suit::Hearts, 0);
    });
}

} // namespace shellart
