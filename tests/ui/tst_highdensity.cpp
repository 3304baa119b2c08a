#include "cards/TCard.h"
#include "pileview/TCardPileView.h"
#include "support/MouseKit.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

// Pile views on a screen of device pixel ratio 2 beside the same views on a
// screen of ratio 1: cards are painted from pictures of twice the pixels,
// while layout, hit test and drag pictures agree in logical pixels.
class TestHighDensity : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void layoutAndHitTestAgreeWithRatioOne_data();
    void layoutAndHitTestAgreeWithRatioOne();
    void dragPictureCoversTheSameLogicalAreaAtTwiceThePixels();
    void cardsAndBackgroundArePaintedPixelForPixel();

private:
    struct Side {
        std::unique_ptr<QWidget> table;
        TCardPileView* view = nullptr;
    };
    // The same view on each screen: offsets, draggability, and a card per
    // letter of `cards` (U face up, D face down).
    void Build(float xOffset, float yOffset, bool allowDrag, const QString& cards, QSize size);
    Side m_sides[2];
    std::vector<std::unique_ptr<TCard>> m_cards;
};

namespace {
const QColor TableColour(0, 64, 0);
} // namespace

void TestHighDensity::initTestCase() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), 2);
    QCOMPARE(screens[0]->devicePixelRatio(), 1.0);
    QCOMPARE(screens[1]->devicePixelRatio(), 2.0);
    // As the program does: composed once for the densest screen.
    TCard::SetDevicePixelRatio(qApp->devicePixelRatio());
    TCard::SetCardSize(FS_LARGE, false);
    QCOMPARE(TCard::FaceImage(FS_CLUBS, FS_ACE).devicePixelRatio(), 2.0);
}

void TestHighDensity::cleanup() {
    MouseKit::ResetButtons();
    for (Side& side : m_sides)
        side = Side();
    m_cards.clear();
}

void TestHighDensity::Build(float xOffset, float yOffset, bool allowDrag, const QString& cards, QSize size) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (int s = 0; s < 2; ++s) {
        Side& side = m_sides[s];
        side.table = std::make_unique<QWidget>();
        side.table->setScreen(screens[s]);
        side.table->setGeometry(QRect(screens[s]->geometry().topLeft() + QPoint(20, 20), QSize(400, 400)));
        QPalette palette = side.table->palette();
        palette.setColor(QPalette::Window, TableColour);
        side.table->setPalette(palette);
        side.view = new TCardPileView(side.table.get());
        side.view->setGeometry(QRect(QPoint(30, 20), size));
        side.view->XOffset = xOffset;
        side.view->YOffset = yOffset;
        side.view->AllowDrag = allowDrag;
        for (int i = 0; i < cards.size(); ++i) {
            m_cards.push_back(std::make_unique<TCard>(_CardSuit(i % 4), _CardValue(i % 13), cards[i] == 'U'));
            side.view->Pile.AddCard(m_cards.back().get());
        }
        side.table->show();
        QVERIFY(QTest::qWaitForWindowExposed(side.table.get()));
        side.view->repaint(); // lays the cards out
    }
    QCOMPARE(m_sides[0].view->devicePixelRatioF(), 1.0);
    QCOMPARE(m_sides[1].view->devicePixelRatioF(), 2.0);
}

// Every card's place, and what a press at each point selects, with its rectangle and grab offset.
void TestHighDensity::layoutAndHitTestAgreeWithRatioOne_data() {
    QTest::addColumn<float>("xOffset");
    QTest::addColumn<float>("yOffset");
    QTest::addColumn<bool>("allowDrag");
    QTest::addColumn<QString>("cards");
    QTest::addColumn<QList<QPoint>>("presses");
    QTest::newRow("column") << 0.0f << 20.0f << true << "DDDUU"
                            << QList<QPoint>{{40, 5}, {40, 30}, {40, 50}, {79, 168}, {40, 169}, {80, 50}};
    QTest::newRow("stock") << 1.0f << 0.2f << false << QString(24, 'D')
                           << QList<QPoint>{{0, 0}, {5, 60}, {23, 4}, {102, 128}, {110, 140}};
    QTest::newRow("fanned waste") << 20.0f << 0.0f << true << "UUU"
                                  << QList<QPoint>{{10, 10}, {45, 60}, {119, 124}, {120, 60}};
    QTest::newRow("fractional") << 0.6f << 0.5f << true << "UDUDUDUDUDUD"
                                << QList<QPoint>{{3, 3}, {6, 5}, {86, 130}, {45, 70}};
}

