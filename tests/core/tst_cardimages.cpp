#include "cards/Resources.h"
#include "cards/TCard.h"

#include <QPainter>
#include <QSet>
#include <QTest>

// The card pictures compiled into the program, and the faces composed from them.
class TestCardImages : public QObject {
    Q_OBJECT
private slots:
    void firstSetCardSizeLoadsWhateverTheSize();
    void sameSizeWithOtherLowColourFlagKeepsTheImages();
    void changeOfSizeRebuildsEverythingAndEmptiesTheCustomBack();
    void freeCardBitmapsLeavesAllNullAndTheSizeUnchanged();
    void everyPictureExistsAtItsExactSize();
    void lowColourPicturesUseAtMostSixteenColours();
    void keyColourAppearsOnlyOutsideTheCardOutline();
    void cornersAreTransparentAndTheRestOfEveryCardOpaque();
    void largeTenOfHeartsCarriesTenPipsTheLowerSixTurned();
    void largeAceOfDiamondsHasOnePipAndTwoExtraSymbols();
    void largeAceOfSpadesShowsItsPictureWithoutExtras();
    void everySmallAceHasBothExtraSymbols();
    void smallPicturesLeaveEveryCornerIndexUntouched();

private:
    static void Reload(_CardSize size, bool lowColor);
};

namespace {

QImage Rgb(const QImage& image, const QRect& r) {
    return image.copy(r).convertToFormat(QImage::Format_RGB32);
}

QImage Resource(const QString& name) {
    return Resources::Image(name).convertToFormat(QImage::Format_RGB32);
}

// The blank card with one rectangle of src ANDed in at `at`, as the pips are combined.
void AndInto(QImage& dst, QPoint at, const QImage& src, const QRect& from) {
    for (int y = 0; y < from.height(); ++y)
        for (int x = 0; x < from.width(); ++x) {
            const QRgb d = dst.pixel(at.x() + x, at.y() + y);
            const QRgb s = src.pixel(from.x() + x, from.y() + y);
            dst.setPixel(at.x() + x, at.y() + y, (d & s) | 0xFF000000u);
        }
}

bool IsWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu)
                return false;
    return true;
}

QStringList CourtNames() {
    QStringList names;
    for (const char* rank : {"JACK", "QUEEN", "KING"})
        for (const char* suit : {"C", "S", "D", "H"})
            names << QString(rank) + suit;
    return names;
}

struct Named {
    QString name;
    QSize size;
    bool hasLow;
    bool hasFull;
};

// Every picture the card model and the preferences load, with its size.
QList<Named> AllPictures() {
    const QSize large(80, 125), small(61, 95), picture(56, 103), smallPicture(47, 75);
    QList<Named> all = {
        {"FS_BORDER", large, false, true},       {"FS_sBORDER", small, false, true},
        {"BORDER", large, false, true},          {"sBORDER", small, false, true},
        {"FS_SYMBOLS", {224, 74}, true, true},   {"FS_ACES", picture, true, true},
        {"FS_sACES", smallPicture, true, false}, {"FS_RECYCLE", large, true, true},
        {"FS_sRECYCLE", small, true, true},      {"FS_EMPTY", large, true, true},
        {"FS_sEMPTY", small, true, true},
    };
    for (int b = 1; b <= 3; ++b) {
        all.append({QString("FS_BACK%1").arg(b), large, true, true});
        all.append({QString("FS_sBACK%1").arg(b), small, true, true});
    }
    for (const QString& court : CourtNames()) {
        all.append({"FS_" + court, picture, true, true});
        all.append({"FS_s" + court, smallPicture, true, false});
    }
    return all;
}

// Distance from (x, y) to the nearest corner of a w x h picture, along each axis.
bool NearACorner(int x, int y, int w, int h, int reach) {
    const bool left = x < reach, right = x >= w - reach, top = y < reach, bottom = y >= h - reach;
    return (left || right) && (top || bottom);
}

const QRect SmallSymbolRect(int suit) {
    return QRect(10 * suit, 52, 10, 12);
}
const QRect SmallSymbolDownRect(int suit) {
    return QRect(40 + 10 * suit, 52, 10, 12);
}

} // namespace

void TestCardImages::Reload(_CardSize size, bool lowColor) {
    // SetCardSize keeps the images of an unchanged size, so pass through the other one.
    TCard::SetCardSize(size == FS_SMALL ? FS_LARGE : FS_SMALL, lowColor);
    TCard::SetCardSize(size, lowColor);
}

