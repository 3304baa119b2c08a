#include "cards/TCard.h"

#include "cards/Resources.h"

#include <QPainter>

#include <algorithm>

int TCard::s_cardSize = TCard::NoSize;
int TCard::s_backIndex = 0;
bool TCard::s_loaded = false;
bool TCard::s_lowColor = false;
qreal TCard::s_ratio = 1.0;
int TCard::s_live = 0;

namespace {

std::array<QImage, 52>& Faces() {
    static std::array<QImage, 52> faces;
    return faces;
}

// Pip positions "A".."Q", rewritten by each loader for its size.
std::array<QRect, 17>& PipTable() {
    static std::array<QRect, 17> table;
    return table;
}

constexpr QPoint LargePips[17] = {{13, 13}, {30, 13}, {47, 13}, {30, 26}, {30, 33}, {13, 40},
                                  {47, 40}, {13, 52}, {30, 52}, {47, 52}, {13, 65}, {47, 65},
                                  {30, 72}, {30, 79}, {13, 91}, {30, 91}, {47, 91}};
constexpr QPoint SmallPips[17] = {{9, 9},   {21, 9},  {33, 9},  {21, 19}, {21, 24}, {9, 29},
                                  {33, 29}, {9, 38},  {21, 38}, {33, 38}, {9, 47},  {33, 47},
                                  {21, 52}, {21, 57}, {9, 66},  {21, 66}, {33, 66}};
constexpr int PipW = 20;
constexpr int PipH = 21;

const char* const PipPatterns[10] = {"I",      "BP",      "BIP",      "ACOQ",      "ACIOQ",
                                     "ACHJOQ", "ACEHJOQ", "ACEHJMOQ", "ACFGIKLOQ", "ACDFGKLNOQ"};

const char SuitLetter[4] = {'C', 'S', 'D', 'H'};

enum class Op { Copy, And };

// Copies a rectangle of src to (x, y) of dst, either plainly or by a bitwise
// AND of the pixels, so a pip's white surround never erases its neighbour.
void Blit(QImage& dst, int x, int y, const QImage& src, const QRect& from, Op op) {
    // The columns that lie inside both pictures.
    const int first = std::max({0, -x, -from.x()});
    const int last = std::min({from.width(), dst.width() - x, src.width() - from.x()});
    if (last <= first)
        return;
    for (int row = 0; row < from.height(); ++row) {
        const int dy = y + row;
        const int sy = from.y() + row;
        if (dy < 0 || dy >= dst.height() || sy < 0 || sy >= src.height())
            continue;
        QRgb* d = reinterpret_cast<QRgb*>(dst.scanLine(dy)) + x + first;
        const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(sy)) + from.x() + first;
        const int count = last - first;
        if (op == Op::Copy)
            for (int col = 0; col < count; ++col)
                d[col] = s[col] | 0xFF000000u;
        else
            for (int col = 0; col < count; ++col)
                d[col] = (d[col] & s[col]) | 0xFF000000u;
    }
}

void BlitAll(QImage& dst, int x, int y, const QImage& src, Op op) {
    Blit(dst, x, y, src, src.rect(), op);
}

QImage LoadRgb(const QString& name) {
    return Resources::Image(name).convertToFormat(QImage::Format_RGB32);
}

// Above scale 1 the card-shaped pictures carry their corners' coverage in an
// alpha channel instead of a key colour.
QImage LoadArgb(const QString& name) {
    return Resources::Image(name).convertToFormat(QImage::Format_ARGB32);
}

// Pixels of the bottom-left pixel's colour are not drawn, so the table shows
// through the corners outside the card's rounded outline.
QImage WithAutoTransparency(const QImage& rgb) {
    QImage out = rgb.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull())
        return out;
    const QRgb key = out.pixel(0, out.height() - 1) | 0xFF000000u;
    const int width = out.width();
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The composed colours with the blank card's alpha channel, premultiplied.
QImage WithAlphaOf(const QImage& rgb, const QImage& argb) {
    QImage out(rgb.size(), QImage::Format_ARGB32_Premultiplied);
    const int width = out.width();
    for (int y = 0; y < out.height(); ++y) {
        const auto* colour = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        const auto* alpha = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const uint a = qAlpha(alpha[x]);
            line[x] = a == 255 ? colour[x] | 0xFF000000u
                      : a == 0 ? 0u
                               : qPremultiply((colour[x] & 0x00FFFFFFu) | (a << 24));
        }
    }
    return out;
}

// A finished picture of scale times the card's pixels, ready for a screen of `ratio`.
QImage ForRatio(const QImage& image, int scale, qreal ratio) {
    return Resources::Resized(image, scale, scale == 1 ? 1.0 : ratio);
}

struct Geometry {
    QPoint rank, rankDown, suit, aceSuit, suitDown, aceSuitDown, picture;
    bool aceOfSpadesHasExtras;
    Op pictureOp;
};

constexpr Geometry LargeGeometry{{3, 6},    {69, 106}, {2, 20}, {12, 7}, {69, 92},
                                 {60, 107}, {12, 11},  false,   Op::Copy};
