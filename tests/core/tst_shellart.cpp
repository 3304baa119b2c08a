#include "cards/Resources.h"

#include <QSet>
#include <QTest>
#include <cstdlib>

// The shell's compiled-in pictures: every name present at its size, the
// low-colour variants within 256 colours, and the win animation's strip.
class TestShellArt : public QObject {
    Q_OBJECT
private slots:
    void everyPictureIsFoundByNameAtItsSize_data();
    void everyPictureIsFoundByNameAtItsSize();
    void lowColourVariantsKeepTheSizeWithinTwoHundredFiftySixColours_data();
    void lowColourVariantsKeepTheSizeWithinTwoHundredFiftySixColours();
    void jesterFramesShareOneLightWindowColour();
    void jesterFramesShowThreeDifferentPoses();
    void winAnimationIsAStripOfTenMovingFramesThatLoops();
    void gamePreviewsAreDistinctTablesOfGreenFelt();
    void iconsAreTransparentAroundTheirGlyph();
};

namespace {

const char* const Previews[] = {"CASTLE",   "DBLKLONDIKE", "FORTYTHIEVES", "FREECELL", "GOLF",
                                "INDIAN",   "KLONDIKE",    "MONTANA",      "PYRAMID",  "QUEENITALY",
                                "SEAHAVEN", "SPIDER",      "STARTUP"};

int DistinctColours(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    return int(colours.size());
}

// Mean absolute channel difference between two same-sized pictures.
double Difference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    qint64 sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return double(sum) / (3.0 * x.width() * x.height());
}

} // namespace

// Each picture the shell asks for by name exists and has the size its window expects.
void TestShellArt::everyPictureIsFoundByNameAtItsSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    for (const char* jester : {"JESTER1", "JESTER2", "JESTER3", "JESTER1_256"})
        QTest::newRow(jester) << QString::fromLatin1(jester) << QSize(66, 90);
    for (const char* preview : Previews) {
        QTest::newRow(preview) << QString::fromLatin1(preview) << QSize(320, 125);
        const QByteArray low = QByteArray(preview) + "_256";
        QTest::newRow(low.constData()) << QString::fromLatin1(low) << QSize(320, 125);
    }
    for (const char* card : {"SMALLPREV", "LARGEPREV", "LARGEPREV_256"})
        QTest::newRow(card) << QString::fromLatin1(card) << QSize(150, 110);
    QTest::newRow("WIN_AVI") << QStringLiteral("WIN_AVI") << QSize(3760, 154);
    QTest::newRow("INFOPIC") << QStringLiteral("INFOPIC") << QSize(306, 279);
    QTest::newRow("APPICON") << QStringLiteral("APPICON") << QSize(64, 64);
    QTest::newRow("APPICON_32") << QStringLiteral("APPICON_32") << QSize(32, 32);
    QTest::newRow("HELPBTN") << QStringLiteral("HELPBTN") << QSize(20, 20);
    // Names are looked up in any letter case.
    QTest::newRow("lower case") << QStringLiteral("jester2") << QSize(66, 90);
    QTest::newRow("mixed case") << QStringLiteral("Klondike_256") << QSize(320, 125);
}

void TestShellArt::everyPictureIsFoundByNameAtItsSize() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QVERIFY2(Resources::Exists(name), qPrintable(name));
    QCOMPARE(Resources::Image(name).size(), size);
}

// The pictures for 256-colour displays really are within 256 colours and match their full-colour twins' size.
void TestShellArt::lowColourVariantsKeepTheSizeWithinTwoHundredFiftySixColours_data() {
    QTest::addColumn<QString>("name");
    for (const char* preview : Previews)
        QTest::newRow(preview) << QString::fromLatin1(preview);
    QTest::newRow("JESTER1") << QStringLiteral("JESTER1");
    QTest::newRow("LARGEPREV") << QStringLiteral("LARGEPREV");
}

