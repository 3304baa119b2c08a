#include "framework/TzBackground.h"

#include <QPainter>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

namespace {

// Rounded a * b / c for non-negative values, written out independently.
int Scaled(int a, int b, int c) {
    return int((qint64(a) * b + c / 2) / c);
}

// A window of a fixed size (not shown unless a test shows it).
std::unique_ptr<QWidget> Window(int width, int height) {
    auto window = std::make_unique<QWidget>();
    window->resize(width, height);
    return window;
}

// The rows (or columns) at which the colour of a picture changes, walking its first column (row).
QList<int> ColourChanges(const QImage& image, bool vertical) {
    QList<int> changes;
    const int extent = vertical ? image.height() : image.width();
    for (int i = 1; i < extent; ++i) {
        const QRgb before = vertical ? image.pixel(0, i - 1) : image.pixel(i - 1, 0);
        const QRgb here = vertical ? image.pixel(0, i) : image.pixel(i, 0);
        if (before != here)
            changes << i;
    }
    return changes;
}

// A tile whose every pixel tells where in the tile it lies.
QImage CoordinateTile(int width, int height) {
    QImage tile(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            tile.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + (y / 256)));
    return tile;
}

bool TiledCorrectly(const QImage& picture, const QImage& tile, QPoint at) {
    return picture.pixel(at) == tile.pixel(at.x() % tile.width(), at.y() % tile.height());
}

// Counts its paint events, as a pile view painting the background behind its cards would.
class PaintCounter : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

const int kDarkGreen = 16384; // 0x00BBGGRR: green 64
const int kRed = 0x0000FF;

} // namespace

class TestBackground : public QObject {
    Q_OBJECT
private slots:
    void startsAsAnEmptyBitmapThatPaintsNothing();
    void mulDivRoundsHalvesAwayFromZero();
    void verticalGradientRunsFromStartToEndColour();
    void verticalBandsLieAtTheRoundedPositions();
    void horizontalBandsLieAtTheRoundedPositions();
    void centreGradientFramesRunFromTheEdgeInwards();
    void degenerateBandCountsPaintOneColour();
    void tilesRepeatFromTheTopLeftWithPartialLastRowAndColumn();
    void tileLargerThanTheWindowIsDrawnOnceFromTheTopLeft();
    void resizeLaysTheBandsOutAgain();
    void normalBackTypeLeavesTheWindowColour();
    void windowShowsThePictureItKeeps();
    void settersRepaintOnlyOnARealChange();
    void paintAndResizeCallbacksAreCalled();
};

// A new background is an empty bitmap: the window paints itself, with the documented defaults.
void TestBackground::startsAsAnEmptyBitmapThatPaintsNothing() {
    auto window = Window(300, 200);
    auto* background = new TzBackground(window.get());
    QCOMPARE(background->parent(), window.get());
    QCOMPARE(background->BackType(), btBitmap);
    QVERIFY(background->BitMap().isNull());
    QCOMPARE(background->Bands(), 255);
    QCOMPARE(background->Color(), 16711935);
    QCOMPARE(background->EndColor(), 0);
    QCOMPARE(background->FillType(), gVert);
    QVERIFY(!background->PaintsPicture());
    QCOMPARE(background->Picture().size(), QSize(300, 200));

    background->SetBackType(btBlend);
    QVERIFY(background->PaintsPicture());
    background->SetBackType(btSteel);
    QVERIFY(background->PaintsPicture());
    background->SetBackType(btBitmap);
    background->SetBitMap(CoordinateTile(10, 10));
    QVERIFY(background->PaintsPicture());
    background->SetBitMap(QImage());
    QVERIFY(!background->PaintsPicture());
}

// MulDiv computes in 64 bits and rounds to the nearest integer, halves away from zero.
void TestBackground::mulDivRoundsHalvesAwayFromZero() {
    QCOMPARE(TzBackground::MulDiv(3, 5, 2), 8);   // 7.5
    QCOMPARE(TzBackground::MulDiv(-3, 5, 2), -8); // -7.5
    QCOMPARE(TzBackground::MulDiv(3, -5, 2), -8);
    QCOMPARE(TzBackground::MulDiv(-3, -5, -2), -8);
    QCOMPARE(TzBackground::MulDiv(1, 600, 256), 2);                                   // 2.34
    QCOMPARE(TzBackground::MulDiv(255, 600, 256), 598);                               // 597.66
    QCOMPARE(TzBackground::MulDiv(7, -64, 255), -2);                                  // -1.76
    QCOMPARE(TzBackground::MulDiv(2000000000, 2000000000, 4000000000LL), 1000000000); // no overflow
    QCOMPARE(TzBackground::MulDiv(5, 5, 0), -1);
}

