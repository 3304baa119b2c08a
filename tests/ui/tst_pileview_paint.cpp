#include "cards/Resources.h"
#include "cards/TCard.h"
#include "pileview/TCardPileView.h"

#include <QPainter>
#include <QTest>
#include <memory>
#include <vector>

// How a pile view lays out and paints its cards.
class TestPileViewPaint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void columnStepsFaceDownCardsThenFansFaceUpOnes();
    void stockDrawsOutlinesUnderItsTopBack();
    void outlinesFillOnlyTheBottomCardWhite();
    void squaredPileDrawsOnlyTopAndGivesEveryCardItsPlace();
    void fractionalOffsetsAccumulateAsFloatsAndTruncate();
    void cardsAreDrawnWithTheirOwnImages();
    void emptyPileShowsItsMarkOrOnlyBackground();
    void borderIsEngravedBlackOutsideGreyInside();
    void backgroundPictureIsCopiedFromTheViewsOwnPlace();
    void fanLongerThanTheViewKeepsItsTopCardInside_data();
    void fanLongerThanTheViewKeepsItsTopCardInside();
    void invisibleViewPaintsNothing();
    void smallCardsUseSmallSizeAndStep();

private:
    TCardPileView* NewView(float xOffset, float yOffset);
    TCard* NewCard(_CardSuit suit, _CardValue value, bool faceUp);
    QImage Shot(TCardPileView* view);

    std::unique_ptr<QWidget> m_table;
    std::vector<std::unique_ptr<TCard>> m_cards;
    bool m_art = true;
};

namespace {
const QColor TableColour(0, 64, 0);

// The colour a card image leaves after being drawn over the table colour.
QRgb Over(const QImage& image, QPoint at) {
    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(TableColour);
    QPainter p(&one);
    p.drawImage(QPoint(0, 0), image, QRect(at, QSize(1, 1)));
    p.end();
    return one.pixel(0, 0);
}
} // namespace

void TestPileViewPaint::initTestCase() {
    try {
        TCard::SetCardSize(FS_LARGE, false);
    } catch (const Resources::EResNotFound& e) {
        // The card size is set before the images load, so layout tests still run.
        m_art = false;
        qWarning("card artwork missing: %s", e.what());
    }
    QCOMPARE(TCard::Width(), 80);
}

void TestPileViewPaint::init() {
    m_table = std::make_unique<QWidget>();
    m_table->resize(640, 480);
    QPalette palette = m_table->palette();
    palette.setColor(QPalette::Window, TableColour);
    m_table->setPalette(palette);
    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table.get()));
}

void TestPileViewPaint::cleanup() {
    m_table.reset();
    m_cards.clear();
}

TCardPileView* TestPileViewPaint::NewView(float xOffset, float yOffset) {
    auto* view = new TCardPileView(m_table.get());
    view->XOffset = xOffset;
    view->YOffset = yOffset;
    view->show();
    return view;
}

TCard* TestPileViewPaint::NewCard(_CardSuit suit, _CardValue value, bool faceUp) {
    m_cards.push_back(std::make_unique<TCard>(suit, value, faceUp ? 1 : 0));
    return m_cards.back().get();
}

QImage TestPileViewPaint::Shot(TCardPileView* view) {
    return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Face-down cards of a draggable column advance 8 pixels, face-up ones the offset.
void TestPileViewPaint::columnStepsFaceDownCardsThenFansFaceUpOnes() {
    TCardPileView* view = NewView(0.0f, 20.0f);
    view->AllowDrag = true;
    view->resize(80, 300);
    for (int i = 0; i < 5; ++i)
        view->Pile.AddCard(NewCard(FS_HEARTS, static_cast<_CardValue>(i), i >= 3));
    const QImage shot = Shot(view);
    const int expected[] = {0, 8, 16, 24, 44};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(view->Pile.Cards[i]->PosX, 0.0f);
        QCOMPARE(view->Pile.Cards[i]->PosY, float(expected[i]));
    }
    // Below the top card only the table shows.
    QCOMPARE(QColor(shot.pixel(40, 44 + 125 + 5)), TableColour);
    if (m_art) {
        const QImage& top = TCard::FaceImage(FS_HEARTS, FS_FIVE);
        QCOMPARE(shot.pixel(40, 44 + 60), Over(top, {40, 60}));
    }
}