// Before any call the size is "none", so even the small size loads at once.
void TestCardImages::firstSetCardSizeLoadsWhateverTheSize() {
    QCOMPARE(TCard::GetCardSize(), int(TCard::NoSize));
    QVERIFY(TCard::FaceImage(FS_CLUBS, FS_ACE).isNull());
    TCard::SetCardSize(FS_SMALL, false);
    QCOMPARE(TCard::GetCardSize(), int(FS_SMALL));
    QVERIFY(TCard::IsLoaded());
    QCOMPARE(TCard::FaceImage(FS_HEARTS, FS_KING).size(), QSize(61, 95));
    QCOMPARE(TCard::PileMarks()[0].size(), QSize(61, 95));
}

// A second call with the same size keeps the first images even when the low-colour flag changes.
void TestCardImages::sameSizeWithOtherLowColourFlagKeepsTheImages() {
    Reload(FS_LARGE, false);
    const QImage king = TCard::FaceImage(FS_SPADES, FS_KING);
    const QImage back = *TCard().GetBackImage(0);
    TCard::SetCardSize(FS_LARGE, true);
    QCOMPARE(TCard::FaceImage(FS_SPADES, FS_KING).cacheKey(), king.cacheKey());
    QCOMPARE(TCard().GetBackImage(0)->cacheKey(), back.cacheKey());

    // The flag does matter when the images are built: the low-colour King differs.
    Reload(FS_LARGE, true);
    QVERIFY(TCard::FaceImage(FS_SPADES, FS_KING) != king);
    QCOMPARE(TCard::FaceImage(FS_SPADES, FS_KING).size(), king.size());
}

// A new size frees and rebuilds faces, backs and marks; the custom back starts empty.
void TestCardImages::changeOfSizeRebuildsEverythingAndEmptiesTheCustomBack() {
    Reload(FS_LARGE, false);
    TCard::SetCustomBack(Resource("BORDER"));
    QVERIFY(!TCard().GetBackImage(3)->isNull());
    TCard::SetCardSize(FS_SMALL, false);
    QCOMPARE(TCard::GetCardSize(), int(FS_SMALL));
    TCard card;
    for (int s = FS_CLUBS; s <= FS_HEARTS; ++s)
        for (int v = FS_ACE; v <= FS_KING; ++v)
            QCOMPARE(TCard::FaceImage(_CardSuit(s), _CardValue(v)).size(), QSize(61, 95));
    for (int b = 0; b < 3; ++b)
        QCOMPARE(card.GetBackImage(b)->size(), QSize(61, 95));
    QVERIFY(card.GetBackImage(3)->isNull());
    QCOMPARE(TCard::PileMarks()[0].size(), QSize(61, 95));
    QCOMPARE(TCard::PileMarks()[1].size(), QSize(61, 95));
    QCOMPARE(TCard::PipRect('A'), QRect(9, 9, 20, 21));

    TCard::SetCardSize(FS_LARGE, false);
    QCOMPARE(TCard::FaceImage(FS_CLUBS, FS_TWO).size(), QSize(80, 125));
    QCOMPARE(TCard::PileMarks()[1].size(), QSize(80, 125));
    QVERIFY(card.GetBackImage(3)->isNull());
    QCOMPARE(TCard::PipRect('A'), QRect(13, 13, 20, 21));
}

// Freeing drops faces, backs and pile marks but remembers the size.
void TestCardImages::freeCardBitmapsLeavesAllNullAndTheSizeUnchanged() {
    Reload(FS_SMALL, true);
    TCard::FreeCardBitmaps();
    QCOMPARE(TCard::GetCardSize(), int(FS_SMALL));
    QVERIFY(!TCard::IsLoaded());
    for (int s = FS_CLUBS; s <= FS_HEARTS; ++s)
        for (int v = FS_ACE; v <= FS_KING; ++v)
            QVERIFY(TCard::FaceImage(_CardSuit(s), _CardValue(v)).isNull());
    TCard card;
    for (int b = 0; b < 4; ++b)
        QVERIFY(card.GetBackImage(b)->isNull());
    QVERIFY(TCard::PileMarks()[0].isNull());
    QVERIFY(TCard::PileMarks()[1].isNull());
    // The same size again is not a change, so nothing comes back.
    TCard::SetCardSize(FS_SMALL, true);
    QVERIFY(TCard::FaceImage(FS_CLUBS, FS_ACE).isNull());
}

