#include "cards/Resources.h"
#include "cards/TCard.h"
#include "pileview/DragTarget.h"
#include "pileview/TCardPileView.h"
#include "support/MouseKit.h"

#include <QContextMenuEvent>
#include <QPointer>
#include <QTest>
#include <memory>
#include <vector>

namespace {

// The bare table: a window that answers drags over itself.
class Table : public QWidget, public TDragTarget {
public:
    bool Accept = false;
    int Asked = 0;
    int Dropped = 0;
    int ContextMenus = 0;
    bool DragOver(QWidget* sender, TCardPileView* /*source*/) override {
        ++Asked;
        LastSender = sender;
        return Accept;
    }
    void DragDrop(QWidget* /*sender*/, TCardPileView* /*source*/) override { ++Dropped; }
    QWidget* LastSender = nullptr;

protected:
    void contextMenuEvent(QContextMenuEvent* /*event*/) override { ++ContextMenus; }
};

QList<TCard*> Cards(const TCardPile& pile) {
    return pile.Cards;
}

} // namespace

// Pressing, lifting, dragging and dropping cards between pile views.
class TestPileViewDrag : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pressSelectsTopmostCardUnderThePointerWithGrabOffset();
    void pressOnNothingSelectsNothing();
    void rightPressKeepsSelectionAndLeavesTheMenuToTheWindow();
    void pressClearsPermissionAndTarget();
    void draggingThirdOfFiveLiftsThreeInOrderAndLeavesTwo();
    void noDragWithoutPermissionOrAllowDrag();
    void refusedDropReturnsTheGroupOnTopInOrder();
    void dropBackOnOwnViewReturnsGroupAndClearsTarget();
    void recordedTargetGetsTheGroupWhereverItIsReleased();
    void manualDropLeavesGroupInDragPileUntilOwnerMovesIt();
    void manualDropNobodyTakesGoesHome();
    void dragPictureCoversTheGroupWithTransparentKey();
    void pictureFollowsThePointerAtTheGrabOffset();
    void delayedDragBeginsOnlyPastFivePixels();
    void bareTableIsAskedThroughItsDragTarget();
    void hiddenAndLoweredViewsAreNotAsked();
    void sourceHiddenWhileDraggingStillDropsAndReappears();
    void clickAndDoubleClickReachTheOwner();
    void escapeOrLostWindowEndsTheDragWithCardsHome();
    void viewsDestroyedDuringADragLeaveNothingDangling();
    void hintShowsOnlyWhenEnabled();

private:
    TCardPileView* NewView(QPoint at, float yOffset, int cards);
    void GrantOnLeftPress(TCardPileView* view);
    static void AcceptDrops(TCardPileView* view);

    std::unique_ptr<Table> m_table;
    std::vector<std::unique_ptr<TCard>> m_cards;
};

void TestPileViewDrag::initTestCase() {
    try {
        TCard::SetCardSize(FS_LARGE, false);
    } catch (const Resources::EResNotFound& e) {
        qWarning("card artwork missing: %s", e.what());
    }
}

void TestPileViewDrag::init() {
    m_table = std::make_unique<Table>();
    m_table->resize(640, 480);
    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table.get()));
}

void TestPileViewDrag::cleanup() {
    MouseKit::ResetButtons();
    m_table.reset();
    m_cards.clear();
}

TCardPileView* TestPileViewDrag::NewView(QPoint at, float yOffset, int cards) {
    auto* view = new TCardPileView(m_table.get());
    view->move(at);
    view->YOffset = yOffset;
    view->AllowDrag = true;
    view->resize(80, 300);
    for (int i = 0; i < cards; ++i) {
        m_cards.push_back(std::make_unique<TCard>(FS_SPADES, static_cast<_CardValue>(i), 1));
        view->Pile.AddCard(m_cards.back().get());
    }
    view->show();
    view->repaint(); // the hit test uses the positions of the last paint
    return view;
}

void TestPileViewDrag::GrantOnLeftPress(TCardPileView* view) {
    view->OnMouseDown = [](TCardPileView* sender, Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        sender->DragPermission = button == Qt::LeftButton && sender->SelectedCard;
    };
}