// A stock of 24 face-down cards: 23 outlines, one pixel right per card, one down every fifth.
void TestPileViewPaint::stockDrawsOutlinesUnderItsTopBack() {
    TCardPileView* view = NewView(1.0f, 0.2f);
    view->resize(113, 145);
    for (int i = 0; i < 24; ++i)
        view->Pile.AddCard(NewCard(FS_CLUBS, FS_TWO, false));
    const QImage shot = Shot(view);
    for (int i = 0; i < 24; ++i) {
        QCOMPARE(view->Pile.Cards[i]->PosX, float(i));
        QCOMPARE(view->Pile.Cards[i]->PosY, float(i / 5));
    }
    // Left edges of the outlines, side by side.
    for (int x = 0; x < 23; ++x)
        QCOMPARE(QColor(shot.pixel(x, 60)), QColor(Qt::black));
    if (m_art) {
        const QImage* back = view->Pile.Cards[23]->GetBackImage(TCard::GetBackIndex());
        QCOMPARE(shot.pixel(23 + 40, 4 + 60), Over(*back, {40, 60}));
    }
}

// Only the bottom outline is filled white; the others are hollow.
void TestPileViewPaint::outlinesFillOnlyTheBottomCardWhite() {
    TCardPileView* view = NewView(10.0f, 0.0f);
    view->resize(120, 125);
    for (int i = 0; i < 3; ++i)
        view->Pile.AddCard(NewCard(FS_CLUBS, FS_TWO, false));
    const QImage shot = Shot(view);
    QCOMPARE(QColor(shot.pixel(0, 60)), QColor(Qt::black));
    QCOMPARE(QColor(shot.pixel(5, 60)), QColor(Qt::white));
    QCOMPARE(QColor(shot.pixel(10, 60)), QColor(Qt::black));
    QCOMPARE(QColor(shot.pixel(15, 60)), QColor(Qt::white));  // seen through the hollow one
    QCOMPARE(QColor(shot.pixel(15, 0)), QColor(Qt::black));   // top edges
    QCOMPARE(QColor(shot.pixel(15, 124)), QColor(Qt::black)); // bottom edges end at the card height
    QVERIFY(QColor(shot.pixel(0, 0)) != QColor(Qt::black));   // rounded corner
}

// Offsets 0: only the top card is drawn and every card gets position (0, 0).
void TestPileViewPaint::squaredPileDrawsOnlyTopAndGivesEveryCardItsPlace() {
    TCardPileView* view = NewView(0.0f, 0.0f);
    view->AllowDrag = true;
    view->Pile.AddCard(NewCard(FS_SPADES, FS_ACE, false));
    view->Pile.AddCard(NewCard(FS_SPADES, FS_TWO, true));
    view->Pile.AddCard(NewCard(FS_SPADES, FS_THREE, true));
    for (TCard* card : view->Pile.Cards) {
        card->PosX = 50;
        card->PosY = 50;
    }
    const QImage shot = Shot(view);
    for (TCard* card : view->Pile.Cards) {
        QCOMPARE(card->PosX, 0.0f);
        QCOMPARE(card->PosY, 0.0f);
    }
    if (m_art) {
        QImage expected(80, 125, QImage::Format_RGB32);
        expected.fill(TableColour);
        QPainter p(&expected);
        view->Pile.Cards[2]->DrawCardOnCanvas({0, 0}, p);
        p.end();
        QCOMPARE(shot, expected);
    }
}

// Running sums are 32-bit floats, each position truncated toward zero.
void TestPileViewPaint::fractionalOffsetsAccumulateAsFloatsAndTruncate() {
    TCardPileView* view = NewView(0.6f, 0.5f);
    view->resize(120, 160);
    for (int i = 0; i < 30; ++i)
        view->Pile.AddCard(NewCard(FS_DIAMONDS, FS_SIX, i % 2 == 0));
    Shot(view);
    float ax = 0.0f;
    float ay = 0.0f;
    for (TCard* card : view->Pile.Cards) {
        QCOMPARE(card->PosX, float(int(ax)));
        QCOMPARE(card->PosY, float(int(ay)));
        ax += 0.6f;
        ay += 0.5f;
    }
    QCOMPARE(view->Pile.Cards[29]->PosX, 17.0f);
    QCOMPARE(view->Pile.Cards[29]->PosY, 14.0f);
}