// The top band has the start colour and the bottom band the end colour.
void TestBackground::verticalGradientRunsFromStartToEndColour() {
    auto window = Window(800, 600);
    auto* background = new TzBackground(window.get());
    background->SetColor(kDarkGreen);
    background->SetEndColor(0);
    background->SetBackType(btBlend);
    const QImage& picture = background->Picture();
    QCOMPARE(picture.size(), QSize(800, 600));
    QCOMPARE(picture.pixel(0, 0), qRgb(0, 64, 0));
    QCOMPARE(picture.pixel(799, 1), qRgb(0, 64, 0));
    QCOMPARE(picture.pixel(0, 599), qRgb(0, 0, 0));
    QCOMPARE(picture.pixel(799, 598), qRgb(0, 0, 0));
    // Band i's green is 64 + MulDiv(i, -64, 255); band 7 starts at row MulDiv(7, 600, 256) = 16.
    QCOMPARE(qGreen(picture.pixel(400, 16)), 62);
    // Every row has one colour across the window, getting darker downwards.
    for (int y = 0; y < 600; y += 37) {
        QCOMPARE(picture.pixel(0, y), picture.pixel(799, y));
        if (y > 0)
            QVERIFY(qGreen(picture.pixel(0, y)) <= qGreen(picture.pixel(0, y - 37)));
    }
}