// The view takes whatever is dragged over it.
void TestPileViewDrag::AcceptDrops(TCardPileView* view) {
    view->OnDragOver = [](QWidget* sender, TCardPileView* source) {
        source->DropTarget = static_cast<TCardPileView*>(sender);
        return true;
    };
}

// Rectangles are tested top card first, left/top inclusive, right/bottom exclusive.
void TestPileViewDrag::pressSelectsTopmostCardUnderThePointerWithGrabOffset() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    MouseKit::Press(view, {30, 40 + 10});
    QCOMPARE(view->SelectedCard, view->Pile.Cards[2]);
    QCOMPARE(view->GrabOffset, QPoint(30, 10));
    QCOMPARE(view->HitRect, QRect(0, 40, 80, 125));
    MouseKit::Release(view, {30, 50});

    MouseKit::Press(view, {79, 80 + 124});
    QCOMPARE(view->SelectedCard, view->Pile.Cards[4]);
    QCOMPARE(view->GrabOffset, QPoint(79, 124));
    MouseKit::Release(view, {79, 204});

    // A squared pile: every card has the same rectangle, the top one wins.
    TCardPileView* squared = NewView({300, 10}, 0.0f, 3);
    MouseKit::Press(squared, {5, 5});
    QCOMPARE(squared->SelectedCard, squared->Pile.Cards[2]);
    MouseKit::Release(squared, {5, 5});
}

// Below the last card of a fan, or on an empty view, a press selects nothing.
void TestPileViewDrag::pressOnNothingSelectsNothing() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    int presses = 0;
    view->OnMouseDown = [&](TCardPileView*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        ++presses;
        QCOMPARE(QPoint(x, y), QPoint(40, 80 + 125));
    };
    MouseKit::Press(view, {40, 80 + 125});
    QCOMPARE(view->SelectedCard, nullptr);
    QCOMPARE(presses, 1);
    MouseKit::Release(view, {40, 205});

    TCardPileView* empty = NewView({300, 10}, 0.0f, 0);
    MouseKit::Press(empty, {5, 5});
    QCOMPARE(empty->SelectedCard, nullptr);
    MouseKit::Release(empty, {5, 5});
}

// Other buttons keep the selection; the window still gets its context menu.
void TestPileViewDrag::rightPressKeepsSelectionAndLeavesTheMenuToTheWindow() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    QList<Qt::MouseButton> buttons;
    view->OnMouseDown = [&](TCardPileView*, Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        buttons << button;
    };
    MouseKit::Click(view, {30, 50});
    TCard* third = view->Pile.Cards[2];
    QCOMPARE(view->SelectedCard, third);
    MouseKit::Click(view, {30, 100}, Qt::RightButton);
    QCOMPARE(view->SelectedCard, third);
    QCOMPARE(view->GrabOffset, QPoint(30, 10));
    QCOMPARE(m_table->ContextMenus, 1);
    MouseKit::Click(view, {30, 90}, Qt::MiddleButton);
    QCOMPARE(view->SelectedCard, third);
    MouseKit::Click(view, {30, 5});
    QCOMPARE(view->SelectedCard, view->Pile.Cards[0]);
    QCOMPARE(buttons,
             (QList<Qt::MouseButton>{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}));
}

// Every press starts over: no permission, no target, before the owner is asked.
void TestPileViewDrag::pressClearsPermissionAndTarget() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    TCardPileView* other = NewView({300, 10}, 20.0f, 0);
    view->DragPermission = true;
    view->DropTarget = other;
    bool checked = false;
    view->OnMouseDown = [&](TCardPileView* sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        checked = !sender->DragPermission && !sender->DropTarget;
    };
    MouseKit::Press(view, {30, 50}, Qt::RightButton);
    QVERIFY(checked);
    MouseKit::Release(view, {30, 50}, Qt::RightButton);
}

// The selected card and all above it are lifted, bottom first.
void TestPileViewDrag::draggingThirdOfFiveLiftsThreeInOrderAndLeavesTwo() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    GrantOnLeftPress(view);
    const QList<TCard*> all = Cards(view->Pile);
    int started = 0;
    view->OnStartDrag = [&](TCardPileView* sender) {
        ++started;
        QCOMPARE(sender, view);
        QCOMPARE(Cards(sender->DragPile), all.mid(2));
        QCOMPARE(Cards(sender->Pile), all.mid(0, 2));
    };
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(view, {31, 51});
    QVERIFY(view->IsDragging());
    QCOMPARE(started, 1);
    MouseKit::Move(view, {200, 200});
    QCOMPARE(started, 1); // a press lifts at most once
    QCOMPARE(Cards(view->DragPile), all.mid(2));
    MouseKit::Release(view, {200, 200});
    QVERIFY(!view->IsDragging());
}