// A fan of face-up cards shows each card's own face at its place.
void TestPileViewPaint::cardsAreDrawnWithTheirOwnImages() {
    if (!m_art)
        QSKIP("card artwork missing");
    TCardPileView* view = NewView(20.0f, 0.0f);
    view->resize(200, 125);
    view->Pile.AddCard(NewCard(FS_HEARTS, FS_KING, true));
    view->Pile.AddCard(NewCard(FS_CLUBS, FS_SEVEN, true));
    const QImage shot = Shot(view);
    QImage expected(200, 125, QImage::Format_RGB32);
    expected.fill(TableColour);
    QPainter p(&expected);
    p.drawImage(QPoint(0, 0), TCard::FaceImage(FS_HEARTS, FS_KING));
    p.drawImage(QPoint(20, 0), TCard::FaceImage(FS_CLUBS, FS_SEVEN));
    p.end();
    QCOMPARE(shot, expected);
}

// Empty: FS_RECYCLE and FS_EMPTY draw their mark at (0, 0); FS_BLANK only the background.
void TestPileViewPaint::emptyPileShowsItsMarkOrOnlyBackground() {
    TCardPileView* view = NewView(0.0f, 0.0f);
    view->State = FS_BLANK;
    QImage blank(80, 125, QImage::Format_RGB32);
    blank.fill(TableColour);
    QCOMPARE(Shot(view), blank);
    const auto& marks = TCard::PileMarks();
    for (const auto& [state, index] : {std::pair{FS_RECYCLE, 0}, std::pair{FS_EMPTY, 1}}) {
        view->State = state;
        const QImage shot = Shot(view);
        if (marks[index].isNull()) {
            QCOMPARE(shot, blank); // a missing mark is simply not drawn
            continue;
        }
        QImage expected = blank;
        QPainter p(&expected);
        p.drawImage(QPoint(0, 0), marks[index]);
        p.end();
        QCOMPARE(shot, expected);
    }
}

// Black rectangle (0,0)-(W-1,H-1), then grey (1,1)-(W,H), ends exclusive.
void TestPileViewPaint::borderIsEngravedBlackOutsideGreyInside() {
    TCardPileView* view = NewView(0.0f, 0.0f);
    view->IsBordered = true;
    view->resize(80, 125);
    const QImage shot = Shot(view);
    const QColor black(Qt::black);
    const QColor grey(128, 128, 128);
    QCOMPARE(QColor(shot.pixel(0, 0)), black);
    QCOMPARE(QColor(shot.pixel(0, 60)), black);
    QCOMPARE(QColor(shot.pixel(40, 0)), black);
    QCOMPARE(QColor(shot.pixel(1, 60)), grey);
    QCOMPARE(QColor(shot.pixel(40, 1)), grey);
    QCOMPARE(QColor(shot.pixel(78, 60)), black);
    QCOMPARE(QColor(shot.pixel(79, 60)), grey);
    QCOMPARE(QColor(shot.pixel(40, 123)), black);
    QCOMPARE(QColor(shot.pixel(40, 124)), grey);
    // The two frames leave the far corners of each other uncovered.
    QCOMPARE(QColor(shot.pixel(0, 124)), TableColour);
    QCOMPARE(QColor(shot.pixel(79, 0)), TableColour);
    QCOMPARE(QColor(shot.pixel(40, 60)), TableColour);
}

// FS_BITMAP copies the picture's rectangle under the view; moving the view shows another part.
void TestPileViewPaint::backgroundPictureIsCopiedFromTheViewsOwnPlace() {
    QImage picture(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 40 + (y / 256) * 100));
    TCardPileView* view = NewView(0.0f, 0.0f);
    view->BackgroundMode = FS_BITMAP;
    view->BackgroundPicture = &picture;
    view->move(10, 20);
    QCOMPARE(Shot(view), picture.copy(10, 20, 80, 125));
    view->move(300, 200);
    QCOMPARE(Shot(view), picture.copy(300, 200, 80, 125));

    // Without a picture, FS_BITMAP falls back to the table colour.
    view->BackgroundPicture = nullptr;
    QCOMPARE(QColor(Shot(view).pixel(40, 60)), TableColour);

    // A picture that does not reach the view: the uncovered part is table colour.
    QImage small = picture.copy(0, 0, 320, 240);
    view->BackgroundPicture = &small;
    view->move(280, 200);
    const QImage shot = Shot(view);
    QCOMPARE(shot.pixel(0, 0), small.pixel(280, 200));
    QCOMPARE(QColor(shot.pixel(79, 124)), TableColour);
}

