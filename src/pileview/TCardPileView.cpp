#include "pileview/TCardPileView.h"

#include "cards/Resources.h"
#include "cards/TCard.h"
#include "pileview/DragController.h"
#include "pileview/DragTarget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int DragThreshold = 5;

// Every live view, so a view that goes away is never left as another's target.
QList<TCardPileView*>& LiveViews() {
    static QList<TCardPileView*> views;
    return views;
}

bool SmallCards() {
    return TCard::GetCardSize() == FS_SMALL;
}

// The part `place` (in the window's logical pixels) of the window's
// background picture, drawn at the view's origin; the picture may hold more
// device pixels than logical ones.
void DrawBackgroundPart(QPainter& canvas, const QImage& picture, const QRect& place) {
    const qreal ratio = picture.devicePixelRatio();
    if (ratio == 1.0) {
        canvas.drawImage(QPoint(0, 0), picture, place);
        return;
    }
    canvas.drawImage(
        QPointF(0, 0), picture,
        QRectF(place.x() * ratio, place.y() * ratio, place.width() * ratio, place.height() * ratio));
}

// The edge of a face-down card under the top of a stock. On a high-density
// screen the line stays one device pixel thin and smooth, so that a stack
// shows its edges as fine lines rather than a solid band.
void DrawCardEdge(QPainter& canvas, int x, int y, int w, int h, qreal corner, bool filled) {
    canvas.setBrush(filled ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
    const qreal ratio = canvas.device() ? canvas.device()->devicePixelRatioF() : 1.0;
    if (ratio == 1.0) {
        canvas.setPen(QPen(Qt::black, 1));
        canvas.drawRoundedRect(QRectF(x, y, w - 1, h - 1), corner, corner);
        return;
    }
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing);
    canvas.setPen(QPen(Qt::black, 0)); // cosmetic: one device pixel
    const qreal half = 0.5 / ratio;
    canvas.drawRoundedRect(QRectF(x + half, y + half, w - 2 * half, h - 2 * half), corner, corner);
    canvas.restore();
}

} // namespace

TCardPileView::TCardPileView(QWidget* parent)
    : QWidget(parent), m_drag(std::make_unique<TDragController>(this)) {
    resize(TCard::Width(), TCard::Height());
    // Paint covers every pixel, so Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    LiveViews().append(this);
    try {
        LoadPileBitmaps(false);
    } catch (const Resources::EResNotFound&) {
        // Without the marks an empty pile simply shows no mark.
    }
}

TCardPileView::~TCardPileView() {
    // A drag cut short by destruction ends silently: the owner may be half
    // destroyed already, so no handler runs; the cards belong to the game.
    m_drag->Stop();
    LiveViews().removeOne(this);
    for (TCardPileView* view : LiveViews())
        if (view->DropTarget == this)
            view->DropTarget = nullptr;
    Pile.Empty(false);
    DragPile.Empty(false);
}

void TCardPileView::SetHint(const QString& text) {
    m_hint = text;
    setToolTip(m_showHint ? m_hint : QString());
}

void TCardPileView::SetShowHint(bool show) {
    m_showHint = show;
    setToolTip(m_showHint ? m_hint : QString());
}

void TCardPileView::LoadPileBitmaps(bool lowColor) {
    TCard::LoadPileMarks(lowColor);
}

bool TCardPileView::IsDragging() const {
    return m_drag->IsActive();
}

void TCardPileView::Advance(const TCard* card, float& ax, float& ay, QPointF scale) const {
    float dx = XOffset;
    float dy = YOffset;
    if (!card->FaceUp && AllowDrag) {
        // A face-down card in a column shows only a narrow strip.
        const float step = SmallCards() ? 6.0f : 8.0f;
        dx = XOffset > 0.0f ? step : 0.0f;
        dy = YOffset > 0.0f ? step : 0.0f;
    }
    // A fan that fits is laid out exactly as its offsets say.
    ax += scale.x() == 1.0 ? dx : static_cast<float>(dx * scale.x());
    ay += scale.y() == 1.0 ? dy : static_cast<float>(dy * scale.y());
}

