#include "framework/KeyboardPlay.h"

#include "cards/TCard.h"
#include "framework/TGameForm.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

// The frame over the focused pile, on top of every view of the table. Presses
// go through it to the views below.
class TFocusFrame : public QWidget {
public:
    static constexpr int Margin = 3;

    explicit TFocusFrame(QWidget* table) : QWidget(table) {
        setObjectName(QStringLiteral("KeyboardFocusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }
    void SetHolding(bool holding) {
        if (holding != m_holding) {
            m_holding = holding;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter canvas(this);
        canvas.setRenderHint(QPainter::Antialiasing);
        const QRectF outer = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        // Yellow over a pile in focus, light blue over one that takes the held cards; a
        // dark edge inside keeps either visible on a light table.
        canvas.setPen(QPen(m_holding ? QColor(0x30, 0xC8, 0xFF) : QColor(0xFF, 0xD6, 0x00), 3));
        canvas.drawRoundedRect(outer, 5, 5);
        canvas.setPen(QPen(QColor(0, 0, 0, 160), 1));
        canvas.drawRoundedRect(outer.adjusted(2, 2, -2, -2), 4, 4);
    }

private:
    bool m_holding = false;
};

} // namespace

TKeyboardPlay::TKeyboardPlay(TGameForm* form)
    : QObject(form), m_form(form), m_frame(new TFocusFrame(form->Table())) {
}

TKeyboardPlay::~TKeyboardPlay() = default;

void TKeyboardPlay::SetEnabled(bool on) {
    if (on == m_enabled)
        return;
    if (!on)
        Cancel();
    m_enabled = on;
    m_shown = false;
    // A press of the mouse puts the focus where it lands and the frame away.
    for (TCardPileView* view : m_form->AllViews()) {
        if (on)
            view->installEventFilter(this);
        else
            view->removeEventFilter(this);
    }
    Place();
}

bool TKeyboardPlay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        if (auto* view = qobject_cast<TCardPileView*>(watched); view && m_enabled) {
            m_focus = view;
            m_card = nullptr;
            m_shown = false;
            Place();
        }
    }
    return false;
}

// ---- where the focus may go ----------------------------------------------------------

bool TKeyboardPlay::Navigable(const TCardPileView* view) const {
    return view && !view->isHidden() && m_form->Role(view) != TPileRole::Hidden &&
           (view->OnMouseDown || view->OnClick || view->OnDblClick);
}

QList<TCardPileView*> TKeyboardPlay::Targets() const {
    QList<TCardPileView*> targets;
    for (const QPointer<TCardPileView>& view : m_targets)
        if (view)
            targets.append(view);
    return targets;
}

QList<TCardPileView*> TKeyboardPlay::Stops() const {
    QList<TCardPileView*> stops;
    const QList<TCardPileView*> targets = Targets();
    for (TCardPileView* view : m_form->AllViews()) {
        if (m_source ? (view == m_source || targets.contains(view)) : Navigable(view))
            stops.append(view);
    }
    return stops;
}

int TKeyboardPlay::FocusIndex() const {
    if (!m_focus)
        return -1;
    const int index = m_card ? m_focus->Pile.CardIndex(m_card) : -1;
    return index >= 0 ? index : m_focus->Pile.size() - 1;
}

QRect TKeyboardPlay::Anchor(const TCardPileView* view, int index) const {
    const QRect card = view->CardRect(index);
    return QRect(view->mapTo(m_form->Table(), card.topLeft()), card.size());
}

QRect TKeyboardPlay::FrameRect() const {
    if (!m_focus)
        return {};
    // The focused card and every card above it: what Enter lifts.
    const int index = FocusIndex();
    QRect frame = Anchor(m_focus, index);
    if (!m_source)
        for (int i = index + 1; i < m_focus->Pile.size(); ++i)
            frame |= Anchor(m_focus, i);
    return frame;
}

// ---- keys --------------------------------------------------------------------------------

bool TKeyboardPlay::KeyPress(QKeyEvent* event) {
    if (!m_enabled)
        return false;
    // A drag of the mouse owns the table until it ends.
    for (const TCardPileView* view : m_form->AllViews())
        if (view->IsDragging() && view != m_source)
            return false;
    Sync();
    const bool shifted = event->modifiers().testAnyFlags(Qt::ShiftModifier | Qt::ControlModifier);
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!m_shown) {
            Show();
            return true;
        }
        Go(event->key() == Qt::Key_Left    ? TWay::Left
           : event->key() == Qt::Key_Right ? TWay::Right
           : event->key() == Qt::Key_Up    ? TWay::Up
                                           : TWay::Down);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_shown) {
            Show();
            return true;
        }
        Enter(shifted);
        return true;
    case Qt::Key_Escape:
        if (m_source) {
            Cancel();
            return true;
        }
        if (m_shown) {
            m_shown = false;
            Place();
            return true;
        }
        return false;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return false;
    default:
        // Any other key is a command of its own (the space bar's draw): held cards go home first.
        if (m_source)
            Cancel();
        return false;
    }
}