// Each name the program loads is compiled in, in each of its forms, at its size; names match in any case.
void TestCardImages::everyPictureExistsAtItsExactSize() {
    for (const Named& n : AllPictures()) {
        QStringList forms;
        if (n.hasFull)
            forms << n.name;
        if (n.hasLow)
            forms << n.name + "_16";
        for (const QString& form : forms) {
            QVERIFY2(Resources::Exists(form), qPrintable(form));
            QVERIFY2(Resources::Exists(form.toLower()), qPrintable(form));
            QCOMPARE(Resources::Image(form).size(), n.size);
        }
        if (!n.hasFull)
            QVERIFY2(!Resources::Exists(n.name), qPrintable(n.name));
    }
}

// The low-colour pictures are true reductions to the 16 standard colours.
void TestCardImages::lowColourPicturesUseAtMostSixteenColours() {
    const QSet<QRgb> vga = {0xFF000000u, 0xFF800000u, 0xFF008000u, 0xFF808000u, 0xFF000080u, 0xFF800080u,
                            0xFF008080u, 0xFFC0C0C0u, 0xFF808080u, 0xFFFF0000u, 0xFF00FF00u, 0xFFFFFF00u,
                            0xFF0000FFu, 0xFFFF00FFu, 0xFF00FFFFu, 0xFFFFFFFFu};
    for (const Named& n : AllPictures()) {
        if (!n.hasLow)
            continue;
        const QImage image = Resource(n.name + "_16");
        QSet<QRgb> used;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                used.insert(image.pixel(x, y) | 0xFF000000u);
        QVERIFY2(used.size() <= 16, qPrintable(n.name));
        QVERIFY2(vga.contains(used), qPrintable(n.name));
    }
}

// Magenta is the transparent key: present at the bottom-left of every card-shaped picture, and
// elsewhere only in its rounded corners (pile marks may be transparent inside too).
void TestCardImages::keyColourAppearsOnlyOutsideTheCardOutline() {
    const QRgb key = 0xFFFF00FFu;
    for (const Named& n : AllPictures()) {
        QStringList forms;
        if (n.hasFull)
            forms << n.name;
        if (n.hasLow)
            forms << n.name + "_16";
        const bool cardShaped = n.size == QSize(80, 125) || n.size == QSize(61, 95);
        const bool mark = n.name.contains("RECYCLE") || n.name.contains("EMPTY");
        for (const QString& form : forms) {
            const QImage image = Resource(form);
            if (cardShaped)
                QVERIFY2(image.pixel(0, image.height() - 1) == key, qPrintable(form));
            if (mark)
                continue;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) == key &&
                        !(cardShaped && NearACorner(x, y, n.size.width(), n.size.height(), 6)))
                        QFAIL(qPrintable(QString("%1 has the key colour at %2,%3").arg(form).arg(x).arg(y)));
        }
    }
}