constexpr Geometry SmallGeometry{{2, 3},   {51, 78}, {2, 17}, {11, 4}, {50, 64},
                                 {41, 79}, {7, 10},  true,    Op::And};

} // namespace

TCard::TCard() : TCard(FS_CLUBS, FS_ACE, 0) {
}

TCard::TCard(_CardSuit suit, _CardValue value) : TCard(suit, value, 0) {
}

TCard::TCard(_CardSuit suit, _CardValue value, int faceUp)
    : Suit(suit), Value(value), Color(FS_BLACK), FaceUp(faceUp != 0) {
    ++s_live;
}

TCard::~TCard() {
    --s_live;
}

_CardColor TCard::GetCardColor() {
    Color = (Suit == FS_CLUBS || Suit == FS_SPADES) ? FS_BLACK : FS_RED;
    return Color;
}

const QImage* TCard::GetCardBitmap() const {
    return &Faces()[Suit * 13 + Value];
}

void TCard::DrawCardOnCanvas(QPoint at, QPainter& canvas) const {
    const QImage& image = FaceUp ? Faces()[Suit * 13 + Value] : Backs()[s_backIndex];
    if (image.isNull())
        return;
    // Copied pixel for pixel when the image suits the canvas; smoothly resized
    // when it does not (a window on a screen of another ratio).
    const QTransform& device = canvas.deviceTransform();
    if (device.type() <= QTransform::TxScale && qAbs(device.m11() - image.devicePixelRatio()) < 0.001 &&
        qAbs(device.m22() - image.devicePixelRatio()) < 0.001) {
        canvas.drawImage(at, image);
        return;
    }
    const bool smooth = canvas.testRenderHint(QPainter::SmoothPixmapTransform);
    canvas.setRenderHint(QPainter::SmoothPixmapTransform);
    canvas.drawImage(at, image);
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

std::array<QImage, 4>& TCard::Backs() {
    static std::array<QImage, 4> backs;
    return backs;
}

std::array<QImage, 2>& TCard::PileMarks() {
    static std::array<QImage, 2> marks;
    return marks;
}

const QImage& TCard::FaceImage(_CardSuit suit, _CardValue value) {
    return Faces()[suit * 13 + value];
}

const QRect& TCard::PipRect(char letter) {
    return PipTable()[letter - 'A'];
}

void TCard::SetCustomBack(const QImage& image) {
    if (image.isNull())
        Backs()[3] = QImage();
    else if (image.hasAlphaChannel())
        Backs()[3] = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    else
        Backs()[3] = WithAutoTransparency(image.convertToFormat(QImage::Format_RGB32));
}

int TCard::SourceScale(bool lowColor) {
    // The low-colour pictures exist at scale 1 only.
    return lowColor ? 1 : Resources::BestScale(QStringLiteral("FS_BORDER"), s_ratio);
}

void TCard::SetDevicePixelRatio(qreal ratio) {
    ratio = ratio > 1.0 ? std::min<qreal>(ratio, 8.0) : 1.0; // also catches NaN
    if (qFuzzyCompare(ratio, s_ratio))
        return;
    s_ratio = ratio;
    if (!s_loaded)
        return;
    // The player's back was composed for the old ratio; it is resized rather
    // than lost.
    const QImage custom = Backs()[3];
    ComposeFaces(s_cardSize == FS_SMALL, s_lowColor);
    if (!custom.isNull()) {
        const qreal from = custom.devicePixelRatio();
        const QSize target(qRound(custom.width() / from * ratio), qRound(custom.height() / from * ratio));
        QImage resized = custom.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        resized.setDevicePixelRatio(ratio);
        Backs()[3] = resized;
    }
    if (!PileMarks()[0].isNull() || !PileMarks()[1].isNull()) {
        for (QImage& mark : PileMarks())
            mark = QImage();
        LoadPileMarks(s_lowColor);
    }
}

void TCard::ComposeFaces(bool small, bool lowColor) {
    const Geometry& g = small ? SmallGeometry : LargeGeometry;
    const QPoint* pips = small ? SmallPips : LargePips;
    for (int i = 0; i < 17; ++i)
        PipTable()[i] = QRect(pips[i], QSize(PipW, PipH));

    // Scale 1 keeps the classic pictures and method (key-colour corners, the
    // small cards' 16-colour pictures); a higher scale draws the same geometry
    // k times larger, from full-colour pictures at that scale, small cards
    // included, with corners from the blank's alpha channel.
    const int k = SourceScale(lowColor);
    const QString sizePrefix = small ? "FS_s" : "FS_";
    auto name = [&](const QString& base) { return Resources::ScaledName(sizePrefix + base, k); };
    const QImage blank = k == 1 ? LoadRgb(small ? "FS_sBORDER" : "FS_BORDER") : LoadArgb(name("BORDER"));
    const QImage sheet =
        k == 1 ? LoadRgb(small || lowColor ? "FS_SYMBOLS_16" : "FS_SYMBOLS") : LoadRgb(name("SYMBOLS"));
    const QImage blankRgb = blank.convertToFormat(QImage::Format_RGB32);
    const QString lowSuffix = k == 1 && (small || lowColor) ? "_16" : "";
    auto at = [k](QPoint p) { return p * k; };
    auto part = [k](int x, int y, int w, int h) { return QRect(x * k, y * k, w * k, h * k); };

    for (int s = FS_CLUBS; s <= FS_HEARTS; ++s) {
        const bool red = s == FS_DIAMONDS || s == FS_HEARTS;
        for (int v = FS_ACE; v <= FS_KING; ++v) {
            QImage face = blankRgb.copy();
            const int glyphX = 16 * v + (red ? 8 : 0);
            const bool aceOfSpades = v == FS_ACE && s == FS_SPADES;
            const bool aceExtras = v == FS_ACE && (!aceOfSpades || g.aceOfSpadesHasExtras);
            const QRect suitRect = part(10 * s, 52, 10, 12);
            const QRect suitDownRect = part(40 + 10 * s, 52, 10, 12);
            auto blit = [&](QPoint to, const QRect& from, Op op) {
                Blit(face, to.x(), to.y(), sheet, from, op);
            };

            blit(at(g.rank), part(glyphX, 0, 8, 14), Op::Copy);
            blit(at(g.rankDown), part(glyphX, 15, 8, 14), Op::Copy);
            blit(at(g.suit), suitRect, Op::Copy);
            if (aceExtras)
                blit(at(g.aceSuit), suitRect, Op::Copy);
            blit(at(g.suitDown), suitDownRect, Op::Copy);
            if (aceExtras)
                blit(at(g.aceSuitDown), suitDownRect, Op::Copy);

            if (v >= FS_JACK || aceOfSpades) {
                static const char* const court[] = {"JACK", "QUEEN", "KING"};
                const QString what = aceOfSpades ? QStringLiteral("ACE") : QString(court[v - FS_JACK]);
                const QImage picture = LoadRgb(k == 1 ? sizePrefix + what + SuitLetter[s] + lowSuffix
                                                      : name(what + SuitLetter[s]));
                BlitAll(face, g.picture.x() * k, g.picture.y() * k, picture, g.pictureOp);
            } else {
                for (const char* p = PipPatterns[v]; *p; ++p) {
                    const QRect& pipAt = PipTable()[*p - 'A'];
                    const bool lower = *p >= 'K';
                    blit(at(pipAt.topLeft()), part(lower ? 80 + 20 * s : 20 * s, 30, PipW, PipH), Op::And);
                }
            }
            Faces()[s * 13 + v] =
                k == 1 ? WithAutoTransparency(face) : ForRatio(WithAlphaOf(face, blank), k, s_ratio);
        }
    }

    for (int b = 0; b < 3; ++b) {
        const QString back = "BACK" + QString::number(b + 1);
        Backs()[b] = k == 1
                         ? WithAutoTransparency(LoadRgb(sizePrefix + back + (lowColor ? "_16" : "")))
                         : ForRatio(LoadArgb(name(back)).convertToFormat(QImage::Format_ARGB32_Premultiplied),
                                    k, s_ratio);
    }
    Backs()[3] = QImage();
    s_lowColor = lowColor;
    s_loaded = true;
}

void TCard::LoadCardBitmaps(bool lowColor) {
    if (s_loaded)
        return;
    ComposeFaces(false, lowColor);
}

void TCard::LoadSmallCardBitmaps(bool lowColor) {
    if (s_loaded)
        return;
    ComposeFaces(true, lowColor);
}

void TCard::FreeCardBitmaps() {
    for (QImage& face : Faces())
        face = QImage();
    for (QImage& back : Backs())
        back = QImage();
    for (QImage& mark : PileMarks())
        mark = QImage();
    s_loaded = false;
}

void TCard::LoadPileMarks(bool lowColor) {
    auto& marks = PileMarks();
    if (!marks[0].isNull() && !marks[1].isNull())
        return;
    const bool small = s_cardSize == FS_SMALL;
    const QString prefix = small ? "FS_s" : "FS_";
    const int k = SourceScale(lowColor);
    auto load = [&](const QString& base) {
        if (k == 1)
            return WithAutoTransparency(LoadRgb(prefix + base + (lowColor ? "_16" : "")));
        const QImage mark = LoadArgb(Resources::ScaledName(prefix + base, k));
        return ForRatio(mark.convertToFormat(QImage::Format_ARGB32_Premultiplied), k, s_ratio);
    };
    marks[0] = load("RECYCLE");
    marks[1] = load("EMPTY");
}

void TCard::SetCardSize(_CardSize size, bool lowColor) {
    if (static_cast<int>(size) == s_cardSize)
        return;
    FreeCardBitmaps();
    if (size == FS_SMALL) {
        s_cardSize = FS_SMALL;
        LoadSmallCardBitmaps(lowColor);
    } else {
        s_cardSize = FS_LARGE;
        LoadCardBitmaps(lowColor);
    }
    LoadPileMarks(lowColor);
}