void TKeyboardPlay::Tab(bool next) {
    if (!m_enabled)
        return;
    Sync();
    if (!m_shown) {
        Show();
        return;
    }
    const QList<TCardPileView*> stops = Stops();
    if (stops.isEmpty())
        return;
    const qsizetype at = stops.indexOf(m_focus);
    const qsizetype n = stops.size();
    const qsizetype to = at < 0 ? 0 : (at + (next ? 1 : n - 1)) % n;
    m_focus = stops[to];
    m_card = nullptr;
    if (m_source)
        m_source->KeyHover(m_focus);
    Place();
}

void TKeyboardPlay::SetFocus(TCardPileView* view, TCard* card) {
    Sync();
    m_focus = view;
    m_card = card;
    if (m_source && view)
        m_source->KeyHover(view);
    Show();
}

void TKeyboardPlay::Show() {
    m_shown = true;
    if (!m_focus) {
        const QList<TCardPileView*> stops = Stops();
        if (!stops.isEmpty())
            m_focus = stops.first();
    }
    Place();
}

bool TKeyboardPlay::StepInFan(TWay way) {
    if (!m_focus || m_focus->YOffset <= 0.0f || (way != TWay::Up && way != TWay::Down))
        return false;
    const TCardPile& pile = m_focus->Pile;
    const int index = FocusIndex();
    if (way == TWay::Up) {
        if (index < 1 || !pile.CardAt(index - 1)->FaceUp)
            return false;
        m_card = pile.CardAt(index - 1);
        return true;
    }
    if (!m_card || index + 1 >= pile.size())
        return false;
    m_card = index + 1 == pile.size() - 1 ? nullptr : pile.CardAt(index + 1);
    return true;
}

void TKeyboardPlay::Go(TWay way) {
    if (!m_focus) {
        Show();
        return;
    }
    if (!m_source && StepInFan(way)) {
        Place();
        return;
    }
    // The nearest pile that way, judged by the piles' middles: lying across the way counts
    // twice as far as along it, and piles within a cone about the way come first.
    const QPoint from = m_focus->geometry().center();
    TCardPileView* best = nullptr;
    int bestScore = 0;
    bool bestInCone = false;
    for (TCardPileView* view : Stops()) {
        if (view == m_focus)
            continue;
        const QPoint to = view->geometry().center();
        const bool horizontal = way == TWay::Left || way == TWay::Right;
        const int along = (way == TWay::Right || way == TWay::Down)
                              ? (horizontal ? to.x() - from.x() : to.y() - from.y())
                              : (horizontal ? from.x() - to.x() : from.y() - to.y());
        const int across = horizontal ? qAbs(to.y() - from.y()) : qAbs(to.x() - from.x());
        if (along <= 0)
            continue;
        const bool inCone = across <= 2 * along;
        const int score = along + 2 * across;
        if (!best || (inCone && !bestInCone) || (inCone == bestInCone && score < bestScore)) {
            best = view;
            bestScore = score;
            bestInCone = inCone;
        }
    }
    if (!best)
        return;
    m_focus = best;
    m_card = nullptr;
    if (m_source)
        m_source->KeyHover(best);
    Place();
}