// Without the owner's permission, or on a view that does not allow dragging, nothing lifts.
void TestPileViewDrag::noDragWithoutPermissionOrAllowDrag() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(view, {200, 200});
    QVERIFY(!view->IsDragging());
    QCOMPARE(view->Pile.size(), 5);
    MouseKit::Release(view, {200, 200});

    GrantOnLeftPress(view);
    view->AllowDrag = false;
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(view, {200, 200});
    QVERIFY(!view->IsDragging());
    MouseKit::Release(view, {200, 200});

    // A permission granted on a press that hit no card lifts nothing either.
    view->AllowDrag = true;
    view->OnMouseDown = [](TCardPileView* sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        sender->DragPermission = true;
    };
    MouseKit::Press(view, {30, 250});
    MouseKit::Move(view, {200, 200});
    QVERIFY(!view->IsDragging());
    QCOMPARE(view->Pile.size(), 5);
    MouseKit::Release(view, {200, 200});
}

// With no target recorded the group goes back on top, in order; OnEndDrag sees no target.
void TestPileViewDrag::refusedDropReturnsTheGroupOnTopInOrder() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    TCardPileView* other = NewView({300, 10}, 20.0f, 1);
    GrantOnLeftPress(view);
    other->OnDragOver = [](QWidget*, TCardPileView*) { return false; };
    const QList<TCard*> all = Cards(view->Pile);
    int ended = 0;
    view->OnEndDrag = [&](TCardPileView* sender) {
        ++ended;
        QCOMPARE(sender, view);
        QCOMPARE(sender->DropTarget, nullptr);
    };
    MouseKit::Drag(view, {30, 50}, other, {30, 30});
    QCOMPARE(ended, 1);
    QCOMPARE(Cards(view->Pile), all);
    QCOMPARE(other->Pile.size(), 1);
    QCOMPARE(Cards(view->DragPile), all.mid(2)); // kept for the owner
}

// A drop recorded on the source itself returns the group and clears the target.
void TestPileViewDrag::dropBackOnOwnViewReturnsGroupAndClearsTarget() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    GrantOnLeftPress(view);
    AcceptDrops(view);
    const QList<TCard*> all = Cards(view->Pile);
    MouseKit::Drag(view, {30, 50}, view, {35, 60});
    QCOMPARE(Cards(view->Pile), all);
    QCOMPARE(view->DropTarget, nullptr);
}

// The drop target decides, not the release point.
void TestPileViewDrag::recordedTargetGetsTheGroupWhereverItIsReleased() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    TCardPileView* legal = NewView({150, 10}, 20.0f, 1);
    TCardPileView* refusing = NewView({300, 10}, 20.0f, 1);
    GrantOnLeftPress(view);
    AcceptDrops(legal);
    refusing->OnDragOver = [](QWidget*, TCardPileView* source) { return source->DropTarget != nullptr; };
    const QList<TCard*> all = Cards(view->Pile);
    TCardPileView* seen = nullptr;
    view->OnEndDrag = [&](TCardPileView* sender) { seen = sender->DropTarget; };

    MouseKit::Press(view, {30, 50});
    MouseKit::Move(legal, {30, 30});
    MouseKit::Move(refusing, {30, 30});
    MouseKit::Release(refusing, {30, 30});
    QCOMPARE(seen, legal);
    QCOMPARE(Cards(view->Pile), all.mid(0, 2));
    QCOMPARE(legal->Pile.size(), 4);
    QCOMPARE(legal->Pile.Cards.mid(1), all.mid(2));
    QCOMPARE(refusing->Pile.size(), 1);
    QCOMPARE(Cards(view->DragPile), all.mid(2));
}

