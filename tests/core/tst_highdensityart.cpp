#include "cards/Resources.h"
#include "cards/TCard.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTest>
#include <cmath>

// Pictures and card faces for high-density screens: drawn anew at twice the
// pixels rather than enlarged, the same pictures as at ratio 1, and resized
// smoothly for the ratios in between.
class TestHighDensityArt : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void pictureForARatioTakesTheNearestDrawingAtTheLogicalSize_data();
    void pictureForARatioTakesTheNearestDrawingAtTheLogicalSize();
    void everyDoubleSizedPictureIsItsTwinRedrawn();
    void facesAtRatioTwoAreTheSameCardsDrawnNotDoubled_data();
    void facesAtRatioTwoAreTheSameCardsDrawnNotDoubled();
    void fractionalRatioResizesFacesWithSmoothCorners();
    void ratioChangeRecomposesAndKeepsThePlayersBack();
    void lowColourAndBadRatiosStayAtRatioOne_data();
    void lowColourAndBadRatiosStayAtRatioOne();
};

namespace {

// The picture's colours over a mid grey: key-coloured and transparent pixels
// alike show the grey.
QImage OverGrey(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage out(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            const int a = (p | 0xFF000000u) == 0xFFFF00FFu ? 0 : qAlpha(p);
            auto mix = [a](int c) { return (c * a + 128 * (255 - a)) / 255; };
            out.setPixel(x, y, qRgb(mix(qRed(p)), mix(qGreen(p)), mix(qBlue(p))));
        }
    return out;
}

// Mean absolute channel difference of two pictures of one size.
double Difference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// The share of 2 x 2 blocks whose pixels are not all alike: 0 for a picture
// enlarged by doubling its pixels.
double DrawnShare(const QImage& image) {
    int blocks = 0, drawn = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            ++blocks;
            drawn +=
                p != image.pixel(x + 1, y) || p != image.pixel(x, y + 1) || p != image.pixel(x + 1, y + 1);
        }
    return double(drawn) / blocks;
}

QImage HalfSize(const QImage& image) {
    return image.scaled(image.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void Load(_CardSize size, bool lowColor, qreal ratio) {
    TCard::FreeCardBitmaps();
    TCard::SetDevicePixelRatio(ratio);
    // SetCardSize keeps the images of an unchanged size, so pass through the other one.
    TCard::SetCardSize(size == FS_SMALL ? FS_LARGE : FS_SMALL, lowColor);
    TCard::SetCardSize(size, lowColor);
}

} // namespace

void TestHighDensityArt::cleanup() {
    TCard::FreeCardBitmaps();
    TCard::SetDevicePixelRatio(1);
}

// Between drawn scales the next larger drawing is reduced; beyond them the largest is enlarged; always
// smoothly.
void TestHighDensityArt::pictureForARatioTakesTheNearestDrawingAtTheLogicalSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<qreal>("pictureRatio");
    QTest::newRow("ratio 1") << "FS_BORDER" << 1.0 << QSize(80, 125) << 1.0;
    QTest::newRow("a hair above 1") << "FS_BORDER" << 1.005 << QSize(80, 125) << 1.0;
    QTest::newRow("below 1") << "FS_BORDER" << 0.5 << QSize(80, 125) << 1.0;
    QTest::newRow("1.25") << "FS_BORDER" << 1.25 << QSize(100, 156) << 1.25;
    QTest::newRow("1.5") << "FS_BORDER" << 1.5 << QSize(120, 188) << 1.5;
    QTest::newRow("2") << "FS_BORDER" << 2.0 << QSize(160, 250) << 2.0;
    QTest::newRow("3, enlarged") << "FS_BORDER" << 3.0 << QSize(240, 375) << 3.0;
    QTest::newRow("no drawing at 2") << "JESTER1_256" << 2.0 << QSize(132, 180) << 2.0;
    QTest::newRow("any letter case") << "win_avi" << 2.0 << QSize(7520, 308) << 2.0;
}

void TestHighDensityArt::pictureForARatioTakesTheNearestDrawingAtTheLogicalSize() {
    QFETCH(QString, name);
    QFETCH(qreal, ratio);
    QFETCH(QSize, pixels);
    QFETCH(qreal, pictureRatio);
    const QImage picture = Resources::Picture(name, ratio);
    QCOMPARE(picture.size(), pixels);
    QCOMPARE(picture.devicePixelRatio(), pictureRatio);
    QVERIFY_THROWS_EXCEPTION(Resources::EResNotFound,
                             Resources::Picture(QStringLiteral("NO_SUCH_PICTURE"), ratio));
}