// ---- picking up and dropping ---------------------------------------------------------------

void TKeyboardPlay::Enter(bool shifted) {
    if (m_source) {
        Drop();
        return;
    }
    const QPointer<TCardPileView> view = m_focus.data();
    if (!view)
        return;
    const int index = FocusIndex();
    if (!shifted && m_form->KeyboardAction(view, index)) {
        TableChanged();
        return;
    }
    TCard* card = index >= 0 ? view->Pile.CardAt(index) : nullptr;
    if (view->KeyPress(card, shifted ? Qt::ShiftModifier : Qt::NoModifier) && view && view->IsDragging()) {
        m_source = view;
        m_targets.clear();
        for (TCardPileView* target : m_form->AllViews()) {
            if (target == view || target->isHidden() || !target->OnDragOver)
                continue;
            // Asked as a drag passing over it asks, the recorded target kept.
            TCardPileView* kept = view->DropTarget;
            view->DropTarget = nullptr;
            target->OnDragOver(target, view);
            if (view->DropTarget == target)
                m_targets.append(target);
            view->DropTarget = kept;
        }
        // What nothing takes goes straight back: a keyboard cannot carry it anywhere.
        const QList<TCardPileView*> targets = Targets();
        if (targets.isEmpty()) {
            m_source = nullptr;
            view->CancelDrag();
            TableChanged();
            return;
        }
        // Smart Dragging's choice first, when there is one.
        m_focus = targets.contains(view->DropTarget) ? view->DropTarget : view.data();
        m_card = nullptr;
        view->KeyHover(m_focus);
    }
    TableChanged();
}

void TKeyboardPlay::Drop() {
    const QPointer<TCardPileView> source = m_source.data();
    const QPointer<TCardPileView> target = m_focus.data();
    m_source = nullptr;
    m_targets.clear();
    m_card = nullptr;
    if (!source || !source->IsDragging())
        return;
    if (!target || target == source)
        source->CancelDrag();
    else
        source->KeyDrop(target);
    TableChanged();
}

void TKeyboardPlay::Cancel() {
    const QPointer<TCardPileView> source = m_source.data();
    m_source = nullptr;
    m_targets.clear();
    if (!source)
        return;
    m_focus = source;
    m_card = nullptr;
    if (source->IsDragging())
        source->CancelDrag();
    TableChanged();
}

void TKeyboardPlay::Sync() {
    if (m_source && !m_source->IsDragging()) {
        m_focus = m_source;
        m_source = nullptr;
        m_targets.clear();
    }
}

void TKeyboardPlay::TableChanged() {
    Sync();
    if (!m_enabled)
        return;
    if (m_card && (!m_focus || m_focus->Pile.CardIndex(m_card) < 0 || !m_card->FaceUp))
        m_card = nullptr;
    if (!m_source && !Navigable(m_focus)) {
        // The pile went away (a pyramid card): the nearest one left takes the focus.
        const QPoint was = m_frame->geometry().center();
        TCardPileView* nearest = nullptr;
        int best = 0;
        for (TCardPileView* view : Stops()) {
            const int distance = (view->geometry().center() - was).manhattanLength();
            if (!nearest || distance < best) {
                nearest = view;
                best = distance;
            }
        }
        m_focus = nearest;
        m_card = nullptr;
    }
    Place();
}

void TKeyboardPlay::Place() {
    auto* frame = static_cast<TFocusFrame*>(m_frame);
    if (!m_enabled || !m_shown || !m_focus) {
        frame->hide();
        return;
    }
    const int m = TFocusFrame::Margin;
    frame->setGeometry(FrameRect().adjusted(-m, -m, m, m));
    frame->SetHolding(m_source != nullptr);
    frame->show();
    frame->raise();
}