// With ManualDrop the view moves nothing: the owner's OnDragDrop does.
void TestPileViewDrag::manualDropLeavesGroupInDragPileUntilOwnerMovesIt() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    TCardPileView* target = NewView({300, 10}, 20.0f, 1);
    view->ManualDrop = true;
    GrantOnLeftPress(view);
    AcceptDrops(target);
    const QList<TCard*> all = Cards(view->Pile);
    int drops = 0;
    target->OnDragDrop = [&](QWidget* sender, TCardPileView* source) {
        ++drops;
        QCOMPARE(sender, target);
        QCOMPARE(source, view);
        QCOMPARE(Cards(source->Pile), all.mid(0, 2));
        QCOMPARE(target->Pile.size(), 1);
        target->Pile.AddPile(source->DragPile);
    };
    bool endSawTarget = false;
    view->OnEndDrag = [&](TCardPileView* sender) { endSawTarget = sender->DropTarget == target; };
    MouseKit::Drag(view, {30, 50}, target, {30, 30});
    QCOMPARE(drops, 1);
    QVERIFY(endSawTarget);
    QCOMPARE(target->Pile.size(), 4);
    QCOMPARE(Cards(view->Pile), all.mid(0, 2));
}

// A manual drop released where no handler takes it must not leave the cards nowhere.
void TestPileViewDrag::manualDropNobodyTakesGoesHome() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    TCardPileView* target = NewView({300, 10}, 20.0f, 1);
    view->ManualDrop = true;
    GrantOnLeftPress(view);
    AcceptDrops(target);
    target->OnDragDrop = [](QWidget*, TCardPileView*) { QFAIL("not released over the target"); };
    const QList<TCard*> all = Cards(view->Pile);
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(target, {30, 30});
    MouseKit::Move(view, {30, 290});
    m_table->Accept = false;
    MouseKit::Release(m_table.get(), {500, 450});
    QCOMPARE(Cards(view->Pile), all);
    QCOMPARE(view->DropTarget, nullptr);
}

// Three face-up cards, YOffset 20: an 80 x 185 picture, transparent outside the cards.
void TestPileViewDrag::dragPictureCoversTheGroupWithTransparentKey() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    GrantOnLeftPress(view);
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(view, {60, 90});
    const QImage picture = view->DragImage();
    QCOMPARE(picture.size(), QSize(80, 185));
    QCOMPARE(qAlpha(picture.pixel(40, 180)), 0); // below the last card
    const QImage& face = TCard::FaceImage(FS_SPADES, FS_FIVE);
    if (!face.isNull()) {
        QCOMPARE(picture.pixel(40, 40 + 60), face.pixel(40, 60));
        QCOMPARE(qAlpha(picture.pixel(0, 40 + 124)), qAlpha(face.pixel(0, 124)));
    }
    MouseKit::Release(view, {60, 90});
}

// The picture is a mouse-transparent child of the window, hot spot at the grab offset.
void TestPileViewDrag::pictureFollowsThePointerAtTheGrabOffset() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    TCardPileView* target = NewView({300, 10}, 20.0f, 1);
    GrantOnLeftPress(view);
    int asked = 0;
    target->OnDragOver = [&](QWidget*, TCardPileView*) { return ++asked > 0; };
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(target, {40, 40});
    QPointer<QWidget> shown;
    for (QWidget* w : m_table->findChildren<QWidget*>())
        if (w->testAttribute(Qt::WA_TransparentForMouseEvents) && w->isVisible())
            shown = w;
    QVERIFY(shown);
    QCOMPARE(shown->pos(), QPoint(340, 50) - QPoint(30, 10));
    QCOMPARE(shown->size(), QSize(80, 185));
    QCOMPARE(asked, 1); // the target under the picture was still asked
    MouseKit::Release(target, {40, 40});
    QTest::qWait(0);
    QVERIFY(!shown || !shown->isVisible());
}

// DragDelayed: nothing lifts until the pointer is 5 pixels from the press; short of that it is a click.
void TestPileViewDrag::delayedDragBeginsOnlyPastFivePixels() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    view->DragDelayed = true;
    GrantOnLeftPress(view);
    int clicks = 0;
    view->OnClick = [&](TCardPileView*) { ++clicks; };
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(view, {34, 54});
    QVERIFY(!view->IsDragging());
    QCOMPARE(view->Pile.size(), 5);
    MouseKit::Release(view, {34, 54});
    QCOMPARE(clicks, 1);

    MouseKit::Press(view, {30, 50});
    MouseKit::Move(view, {34, 50});
    QVERIFY(!view->IsDragging());
    MouseKit::Move(view, {30, 55});
    QVERIFY(view->IsDragging());
    QCOMPARE(view->Pile.size(), 2);
    MouseKit::Release(view, {30, 55});
    QCOMPARE(clicks, 1); // a drag is no click
    QCOMPARE(view->Pile.size(), 5);
}