void TestHighDensity::layoutAndHitTestAgreeWithRatioOne() {
    QFETCH(float, xOffset);
    QFETCH(float, yOffset);
    QFETCH(bool, allowDrag);
    QFETCH(QString, cards);
    QFETCH(QList<QPoint>, presses);
    Build(xOffset, yOffset, allowDrag, cards, QSize(140, 180));
    TCardPileView* one = m_sides[0].view;
    TCardPileView* two = m_sides[1].view;
    for (int i = 0; i < cards.size(); ++i) {
        QCOMPARE(two->Pile.Cards[i]->PosX, one->Pile.Cards[i]->PosX);
        QCOMPARE(two->Pile.Cards[i]->PosY, one->Pile.Cards[i]->PosY);
    }
    for (const QPoint at : presses) {
        for (TCardPileView* view : {one, two}) {
            MouseKit::Press(view, at);
            MouseKit::Release(view, at);
        }
        const QByteArray where = QByteArray::number(at.x()) + "," + QByteArray::number(at.y());
        QVERIFY2(one->Pile.CardIndex(one->SelectedCard) == two->Pile.CardIndex(two->SelectedCard),
                 where.constData());
        if (one->SelectedCard) {
            QCOMPARE(two->HitRect, one->HitRect);
            QCOMPARE(two->GrabOffset, one->GrabOffset);
        }
    }
}

// Lifting the same group gives the same logical picture, drawn at the screen's density.
void TestHighDensity::dragPictureCoversTheSameLogicalAreaAtTwiceThePixels() {
    Build(0.0f, 20.0f, true, "DUUUU", QSize(80, 300));
    QImage pictures[2];
    for (int s = 0; s < 2; ++s) {
        TCardPileView* view = m_sides[s].view;
        view->OnMouseDown = [](TCardPileView* sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            sender->DragPermission = true;
        };
        MouseKit::Press(view, {40, 10});
        MouseKit::Move(view, {60, 60});
        QVERIFY(view->IsDragging());
        QCOMPARE(view->DragPile.size(), 4);
        pictures[s] = view->DragImage();
        view->CancelDrag();
        MouseKit::Release(view, {60, 60});
        QCOMPARE(view->Pile.size(), 5);
    }
    QCOMPARE(pictures[1].deviceIndependentSize(), pictures[0].deviceIndependentSize());
    QCOMPARE(pictures[0].size(), QSize(80, 4 * 20 + 125));
    QCOMPARE(pictures[1].size(), pictures[0].size() * 2);
    // The lifted top card is its face, pixel for pixel (its upper corners lie over the card below it).
    const QImage face = TCard::FaceImage(_CardSuit(4 % 4), _CardValue(4)).copy(0, 10, 160, 240);
    const QImage top = pictures[1].copy(0, 2 * 60 + 10, 160, 240);
    QCOMPARE(top.convertToFormat(QImage::Format_ARGB32), face.convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(qAlpha(pictures[1].pixel(0, pictures[1].height() - 1)), 0);
}

// The view shows the composed face pixel for pixel at twice its logical place, and the window's background
// picture, itself of twice the pixels, from the view's own logical place.
void TestHighDensity::cardsAndBackgroundArePaintedPixelForPixel() {
    Build(20.0f, 0.0f, true, "UU", QSize(120, 125));
    TCardPileView* view = m_sides[1].view;
    QImage background(QSize(400, 400) * 2, QImage::Format_RGB32);
    for (int y = 0; y < background.height(); ++y)
        for (int x = 0; x < background.width(); ++x)
            background.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 64 + y / 256));
    background.setDevicePixelRatio(2);
    view->BackgroundPicture = &background;
    view->BackgroundMode = FS_BITMAP;
    const QImage shot = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(240, 250));
    // Right of the top card, the picture's pixels under the view's place (30, 20).
    QCOMPARE(shot.pixel(239, 10), background.pixel(2 * 30 + 239, 2 * 20 + 10));
    QCOMPARE(shot.pixel(210, 249), background.pixel(2 * 30 + 210, 2 * 20 + 249));
    // The top card, from device pixel 40: wherever its face is opaque, the face's own pixels.
    const QImage face = TCard::FaceImage(_CardSuit(1), _CardValue(1)).convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (qAlpha(face.pixel(x, y)) == 255) {
                ++opaque;
                if (shot.pixel(40 + x, y) != face.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("face pixel %1,%2").arg(x).arg(y)));
            }
    QVERIFY(opaque > 150 * 240);
}

int main(int argc, char* argv[]) {
    // Two screens side by side, the second of device pixel ratio 2.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens":[
        {"name":"one","x":0,"y":0,"width":800,"height":800,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1},
        {"name":"two","x":800,"y":0,"width":800,"height":800,"logicalDpi":96,"logicalBaseDpi":96,"dpr":2}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestHighDensity test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdensity.moc"