QPointF TCardPileView::FanScale() const {
    const int n = Pile.size();
    if (n < 2)
        return {1.0, 1.0};
    float ax = 0.0f;
    float ay = 0.0f;
    for (int i = 0; i < n - 1; ++i)
        Advance(Pile.Cards[i], ax, ay);
    // The top card's corner may lie at most this far in; beyond it, a long waste or column would
    // push its only playable card out of reach.
    const float roomX = static_cast<float>(width() - TCard::Width());
    const float roomY = static_cast<float>(height() - TCard::Height());
    // The hundredth of a pixel keeps float sums from truncating to one pixel short of the edge.
    const auto shrink = [](float used, float room) {
        return used > room && used > 0.0f ? std::max(0.0, (room + 0.01) / used) : 1.0;
    };
    return {shrink(ax, roomX), shrink(ay, roomY)};
}

void TCardPileView::Paint(QPainter& canvas) {
    const int w = width();
    const int h = height();

    if (BackgroundMode == FS_BITMAP && BackgroundPicture && !BackgroundPicture->isNull()) {
        const QRect place(x(), y(), w, h);
        // A picture smaller than the window must not leave stale pixels.
        const QRect logical(QPoint(0, 0), BackgroundPicture->deviceIndependentSize().toSize());
        if (!logical.contains(place))
            canvas.fillRect(0, 0, w, h, palette().color(QPalette::Window));
        DrawBackgroundPart(canvas, *BackgroundPicture, place);
    } else {
        canvas.fillRect(0, 0, w, h, palette().color(QPalette::Window));
    }

    if (IsBordered) {
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(QPen(Qt::black, 1));
        canvas.drawRect(QRect(0, 0, w - 2, h - 2)); // pixels 0 .. w-2
        canvas.setPen(QPen(QColor(128, 128, 128), 1));
        canvas.drawRect(QRect(1, 1, w - 2, h - 2)); // pixels 1 .. w-1
    }

    const int n = Pile.size();
    if (n > 0) {
        const int cw = TCard::Width();
        const int ch = TCard::Height();
        const qreal corner = SmallCards() ? 1.0 : 3.5; // ellipses 2 x 2 and 7 x 7
        const bool squared = XOffset == 0.0f && YOffset == 0.0f;
        const QPointF scale = FanScale();
        float ax = 0.0f;
        float ay = 0.0f;
        for (int i = 0; i < n; ++i) {
            TCard* card = Pile.Cards[i];
            const int cx = static_cast<int>(ax);
            const int cy = static_cast<int>(ay);
            card->PosX = static_cast<float>(cx);
            card->PosY = static_cast<float>(cy);
            const bool top = i == n - 1;
            if (!top && squared)
                continue;
            if (!card->FaceUp && !AllowDrag && !top) {
                DrawCardEdge(canvas, cx, cy, cw, ch, corner, i == 0);
            } else {
                card->DrawCardOnCanvas(QPoint(cx, cy), canvas);
            }
            Advance(card, ax, ay, scale);
        }
    } else if (State == FS_RECYCLE || State == FS_EMPTY) {
        const QImage& mark = TCard::PileMarks()[State == FS_RECYCLE ? 0 : 1];
        if (!mark.isNull())
            canvas.drawImage(QPoint(0, 0), mark);
    }

    if (m_highlight >= 0) {
        // After the cards, whose corners the loop above has just placed.
        const QSize size(TCard::Width(), TCard::Height());
        QRect marked(QPoint(0, 0), size);
        if (m_highlight < n) {
            marked = QRect();
            for (int i = m_highlight; i < n; ++i)
                marked |= QRect(
                    QPoint(static_cast<int>(Pile.Cards[i]->PosX), static_cast<int>(Pile.Cards[i]->PosY)),
                    size);
        }
        canvas.setRenderHint(QPainter::Antialiasing, true);
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(QPen(QColor(255, 200, 0), 3));
        canvas.drawRoundedRect(QRectF(marked).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
        canvas.setRenderHint(QPainter::Antialiasing, false);
    }
}

void TCardPileView::SetHighlight(int first) {
    if (first == m_highlight)
        return;
    m_highlight = first;
    update();
}

void TCardPileView::paintEvent(QPaintEvent* /*event*/) {
    if (!isVisible())
        return;
    // Qt's backing store is the off-screen picture: the whole view is composed
    // there and shown at once, so a repaint never flickers.
    QPainter canvas(this);
    Paint(canvas);
}

void TCardPileView::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at) {
    DragPermission = false;
    DropTarget = nullptr;
    if (button == Qt::LeftButton) {
        SelectedCard = nullptr;
        const int cw = TCard::Width();
        const int ch = TCard::Height();
        for (int i = Pile.size() - 1; i >= 0; --i) {
            const TCard* card = Pile.Cards[i];
            HitRect = QRect(static_cast<int>(card->PosX), static_cast<int>(card->PosY), cw, ch);
            if (HitRect.contains(at)) {
                SelectedCard = Pile.Cards[i];
                GrabOffset = at - HitRect.topLeft();
                break;
            }
        }
    }
    if (OnMouseDown)
        OnMouseDown(this, button, shift, at.x(), at.y());
}