// A fan that would run past its view shrinks its step just enough that the top card, the one
// that can be played, lies wholly inside; a fan that fits keeps its offsets exactly.
void TestPileViewPaint::fanLongerThanTheViewKeepsItsTopCardInside_data() {
    QTest::addColumn<float>("xOffset");
    QTest::addColumn<float>("yOffset");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("cards");
    QTest::addColumn<QPoint>("topCorner");
    QTest::newRow("column that fits") << 0.0f << 20.0f << QSize(80, 400) << 13 << QPoint(0, 240);
    QTest::newRow("column too long") << 0.0f << 20.0f << QSize(80, 200) << 13 << QPoint(0, 75);
    QTest::newRow("waste of 55 fits") << 12.0f << 0.0f << QSize(729, 125) << 55 << QPoint(648, 0);
    QTest::newRow("waste of 64") << 12.0f << 0.0f << QSize(729, 125) << 64 << QPoint(649, 0);
    QTest::newRow("waste of 83") << 12.0f << 0.0f << QSize(729, 125) << 83 << QPoint(649, 0);
}

void TestPileViewPaint::fanLongerThanTheViewKeepsItsTopCardInside() {
    QFETCH(float, xOffset);
    QFETCH(float, yOffset);
    QFETCH(QSize, size);
    QFETCH(int, cards);
    QFETCH(QPoint, topCorner);
    TCardPileView* view = NewView(xOffset, yOffset);
    view->resize(size);
    for (int i = 0; i < cards; ++i)
        view->Pile.AddCard(
            NewCard(static_cast<_CardSuit>(i / 13 % 4), static_cast<_CardValue>(i % 13), true));
    QCOMPARE(Shot(view).size(), size);
    const TCard* top = view->Pile.Top();
    QCOMPARE(QPoint(static_cast<int>(top->PosX), static_cast<int>(top->PosY)), topCorner);
    QVERIFY(top->PosX + TCard::Width() <= size.width() && top->PosY + TCard::Height() <= size.height());
}

// A hidden view neither paints nor updates the card positions.
void TestPileViewPaint::invisibleViewPaintsNothing() {
    TCardPileView* view = NewView(0.0f, 20.0f);
    view->Pile.AddCard(NewCard(FS_SPADES, FS_ACE, true));
    view->Pile.AddCard(NewCard(FS_SPADES, FS_TWO, true));
    view->hide();
    view->Pile.Cards[1]->PosY = 77;
    view->repaint();
    QImage canvas(80, 125, QImage::Format_RGB32);
    canvas.fill(Qt::red);
    view->render(&canvas);
    QCOMPARE(view->Pile.Cards[1]->PosY, 77.0f);
    QCOMPARE(QColor(canvas.pixel(40, 60)), QColor(Qt::red));
}

// Small cards: the view starts 61 x 95 and a face-down card steps 6 pixels.
void TestPileViewPaint::smallCardsUseSmallSizeAndStep() {
    try {
        TCard::SetCardSize(FS_SMALL, false);
    } catch (const Resources::EResNotFound&) {
    }
    TCardPileView* view = NewView(0.0f, 16.0f);
    QCOMPARE(view->size(), QSize(61, 95));
    view->AllowDrag = true;
    view->resize(61, 300);
    view->Pile.AddCard(NewCard(FS_HEARTS, FS_TWO, false));
    view->Pile.AddCard(NewCard(FS_HEARTS, FS_THREE, false));
    view->Pile.AddCard(NewCard(FS_HEARTS, FS_FOUR, true));
    view->Pile.AddCard(NewCard(FS_HEARTS, FS_FIVE, true));
    Shot(view);
    QCOMPARE(view->Pile.Cards[2]->PosY, 12.0f);
    QCOMPARE(view->Pile.Cards[3]->PosY, 28.0f);
    try {
        TCard::SetCardSize(FS_LARGE, false);
    } catch (const Resources::EResNotFound&) {
    }
}

QTEST_MAIN(TestPileViewPaint)
#include "tst_pileview_paint.moc"