// Each "@2x" picture has its scale-1 twin at exactly twice its size, and reduced it looks more like its twin
// than like any other picture of that size.
void TestHighDensityArt::everyDoubleSizedPictureIsItsTwinRedrawn() {
    struct Twins {
        QString name;
        QImage reduced, one;
    };
    QList<Twins> all;
    for (QDirIterator it(QStringLiteral(":/res"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString base = QFileInfo(it.next()).completeBaseName();
        if (!base.endsWith(QStringLiteral("@2x")))
            continue;
        // Small cards have full-colour pictures only above scale 1; their twins are the 16-colour ones.
        QString twin = base.chopped(3);
        if (!Resources::Exists(twin))
            twin += QStringLiteral("_16");
        if (twin == QStringLiteral("FS_sSYMBOLS_16"))
            twin = QStringLiteral("FS_SYMBOLS_16");
        QVERIFY2(Resources::Exists(twin), qPrintable(base));
        const QImage big = Resources::Image(base), one = Resources::Image(twin);
        QCOMPARE(big.size(), one.size() * 2);
        all.append({base, HalfSize(OverGrey(big)), OverGrey(one)});
    }
    QVERIFY(all.size() > 40);
    for (const Twins& t : all) {
        const double own = Difference(t.reduced, t.one);
        QVERIFY2(own < 25, qPrintable(QStringLiteral("%1 differs by %2").arg(t.name).arg(own)));
        for (const Twins& other : all)
            if (&other != &t && other.one.size() == t.one.size())
                QVERIFY2(own < Difference(t.reduced, other.one),
                         qPrintable(t.name + " looks like " + other.name));
    }
}

// At ratio 2 a face has twice the pixels, drawn at that size (not doubled), reduces to the ratio-1 face, and
// covers the same logical size.
void TestHighDensityArt::facesAtRatioTwoAreTheSameCardsDrawnNotDoubled_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("large") << int(FS_LARGE);
    QTest::newRow("small") << int(FS_SMALL);
}

void TestHighDensityArt::facesAtRatioTwoAreTheSameCardsDrawnNotDoubled() {
    QFETCH(int, size);
    Load(_CardSize(size), false, 1);
    QList<QImage> ones;
    for (int i = 0; i < 52; ++i)
        ones << OverGrey(TCard::FaceImage(_CardSuit(i / 13), _CardValue(i % 13)));
    TCard::SetDevicePixelRatio(2);
    const QSize logical(TCard::Width(), TCard::Height());
    for (int i = 0; i < 52; ++i) {
        const QImage face = TCard::FaceImage(_CardSuit(i / 13), _CardValue(i % 13));
        const QByteArray what = QByteArray::number(i);
        QCOMPARE(face.size(), logical * 2);
        QCOMPARE(face.devicePixelRatio(), 2.0);
        QCOMPARE(face.deviceIndependentSize(), QSizeF(logical));
        QVERIFY2(DrawnShare(OverGrey(face)) > 0.03, what.constData());
        // Reduced, it is nearer to its own ratio-1 face than to any other.
        const QImage reduced = HalfSize(OverGrey(face));
        const double own = Difference(reduced, ones[i]);
        for (int j = 0; j < 52; ++j)
            if (j != i)
                QVERIFY2(own < Difference(reduced, ones[j]),
                         qPrintable(QStringLiteral("face %1 looks like face %2").arg(i).arg(j)));
    }
    const TCard card;
    for (int b = 0; b < 3; ++b)
        QCOMPARE(card.GetBackImage(b)->deviceIndependentSize(), QSizeF(logical));
    for (const QImage& mark : TCard::PileMarks())
        QCOMPARE(mark.size(), logical * 2);
}

// At 1.5 the faces are the ratio-2 drawings reduced smoothly: the rounded corners then blend with the table.
void TestHighDensityArt::fractionalRatioResizesFacesWithSmoothCorners() {
    Load(FS_LARGE, false, 1.5);
    const QImage face = TCard::FaceImage(FS_CLUBS, FS_KING).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(face.size(), QSize(120, 188));
    QCOMPARE(face.devicePixelRatio(), 1.5);
    QCOMPARE(qAlpha(face.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(face.pixel(60, 94)), 255);
    bool blended = false;
    for (int x = 0; x < 6 && !blended; ++x)
        for (int y = 0; y < 6 && !blended; ++y)
            blended = qAlpha(face.pixel(x, y)) > 0 && qAlpha(face.pixel(x, y)) < 255;
    QVERIFY(blended);
}

// A new ratio recomposes faces, backs and marks at once; the player's back is kept, resized.
void TestHighDensityArt::ratioChangeRecomposesAndKeepsThePlayersBack() {
    Load(FS_SMALL, false, 1);
    QImage custom(61, 95, QImage::Format_RGB32);
    custom.fill(Qt::blue);
    custom.setPixel(0, 94, 0xFFFF00FFu);
    TCard::SetCustomBack(custom);
    TCard::SetDevicePixelRatio(2);
    const TCard card;
    QCOMPARE(TCard::FaceImage(FS_HEARTS, FS_ACE).size(), QSize(122, 190));
    QCOMPARE(card.GetBackImage(0)->size(), QSize(122, 190));
    QCOMPARE(TCard::PileMarks()[1].size(), QSize(122, 190));
    const QImage* back = card.GetBackImage(3);
    QCOMPARE(back->size(), QSize(122, 190));
    QCOMPARE(back->devicePixelRatio(), 2.0);
    QCOMPARE(back->pixelColor(60, 90), QColor(Qt::blue));
    QCOMPARE(TCard::GetCardSize(), int(FS_SMALL));
}

// A low-colour display takes the pictures of ratio 1 whatever its ratio; a ratio of none or below 1 is 1.
void TestHighDensityArt::lowColourAndBadRatiosStayAtRatioOne_data() {
    QTest::addColumn<bool>("lowColor");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("low colour at 2") << true << 2.0;
    QTest::newRow("0") << false << 0.0;
    QTest::newRow("negative") << false << -2.0;
    QTest::newRow("not a number") << false << qreal(std::nan(""));
}

void TestHighDensityArt::lowColourAndBadRatiosStayAtRatioOne() {
    QFETCH(bool, lowColor);
    QFETCH(qreal, ratio);
    Load(FS_LARGE, lowColor, ratio);
    QVERIFY(TCard::DevicePixelRatio() >= 1.0);
    QCOMPARE(TCard::FaceImage(FS_SPADES, FS_QUEEN).size(), QSize(80, 125));
    QCOMPARE(TCard::FaceImage(FS_SPADES, FS_QUEEN).devicePixelRatio(), 1.0);
    QCOMPARE(TCard::PileMarks()[0].size(), QSize(80, 125));
}

QTEST_GUILESS_MAIN(TestHighDensityArt)
#include "tst_highdensityart.moc"