// Over the bare table the window's DragOver answers; an accepted drop reaches its DragDrop.
void TestPileViewDrag::bareTableIsAskedThroughItsDragTarget() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    TCardPileView* other = NewView({150, 10}, 20.0f, 1);
    GrantOnLeftPress(view);
    view->OnStartDrag = [&](TCardPileView* sender) { sender->DropTarget = other; };
    m_table->Accept = true;
    MouseKit::Drag(view, {30, 50}, m_table.get(), {500, 400});
    QVERIFY(m_table->Asked > 0);
    QCOMPARE(m_table->LastSender, m_table.get());
    QCOMPARE(m_table->Dropped, 1);
    QCOMPARE(other->Pile.size(), 4);

    // A view without OnDragOver refuses and does not pass the question on.
    const int asked = m_table->Asked;
    MouseKit::Drag(other, {30, 70}, view, {30, 10});
    QCOMPARE(m_table->Asked, asked);
}

// Hidden views are not under the pointer; raise() and lower() decide which of two overlapping views is.
void TestPileViewDrag::hiddenAndLoweredViewsAreNotAsked() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    TCardPileView* below = NewView({300, 10}, 20.0f, 1);
    TCardPileView* above = NewView({300, 10}, 20.0f, 1);
    GrantOnLeftPress(view);
    QList<QWidget*> asked;
    auto record = [&](QWidget* sender, TCardPileView*) {
        asked << sender;
        return false;
    };
    below->OnDragOver = record;
    above->OnDragOver = record;

    MouseKit::Drag(view, {30, 50}, above, {30, 30}, 1);
    QCOMPARE(asked.last(), above);
    above->lower();
    MouseKit::Drag(view, {30, 50}, above, {30, 30}, 1);
    QCOMPARE(asked.last(), below);
    above->raise();
    above->hide();
    asked.clear();
    MouseKit::Drag(view, {30, 50}, below, {30, 30}, 1);
    QVERIFY(!asked.contains(above));
    QCOMPARE(asked.last(), below);
}

// A source hidden by its owner while its card travels still ends the drag, and shows again when the card
// returns.
void TestPileViewDrag::sourceHiddenWhileDraggingStillDropsAndReappears() {
    TCardPileView* view = NewView({10, 10}, 0.0f, 1);
    TCardPileView* target = NewView({300, 10}, 0.0f, 1);
    GrantOnLeftPress(view);
    view->OnStartDrag = [](TCardPileView* sender) { sender->hide(); };
    int ended = 0;
    view->OnEndDrag = [&](TCardPileView*) { ++ended; };
    target->OnDragOver = [](QWidget*, TCardPileView*) { return false; };
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(view, {40, 60});
    QVERIFY(view->isHidden());
    QVERIFY(view->IsDragging());
    MouseKit::Move(target, {30, 30});
    MouseKit::Release(target, {30, 30});
    QCOMPARE(ended, 1);
    QVERIFY(view->isVisible());
    QCOMPARE(view->Pile.size(), 1);

    // With a target it stays hidden and the card has moved.
    AcceptDrops(target);
    MouseKit::Drag(view, {30, 50}, target, {30, 30});
    QVERIFY(view->isHidden());
    QCOMPARE(target->Pile.size(), 2);
    QCOMPARE(view->Pile.size(), 0);
}