void TCardPileView::mousePressEvent(QMouseEvent* event) {
    if (IsDragging())
        return;
    const QPoint at = event->position().toPoint();
    m_leftDown = event->button() == Qt::LeftButton;
    m_pressPos = at;
    MouseDown(event->button(), event->modifiers(), at);
}

void TCardPileView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (IsDragging())
        return;
    const QPoint at = event->position().toPoint();
    // The second press of a double-click is no click of its own.
    m_leftDown = false;
    m_pressPos = at;
    QPointer<TCardPileView> self(this);
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
    if (self)
        MouseDown(event->button(), event->modifiers(), at);
}

void TCardPileView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_leftDown || IsDragging() || !(event->buttons() & Qt::LeftButton))
        return;
    if (!DragPermission || !AllowDrag)
        return;
    // A permission without a card of this pile cannot lift anything.
    if (!SelectedCard || Pile.CardIndex(SelectedCard) < 0)
        return;
    const QPoint at = event->position().toPoint();
    if (DragDelayed && std::abs(at.x() - m_pressPos.x()) < DragThreshold &&
        std::abs(at.y() - m_pressPos.y()) < DragThreshold)
        return;
    BeginDrag(at);
}

void TCardPileView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_leftDown && rect().contains(event->position().toPoint());
    m_leftDown = false;
    if (click && OnClick)
        OnClick(this);
}