void TestShellArt::lowColourVariantsKeepTheSizeWithinTwoHundredFiftySixColours() {
    QFETCH(QString, name);
    const QImage full = Resources::Image(name);
    const QImage low = Resources::Image(name + QStringLiteral("_256"));
    QCOMPARE(low.size(), full.size());
    QVERIFY2(DistinctColours(low) <= 256, qPrintable(QString::number(DistinctColours(low))));
    // Still the same picture, not a blank or a different one.
    QVERIFY2(Difference(full, low) < 6.0, qPrintable(QString::number(Difference(full, low))));
}

// The selector and the info box take their colour from the jester's top-left pixel: one light colour in every
// frame.
void TestShellArt::jesterFramesShareOneLightWindowColour() {
    const QRgb window = Resources::Image("JESTER1").pixel(0, 0);
    for (const char* name : {"JESTER2", "JESTER3", "JESTER1_256"})
        QCOMPARE(QColor(Resources::Image(name).pixel(0, 0)), QColor(window));
    QVERIFY(QColor(window).lightness() > 200);
    // The whole frame border is background, so nothing of the jester is cut off.
    const QImage jester = Resources::Image("JESTER2");
    for (int x = 0; x < jester.width(); ++x)
        QCOMPARE(QColor(jester.pixel(x, 0)), QColor(window));
}

// The three poses of the swing differ, and the lean to the left mirrors the lean to the right in spirit: A
// and C differ most.
void TestShellArt::jesterFramesShowThreeDifferentPoses() {
    const QImage a = Resources::Image("JESTER1"), b = Resources::Image("JESTER2"),
                 c = Resources::Image("JESTER3");
    QVERIFY(Difference(a, b) > 1.0);
    QVERIFY(Difference(b, c) > 1.0);
    QVERIFY(Difference(a, c) > Difference(a, b));
}

// Frame k is the k-th 376 x 154 slice; every frame moves, and frame 10 leads into frame 1 as smoothly as any
// step.
void TestShellArt::winAnimationIsAStripOfTenMovingFramesThatLoops() {
    const QImage strip = Resources::Image("WIN_AVI");
    QCOMPARE(strip.size(), QSize(376 * 10, 154));
    QList<QImage> frames;
    for (int k = 0; k < 10; ++k)
        frames << strip.copy(376 * k, 0, 376, 154);
    double largestStep = 0;
    for (int k = 0; k + 1 < 10; ++k) {
        const double step = Difference(frames[k], frames[k + 1]);
        QVERIFY2(step > 0.5, qPrintable(QStringLiteral("frames %1 and %2 are alike").arg(k + 1).arg(k + 2)));
        largestStep = std::max(largestStep, step);
    }
    const double wrap = Difference(frames[9], frames[0]);
    QVERIFY2(wrap > 0.5 && wrap <= largestStep * 1.25,
             qPrintable(QStringLiteral("wrap %1, largest step %2").arg(wrap).arg(largestStep)));
}

// Every game has its own preview (no copy of another), drawn on the dark green table.
void TestShellArt::gamePreviewsAreDistinctTablesOfGreenFelt() {
    QList<QImage> seen;
    for (const char* name : Previews) {
        const QImage preview = Resources::Image(name);
        const QColor corner = preview.pixelColor(1, preview.height() - 2);
        QVERIFY2(corner.green() > 2 * corner.red() && corner.green() > 2 * corner.blue() &&
                     corner.lightness() < 80,
                 name);
        for (const QImage& other : seen)
            QVERIFY2(Difference(preview, other) > 2.0, name);
        seen << preview;
    }
}

// The program icon and the help glyph sit on a transparent ground, opaque in the middle.
void TestShellArt::iconsAreTransparentAroundTheirGlyph() {
    for (const char* name : {"APPICON", "APPICON_32", "HELPBTN"}) {
        const QImage icon = Resources::Image(name).convertToFormat(QImage::Format_ARGB32);
        const int w = icon.width(), h = icon.height();
        QVERIFY2(icon.hasAlphaChannel(), name);
        QCOMPARE(qAlpha(icon.pixel(0, h - 1)), 0);
        QCOMPARE(qAlpha(icon.pixel(w - 1, h - 1)), 0);
        QCOMPARE(qAlpha(icon.pixel(w / 2, h / 2)), 255);
    }
}

QTEST_GUILESS_MAIN(TestShellArt)
#include "tst_shellart.moc"