// Press and release inside is a click; a double-click raises OnDblClick, then the press again.
void TestPileViewDrag::clickAndDoubleClickReachTheOwner() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    QStringList log;
    view->OnMouseDown = [&](TCardPileView* sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        log << QString("down:%1").arg(sender->Pile.CardIndex(sender->SelectedCard));
    };
    view->OnClick = [&](TCardPileView*) { log << "click"; };
    view->OnDblClick = [&](TCardPileView*) { log << "dbl"; };
    MouseKit::Click(view, {30, 50});
    QCOMPARE(log, (QStringList{"down:2", "click"}));
    log.clear();
    MouseKit::Press(view, {30, 50});
    MouseKit::Release(m_table.get(), {500, 400}); // released outside: no click
    QCOMPARE(log, (QStringList{"down:2"}));
    log.clear();
    MouseKit::Click(view, {30, 50}, Qt::RightButton);
    QCOMPARE(log, (QStringList{"down:2"}));
    log.clear();
    QTest::qWait(600);
    MouseKit::DoubleClick(view, {30, 90});
    QCOMPARE(log, (QStringList{"down:4", "click", "dbl", "down:4"}));
}

// Escape, or losing the window, ends the drag as a refused drop and raises OnEndDrag once.
void TestPileViewDrag::escapeOrLostWindowEndsTheDragWithCardsHome() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    TCardPileView* target = NewView({300, 10}, 20.0f, 1);
    GrantOnLeftPress(view);
    AcceptDrops(target);
    int ended = 0;
    view->OnEndDrag = [&](TCardPileView* sender) {
        ++ended;
        QCOMPARE(sender->DropTarget, nullptr);
    };
    const QList<TCard*> all = Cards(view->Pile);
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(target, {30, 30});
    QTest::keyClick(m_table->windowHandle(), Qt::Key_Escape);
    QVERIFY(!view->IsDragging());
    QCOMPARE(ended, 1);
    QCOMPARE(Cards(view->Pile), all);
    MouseKit::Release(target, {30, 30});
    QCOMPARE(ended, 1);
    QCOMPARE(target->Pile.size(), 1);

    MouseKit::Press(view, {30, 50});
    MouseKit::Move(target, {30, 30});
    m_table->hide();
    QVERIFY(!view->IsDragging());
    QCOMPARE(ended, 2);
    QCOMPARE(Cards(view->Pile), all);

    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table.get()));
    MouseKit::ResetButtons();
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(target, {30, 30});
    view->CancelDrag();
    QCOMPARE(ended, 3);
    QCOMPARE(Cards(view->Pile), all);
    MouseKit::Release(target, {30, 30});
}

// A target destroyed mid-drag is forgotten; a source destroyed mid-drag ends it silently.
void TestPileViewDrag::viewsDestroyedDuringADragLeaveNothingDangling() {
    TCardPileView* view = NewView({10, 10}, 20.0f, 5);
    auto* target = NewView({300, 10}, 20.0f, 1);
    GrantOnLeftPress(view);
    AcceptDrops(target);
    const QList<TCard*> all = Cards(view->Pile);
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(target, {30, 30});
    QCOMPARE(view->DropTarget, target);
    delete target;
    QCOMPARE(view->DropTarget, nullptr);
    MouseKit::Move(m_table.get(), {350, 40});
    MouseKit::Release(m_table.get(), {350, 40});
    QCOMPARE(Cards(view->Pile), all);

    int ended = 0;
    view->OnEndDrag = [&](TCardPileView*) { ++ended; };
    MouseKit::Press(view, {30, 50});
    MouseKit::Move(view, {200, 200});
    QVERIFY(view->IsDragging());
    delete view;
    MouseKit::Move(m_table.get(), {300, 300});
    MouseKit::Release(m_table.get(), {300, 300});
    QCOMPARE(ended, 0);
    QTest::qWait(0);
    for (QWidget* w : m_table->findChildren<QWidget*>())
        QVERIFY(!w->isVisible());
}

// The hint is a tooltip shown only while hints are switched on.
void TestPileViewDrag::hintShowsOnlyWhenEnabled() {
    TCardPileView* view = NewView({10, 10}, 0.0f, 0);
    view->SetHint("24");
    QCOMPARE(view->toolTip(), QString());
    view->SetShowHint(true);
    QCOMPARE(view->toolTip(), QString("24"));
    view->SetHint("23");
    QCOMPARE(view->toolTip(), QString("23"));
    view->SetShowHint(false);
    QCOMPARE(view->toolTip(), QString());
    QCOMPARE(view->Hint(), QString("23"));
}

QTEST_MAIN(TestPileViewDrag)
#include "tst_pileview_drag.moc"