// Composed faces and backs let the table through their corners only; pile marks keep their corners clear.
void TestCardImages::cornersAreTransparentAndTheRestOfEveryCardOpaque() {
    for (const _CardSize size : {FS_LARGE, FS_SMALL})
        for (const bool low : {false, true}) {
            Reload(size, low);
            QList<QImage> cards;
            for (int s = FS_CLUBS; s <= FS_HEARTS; ++s)
                for (int v = FS_ACE; v <= FS_KING; ++v)
                    cards << TCard::FaceImage(_CardSuit(s), _CardValue(v));
            TCard any;
            for (int b = 0; b < 3; ++b)
                cards << *any.GetBackImage(b);
            for (const QImage& card : cards) {
                const int w = card.width(), h = card.height();
                QCOMPARE(QSize(w, h), QSize(TCard::Width(), TCard::Height()));
                for (const QPoint corner :
                     {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
                    QCOMPARE(qAlpha(card.pixel(corner)), 0);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        if (!NearACorner(x, y, w, h, 6) && qAlpha(card.pixel(x, y)) != 255)
                            QFAIL(qPrintable(
                                QString("hole at %1,%2 (size %3, low %4)").arg(x).arg(y).arg(size).arg(low)));
            }
            for (const QImage& mark : TCard::PileMarks()) {
                QCOMPARE(mark.size(), QSize(TCard::Width(), TCard::Height()));
                QCOMPARE(qAlpha(mark.pixel(0, mark.height() - 1)), 0);
                QCOMPARE(qAlpha(mark.pixel(mark.width() / 2, 2)), 255); // the outline
            }
        }
}

// The Ten's pips lie at A C D F G K L N O Q, combined by AND, the lower six upside down; red "10" glyph.
void TestCardImages::largeTenOfHeartsCarriesTenPipsTheLowerSixTurned() {
    Reload(FS_LARGE, false);
    const QImage face = TCard::FaceImage(FS_HEARTS, FS_TEN).convertToFormat(QImage::Format_RGB32);
    const QImage blank = Resource("FS_BORDER");
    const QImage sheet = Resource("FS_SYMBOLS");
    const QRect upright(20 * FS_HEARTS, 30, 20, 21), turned(80 + 20 * FS_HEARTS, 30, 20, 21);

    QImage expected = blank.copy();
    const QString letters = "ACDFGKLNOQ";
    for (const QChar letter : letters) {
        const QRect& at = TCard::PipRect(char(letter.unicode()));
        AndInto(expected, at.topLeft(), sheet, letter >= 'K' ? turned : upright);
    }
    for (const QChar letter : letters) {
        const char l = char(letter.unicode());
        const QRect& at = TCard::PipRect(l);
        QCOMPARE(at.size(), QSize(20, 21));
        QVERIFY2(Rgb(face, at) == Rgb(expected, at), QByteArray(1, l).constData());
        QVERIFY2(!IsWhite(Rgb(face, at)), QByteArray(1, l).constData());
        // The other orientation would have given another picture.
        QImage wrong = blank.copy();
        AndInto(wrong, at.topLeft(), sheet, l >= 'K' ? upright : turned);
        QVERIFY2(Rgb(face, at) != Rgb(wrong, at), QByteArray(1, l).constData());
    }
    // No pip where the pattern has none: the middle of B and of M.
    QVERIFY(IsWhite(Rgb(face, QRect(34, 14, 12, 11))));
    QVERIFY(IsWhite(Rgb(face, QRect(34, 66, 12, 12))));

    const QRect glyph(16 * FS_TEN + 8, 0, 8, 14);
    QCOMPARE(Rgb(face, QRect(3, 6, 8, 14)), Rgb(sheet, glyph));
    bool red = false;
    const QImage g = Rgb(sheet, glyph);
    for (int y = 0; y < g.height(); ++y)
        for (int x = 0; x < g.width(); ++x)
            red |= qRed(g.pixel(x, y)) > 150 && qGreen(g.pixel(x, y)) < 60;
    QVERIFY(red);
    QCOMPARE(Rgb(face, QRect(69, 106, 8, 14)), Rgb(sheet, QRect(16 * FS_TEN + 8, 15, 8, 14)));
}

// One pip at I (30,52) and the small diamonds beside both corner indices, nothing else.
void TestCardImages::largeAceOfDiamondsHasOnePipAndTwoExtraSymbols() {
    Reload(FS_LARGE, false);
    const QImage face = TCard::FaceImage(FS_DIAMONDS, FS_ACE).convertToFormat(QImage::Format_RGB32);
    const QImage blank = Resource("FS_BORDER");
    const QImage sheet = Resource("FS_SYMBOLS");

    QCOMPARE(TCard::PipRect('I'), QRect(30, 52, 20, 21));
    QImage expected = blank.copy();
    AndInto(expected, {30, 52}, sheet, QRect(20 * FS_DIAMONDS, 30, 20, 21));
    QCOMPARE(Rgb(face, TCard::PipRect('I')), Rgb(expected, TCard::PipRect('I')));
    QCOMPARE(Rgb(face, QRect(12, 7, 10, 12)), Rgb(sheet, SmallSymbolRect(FS_DIAMONDS)));
    QCOMPARE(Rgb(face, QRect(60, 107, 10, 12)), Rgb(sheet, SmallSymbolDownRect(FS_DIAMONDS)));

    // Everything else of the middle of the card is the blank card.
    QImage rest = face.copy();
    QImage restBlank = blank.copy();
    for (QImage* img : {&rest, &restBlank}) {
        QPainter p(img);
        p.fillRect(QRect(0, 0, 24, 34), Qt::black);   // upper index and its extra symbol
        p.fillRect(QRect(58, 90, 22, 35), Qt::black); // lower index and its extra symbol
        p.fillRect(TCard::PipRect('I'), Qt::black);
        // The corners are transparent on the face and key-coloured on the blank.
        for (const QPoint corner : {QPoint(0, 0), QPoint(74, 0), QPoint(0, 119), QPoint(74, 119)})
            p.fillRect(QRect(corner, QSize(6, 6)), Qt::black);
    }
    QCOMPARE(rest, restBlank);
}

// The large Ace of spades shows its picture where the other Aces have their extra symbols absent.
void TestCardImages::largeAceOfSpadesShowsItsPictureWithoutExtras() {
    Reload(FS_LARGE, false);
    const QImage face = TCard::FaceImage(FS_SPADES, FS_ACE).convertToFormat(QImage::Format_RGB32);
    const QImage picture = Resource("FS_ACES");
    const QImage blank = Resource("FS_BORDER");
    QCOMPARE(Rgb(face, QRect(QPoint(12, 11), picture.size())), picture);
    // The rows of the extra symbols that the picture does not cover stay blank.
    QCOMPARE(Rgb(face, QRect(12, 7, 10, 4)), Rgb(blank, QRect(12, 7, 10, 4)));
    QCOMPARE(Rgb(face, QRect(60, 114, 9, 5)), Rgb(blank, QRect(60, 114, 9, 5)));
    // The picture really is a picture: it has ink, unlike the blank.
    QVERIFY(!IsWhite(picture));
}

// On small cards every Ace, the Ace of spades included, has the extra symbols at (11,4) and (41,79).
void TestCardImages::everySmallAceHasBothExtraSymbols() {
    for (const bool low : {false, true}) {
        Reload(FS_SMALL, low);
        const QImage sheet = Resource("FS_SYMBOLS_16");
        for (int s = FS_CLUBS; s <= FS_HEARTS; ++s) {
            const QImage face = TCard::FaceImage(_CardSuit(s), FS_ACE).convertToFormat(QImage::Format_RGB32);
            QCOMPARE(Rgb(face, QRect(11, 4, 10, 12)), Rgb(sheet, SmallSymbolRect(s)));
            QCOMPARE(Rgb(face, QRect(41, 79, 10, 12)), Rgb(sheet, SmallSymbolDownRect(s)));
        }
    }
}

// The small pictures are ANDed over the corner indices, so those must come through unchanged.
void TestCardImages::smallPicturesLeaveEveryCornerIndexUntouched() {
    Reload(FS_SMALL, false);
    const QImage sheet = Resource("FS_SYMBOLS_16");
    for (int s = FS_CLUBS; s <= FS_HEARTS; ++s) {
        const bool red = s >= FS_DIAMONDS;
        for (int v = FS_JACK; v <= FS_KING; ++v) {
            const QImage face =
                TCard::FaceImage(_CardSuit(s), _CardValue(v)).convertToFormat(QImage::Format_RGB32);
            const int gx = 16 * v + (red ? 8 : 0);
            QCOMPARE(Rgb(face, QRect(2, 3, 8, 14)), Rgb(sheet, QRect(gx, 0, 8, 14)));
            QCOMPARE(Rgb(face, QRect(51, 78, 8, 14)), Rgb(sheet, QRect(gx, 15, 8, 14)));
            QCOMPARE(Rgb(face, QRect(2, 17, 10, 12)), Rgb(sheet, SmallSymbolRect(s)));
            QCOMPARE(Rgb(face, QRect(50, 64, 10, 12)), Rgb(sheet, SmallSymbolDownRect(s)));
            // And the picture shows: the middle of the card is not blank.
            QVERIFY(!IsWhite(Rgb(face, QRect(20, 30, 20, 30))));
        }
    }
    const QImage aceOfSpades = TCard::FaceImage(FS_SPADES, FS_ACE).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(Rgb(aceOfSpades, QRect(2, 3, 8, 14)), Rgb(sheet, QRect(0, 0, 8, 14)));
    QCOMPARE(Rgb(aceOfSpades, QRect(2, 17, 10, 12)), Rgb(sheet, SmallSymbolRect(FS_SPADES)));
    QCOMPARE(Rgb(aceOfSpades, QRect(50, 64, 10, 12)), Rgb(sheet, SmallSymbolDownRect(FS_SPADES)));
    QVERIFY(!IsWhite(Rgb(aceOfSpades, QRect(20, 35, 20, 25))));
}

QTEST_GUILESS_MAIN(TestCardImages)
#include "tst_cardimages.moc"