// 256 bands, each starting at MulDiv(i, H, 256), for heights that do and do not divide evenly.
void TestBackground::verticalBandsLieAtTheRoundedPositions() {
    for (int height : {600, 491}) {
        auto window = Window(50, height);
        auto* background = new TzBackground(window.get());
        background->SetColor(kRed); // red 255 down to 0: all 256 band colours differ
        background->SetEndColor(0);
        background->SetBackType(btBlend);
        const QImage& picture = background->Picture();
        QList<int> expected;
        for (int i = 1; i < 256; ++i)
            expected << Scaled(i, height, 256);
        QCOMPARE(ColourChanges(picture, true), expected);
        QCOMPARE(picture.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(picture.pixel(0, height - 1), qRgb(0, 0, 0));
        QCOMPARE(picture.pixel(0, Scaled(100, height, 256)), qRgb(155, 0, 0));
    }
}

// Horizontal gradients lay the same bands out from left to right.
void TestBackground::horizontalBandsLieAtTheRoundedPositions() {
    for (int width : {800, 491}) {
        auto window = Window(width, 40);
        auto* background = new TzBackground(window.get());
        background->SetColor(kRed);
        background->SetEndColor(0xFF0000); // blue
        background->SetFillType(gHorz);
        background->SetBackType(btBlend);
        const QImage& picture = background->Picture();
        QList<int> expected;
        for (int i = 1; i < 256; ++i)
            expected << Scaled(i, width, 256);
        QCOMPARE(ColourChanges(picture, false), expected);
        QCOMPARE(picture.pixel(0, 39), qRgb(255, 0, 0));
        QCOMPARE(picture.pixel(width - 1, 0), qRgb(0, 0, 255));
        QCOMPARE(picture.pixel(width / 2, 0), picture.pixel(width / 2, 39));
    }
}

// Centre gradients are concentric frames: the edge in the start colour, the middle in the end colour.
void TestBackground::centreGradientFramesRunFromTheEdgeInwards() {
    auto window = Window(400, 300);
    auto* background = new TzBackground(window.get());
    background->SetColor(kRed);
    background->SetEndColor(0);
    background->SetFillType(gCenter);
    background->SetBands(10);
    background->SetBackType(btBlend);
    const QImage& picture = background->Picture();
    // 10 steps of 20 pixels across and 15 down: nine frames, then the centre.
    // Frame i is red 255 + MulDiv(i, -255, 9).
    QCOMPARE(picture.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(picture.pixel(399, 299), qRgb(255, 0, 0));
    QCOMPARE(picture.pixel(19, 150), qRgb(255, 0, 0));
    QCOMPARE(picture.pixel(20, 150), qRgb(255 - 28, 0, 0));
    QCOMPARE(picture.pixel(200, 14), qRgb(255, 0, 0));
    QCOMPARE(picture.pixel(200, 15), qRgb(255 - 28, 0, 0));
    QCOMPARE(picture.pixel(379, 150), qRgb(255 - 28, 0, 0));
    QCOMPARE(picture.pixel(380, 150), qRgb(255, 0, 0));
    QCOMPARE(picture.pixel(179, 150), qRgb(255 - 227, 0, 0));
    QCOMPARE(picture.pixel(200, 134), qRgb(255 - 227, 0, 0));
    for (QPoint centre : {QPoint(180, 135), QPoint(219, 164), QPoint(200, 150)})
        QCOMPARE(picture.pixel(centre), qRgb(0, 0, 0));
    QCOMPARE(picture.pixel(220, 150), qRgb(255 - 227, 0, 0));
    // Symmetric left/right and top/bottom.
    for (int x = 0; x < 200; x += 7)
        QCOMPARE(picture.pixel(x, 100), picture.pixel(399 - x, 100));
    for (int y = 0; y < 150; y += 7)
        QCOMPARE(picture.pixel(123, y), picture.pixel(123, 299 - y));

    // Many more bands than the window has room for: one step per pixel, never past the middle.
    background->SetBands(255);
    window->resize(40, 30);
    QCOMPARE(background->Picture().pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(background->Picture().pixel(20, 15), qRgb(0, 0, 0));
}

// No bands (or a negative count) and windows too small for the bands paint safely.
void TestBackground::degenerateBandCountsPaintOneColour() {
    auto window = Window(30, 20);
    auto* background = new TzBackground(window.get());
    background->SetColor(kRed);
    background->SetBackType(btBlend);
    background->SetBands(-5);
    QCOMPARE(background->Bands(), 0);
    QVERIFY(ColourChanges(background->Picture(), true).isEmpty());
    background->SetFillType(gCenter);
    QCOMPARE(background->Picture().size(), QSize(30, 20));

    // A million bands on 20 rows: most are empty, the rows still run from red to black.
    background->SetBands(1000000);
    background->SetFillType(gVert);
    const QImage& picture = background->Picture();
    QVERIFY(qRed(picture.pixel(0, 0)) > 240);
    QVERIFY(qRed(picture.pixel(0, 19)) < 15);
    QCOMPARE(ColourChanges(picture, true).size(), 19);

    window->resize(0, 0);
    QVERIFY(!background->Picture().isNull());
}

// A 100 x 100 tile repeats from the top-left; the last row and column are cut by the window's edge.
void TestBackground::tilesRepeatFromTheTopLeftWithPartialLastRowAndColumn() {
    const QImage tile = CoordinateTile(100, 100);
    for (QSize size : {QSize(800, 600), QSize(850, 630)}) {
        auto window = Window(size.width(), size.height());
        auto* background = new TzBackground(window.get());
        background->SetBitMap(tile);
        QCOMPARE(background->BackType(), btBitmap);
        const QImage& picture = background->Picture();
        QCOMPARE(picture.size(), size);
        const int right = size.width() - 1;
        const int bottom = size.height() - 1;
        const QList<QPoint> points = {
            {0, 0},     {99, 99},   {100, 0},      {99, 100},       {100, 100},
            {101, 250}, {right, 0}, {0, bottom},   {right, bottom}, {right - 1, bottom - 1},
            {799, 599}, {700, 500}, {450, bottom}, {right, 333},
        };
        for (QPoint p : points)
            QVERIFY2(TiledCorrectly(picture, tile, p), qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
    }
}

// A tile larger than the window is drawn once, its top-left corner at the window's.
void TestBackground::tileLargerThanTheWindowIsDrawnOnceFromTheTopLeft() {
    const QImage tile = CoordinateTile(1000, 900);
    auto window = Window(800, 600);
    auto* background = new TzBackground(window.get());
    background->SetBitMap(tile);
    const QImage& picture = background->Picture();
    QCOMPARE(picture, tile.copy(0, 0, 800, 600));
}

// After a resize the bands are laid out for the new size, shown or hidden.
void TestBackground::resizeLaysTheBandsOutAgain() {
    auto window = Window(50, 600);
    auto* background = new TzBackground(window.get());
    QSignalSpy changed(background, &TzBackground::PictureChanged);
    background->SetColor(kRed);
    background->SetBackType(btBlend);
    QCOMPARE(ColourChanges(background->Picture(), true).first(), Scaled(1, 600, 256));

    window->resize(50, 491); // hidden: Qt delivers no resize event yet
    QCOMPARE(background->Picture().size(), QSize(50, 491));
    QCOMPARE(ColourChanges(background->Picture(), true).last(), Scaled(255, 491, 256));

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    changed.clear();
    window->resize(60, 300);
    QTRY_VERIFY(!changed.isEmpty());
    QCOMPARE(background->Picture().size(), QSize(60, 300));
    QList<int> expected;
    for (int i = 1; i < 256; ++i)
        expected << Scaled(i, 300, 256);
    QCOMPARE(ColourChanges(background->Picture(), true), expected);
}

// btNormal paints nothing: the window shows its own colour, and the picture holds that colour.
void TestBackground::normalBackTypeLeavesTheWindowColour() {
    auto window = Window(200, 100);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, QColor(10, 20, 30));
    window->setPalette(palette);
    auto* background = new TzBackground(window.get());
    background->SetColor(kRed);
    background->SetEndColor(kRed);
    background->SetBackType(btBlend);
    QCOMPARE(window->grab().toImage().pixel(5, 5), qRgb(255, 0, 0));

    background->SetBackType(btNormal);
    QVERIFY(!background->PaintsPicture());
    const QImage shown = window->grab().toImage();
    QCOMPARE(shown.pixel(5, 5), qRgb(10, 20, 30));
    QCOMPARE(shown.pixel(199, 99), qRgb(10, 20, 30));
    QCOMPARE(background->Picture().pixel(100, 50), qRgb(10, 20, 30));
}

// What the window shows is exactly the picture the pile views copy.
void TestBackground::windowShowsThePictureItKeeps() {
    for (gradType fill : {gVert, gHorz, gCenter}) {
        auto window = Window(320, 240);
        auto* background = new TzBackground(window.get());
        background->SetColor(0x00FF8040);
        background->SetEndColor(0x00204080);
        background->SetFillType(fill);
        background->SetBackType(btBlend);
        QCOMPARE(window->grab().toImage().convertToFormat(QImage::Format_RGB32), background->Picture());
    }
    auto window = Window(320, 240);
    auto* background = new TzBackground(window.get());
    background->SetBitMap(CoordinateTile(70, 50));
    QCOMPARE(window->grab().toImage().convertToFormat(QImage::Format_RGB32), background->Picture());
    background->SetBackType(btSteel);
    QCOMPARE(window->grab().toImage().convertToFormat(QImage::Format_RGB32), background->Picture());
}

// A setter changes and repaints (children included) only when the value really differs.
void TestBackground::settersRepaintOnlyOnARealChange() {
    QWidget window;
    window.resize(300, 200);
    auto* child = new PaintCounter(&window);
    child->setGeometry(10, 10, 80, 120);
    auto* background = new TzBackground(&window);
    QSignalSpy changed(background, &TzBackground::PictureChanged);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(child->paints > 0);
    changed.clear();

    background->SetBackType(btBitmap);
    background->SetBands(255);
    background->SetColor(16711935);
    background->SetEndColor(0);
    background->SetFillType(gVert);
    background->SetBitMap(QImage());
    QCOMPARE(changed.count(), 0);

    const int before = child->paints;
    background->SetBackType(btBlend);
    QCOMPARE(changed.count(), 1);
    QTRY_VERIFY(child->paints > before);
    background->SetColor(kDarkGreen);
    background->SetEndColor(kRed);
    background->SetBands(12);
    background->SetFillType(gHorz);
    background->SetBitMap(CoordinateTile(5, 5));
    background->SetBitMap(CoordinateTile(5, 5)); // same picture again
    QCOMPARE(changed.count(), 6);
    QCOMPARE(background->Color(), kDarkGreen);
    QCOMPARE(background->EndColor(), kRed);
    QCOMPARE(background->Bands(), 12);
    QCOMPARE(background->FillType(), gHorz);
    QCOMPARE(background->Picture().pixel(0, 0), qRgb(0, 64, 0));
    QCOMPARE(background->Picture().pixel(299, 0), qRgb(255, 0, 0));
}

// OnPaint gets the window's painter after the background; OnResize follows a size change.
void TestBackground::paintAndResizeCallbacksAreCalled() {
    auto window = Window(120, 80);
    auto* background = new TzBackground(window.get());
    background->SetColor(kRed);
    background->SetEndColor(kRed);
    background->SetBackType(btBlend);
    QObject* paintSender = nullptr;
    background->SetOnPaint([&](QObject* sender, QPainter& canvas) {
        paintSender = sender;
        canvas.fillRect(QRect(0, 0, 10, 10), Qt::white);
    });
    int resizes = 0;
    background->SetOnResize([&](QObject* sender) {
        QCOMPARE(sender, background);
        ++resizes;
    });
    const QImage shown = window->grab().toImage();
    QCOMPARE(paintSender, background);
    QCOMPARE(shown.pixel(5, 5), qRgb(255, 255, 255));
    QCOMPARE(shown.pixel(50, 50), qRgb(255, 0, 0));
    QCOMPARE(background->Picture().pixel(5, 5), qRgb(255, 0, 0)); // the picture has no overlay

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const int before = resizes;
    window->resize(150, 90);
    QTRY_VERIFY(resizes > before);
}

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