void TCardPileView::BuildDragImage() {
    const int m = DragPile.size();
    const int w = static_cast<int>(static_cast<float>(m) * XOffset + static_cast<float>(TCard::Width()));
    const int h = static_cast<int>(static_cast<float>(m) * YOffset + static_cast<float>(TCard::Height()));
    // Drawn at the screen's density, so the lifted cards look as sharp as on the table.
    const qreal ratio = devicePixelRatioF();
    // Transparent wherever no card covers it, the cards' smooth corners included.
    QImage picture(QSize(std::max(w, 1), std::max(h, 1)) * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    {
        QPainter canvas(&picture);
        float ax = 0.0f;
        float ay = 0.0f;
        for (const TCard* card : DragPile.Cards) {
            card->DrawCardOnCanvas(QPoint(static_cast<int>(ax), static_cast<int>(ay)), canvas);
            Advance(card, ax, ay);
        }
    }
    m_dragImage = picture;
}

void TCardPileView::BeginDrag(QPoint at, bool keyboard) {
    m_leftDown = false; // the drag owns the rest of this press
    DragPile.Empty(false);
    const int k = Pile.CardIndex(SelectedCard);
    const int n = Pile.size();
    for (int i = k; i < n; ++i)
        DragPile.AddCard(Pile.Cards[i]);
    for (int i = n - 1; i >= k; --i)
        Pile.Cards.removeAt(i);
    BuildDragImage();

    const QPoint windowPos = mapTo(window(), at);
    if (keyboard)
        m_drag->BeginKeyboard(m_dragImage, this, mapTo(window(), at - GrabOffset));
    else
        m_drag->Begin(m_dragImage, GrabOffset, windowPos);
    QPointer<TCardPileView> self(this);
    if (OnStartDrag)
        OnStartDrag(this);
    if (!self)
        return;
    update();
    if (m_drag->IsActive() && !keyboard)
        m_drag->Track(windowPos);
}

void TCardPileView::CancelDrag() {
    FinishDrag(false, QPoint());
}

void TCardPileView::FinishDrag(bool drop, QPoint windowPos) {
    if (!m_drag->IsActive())
        return;
    QPointer<TCardPileView> self(this);
    bool dropped = false;
    if (drop) {
        // The release point is the last place asked.
        if (!m_drag->Track(windowPos))
            return;
        QPointer<QWidget> control = m_drag->LastControl();
        const bool accept = m_drag->Accepted();
        m_drag->Stop();
        if (accept && control) {
            if (auto* view = qobject_cast<TCardPileView*>(control.data())) {
                if (view->OnDragDrop) {
                    dropped = true;
                    view->OnDragDrop(view, this);
                }
            } else if (auto* target = dynamic_cast<TDragTarget*>(control.data())) {
                dropped = true;
                target->DragDrop(control, this);
            }
            if (!self)
                return;
        }
    } else {
        m_drag->Stop();
        DropTarget = nullptr;
    }
    // Nobody took a manually dropped group: it goes home rather than being
    // left in the drag pile only.
    if (ManualDrop && !dropped)
        DropTarget = nullptr;
    DoEndDrag();
}

void TCardPileView::DoEndDrag() {
    if (!DropTarget || DropTarget == this) {
        DropTarget = nullptr;
        Pile.AddPile(DragPile);
        setVisible(true); // the owner may have hidden the view while dragging
        repaint();
    } else if (!ManualDrop) {
        DropTarget->Pile.AddPile(DragPile);
        DropTarget->repaint();
    }
    if (OnEndDrag)
        OnEndDrag(this);
}

// ---- keyboard play ---------------------------------------------------------------

QRect TCardPileView::CardRect(int index) const {
    const QSize card(TCard::Width(), TCard::Height());
    if (index < 0 || index >= Pile.size())
        return QRect(QPoint(0, 0), card);
    // The layout of Paint, without painting.
    const QPointF scale = FanScale();
    float ax = 0.0f;
    float ay = 0.0f;
    for (int i = 0; i < index; ++i)
        Advance(Pile.Cards[i], ax, ay, scale);
    return QRect(QPoint(static_cast<int>(ax), static_cast<int>(ay)), card);
}

bool TCardPileView::KeyPress(TCard* card, Qt::KeyboardModifiers shift) {
    if (IsDragging())
        return false;
    const int index = Pile.CardIndex(card);
    const QRect place = CardRect(index);
    // As if pressed a little inside the card's top edge, where a fan shows every card.
    const QPoint at = place.topLeft() + QPoint(place.width() / 2, 4);
    DragPermission = false;
    DropTarget = nullptr;
    SelectedCard = index >= 0 ? card : nullptr;
    GrabOffset = at - place.topLeft();
    QPointer<TCardPileView> self(this);
    if (OnMouseDown)
        OnMouseDown(this, Qt::LeftButton, shift, at.x(), at.y());
    if (!self)
        return false;
    if (DragPermission && AllowDrag && SelectedCard && Pile.CardIndex(SelectedCard) >= 0) {
        BeginDrag(at, true);
        return true;
    }
    if (OnClick)
        OnClick(this);
    return false;
}

void TCardPileView::KeyHover(QWidget* target) {
    if (!m_drag->IsActive() || !m_drag->IsKeyboard() || !target)
        return;
    m_drag->SetKeyControl(target, KeyDropPoint(target));
}

void TCardPileView::KeyDrop(QWidget* target) {
    if (!m_drag->IsActive() || !m_drag->IsKeyboard())
        return;
    const QPoint at = target ? KeyDropPoint(target) : QPoint();
    m_drag->SetKeyControl(target, at);
    FinishDrag(true, at);
}

QPoint TCardPileView::KeyDropPoint(QWidget* target) const {
    // The picture lies a little below the target's top card, as if about to land on it.
    QRect place(QPoint(0, 0), QSize(TCard::Width(), TCard::Height()));
    if (auto* view = qobject_cast<TCardPileView*>(target))
        place = view->CardRect(view->Pile.size() - 1);
    const int step = SmallCards() ? 12 : 16;
    return target->mapTo(window(), place.topLeft() + QPoint(step / 2, step));
}
