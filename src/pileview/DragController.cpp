#include "pileview/DragController.h"

#include "pileview/DragTarget.h"
#include "pileview/TCardPileView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace {

// The picture under the pointer. Mouse events pass through it, and childAt()
// does not see it, so the controls below still answer.
class TDragPicture : public QWidget {
public:
    TDragPicture(QWidget* parent, const QImage& picture) : QWidget(parent), m_picture(picture) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        // In logical pixels: the picture may be drawn for a high-density screen.
        const QSizeF size = picture.deviceIndependentSize();
        resize(qCeil(size.width()), qCeil(size.height()));
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter canvas(this);
        canvas.drawImage(QPoint(0, 0), m_picture);
    }

private:
    QImage m_picture;
};

} // namespace

TDragController::TDragController(TCardPileView* source) : m_source(source) {
}

TDragController::~TDragController() {
    Stop();
}

void TDragController::BeginKeyboard(const QImage& picture, QWidget* control, QPoint windowPos) {
    Begin(picture, QPoint(), windowPos);
    m_keyboard = true;
    m_keyControl = control;
}

void TDragController::SetKeyControl(QWidget* control, QPoint windowPos) {
    m_keyControl = control;
    if (m_picture)
        m_picture->move(windowPos - m_hotSpot);
}

void TDragController::Begin(const QImage& picture, QPoint hotSpot, QPoint windowPos) {
    Stop();
    m_keyboard = false;
    m_keyControl = nullptr;
    m_window = m_source->window();
    m_handle = m_window->windowHandle();
    m_hotSpot = hotSpot;
    m_accept = false;
    m_control = nullptr;
    auto* shown = new TDragPicture(m_window, picture); // owned by the window
    shown->move(windowPos - hotSpot);
    shown->show();
    shown->raise();
    m_picture = shown;
    m_active = true;
    qApp->installEventFilter(this);
}

void TDragController::Stop() {
    if (!m_active)
        return;
    m_active = false;
    qApp->removeEventFilter(this);
    if (m_picture) {
        m_picture->hide();
        m_picture->deleteLater();
    }
    m_picture = nullptr;
}

bool TDragController::Track(QPoint windowPos) {
    if (!m_window)
        return true;
    if (m_picture)
        m_picture->move(windowPos - m_hotSpot);

    QWidget* hit = nullptr;
    if (m_keyboard) {
        hit = m_keyControl;
    } else if (m_window->rect().contains(windowPos)) {
        hit = m_window->childAt(windowPos);
        if (!hit)
            hit = m_window;
    }
    return Ask(hit);
}

bool TDragController::Ask(QWidget* hit) {
    TCardPileView* source = m_source;
    QPointer<TCardPileView> alive(source);
    QPointer<QWidget> control;
    bool accept = false;
    for (QWidget* w = hit; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (auto* view = qobject_cast<TCardPileView*>(w)) {
            control = w;
            accept = view->OnDragOver ? view->OnDragOver(view, source) : false;
            break;
        }
        if (auto* target = dynamic_cast<TDragTarget*>(w)) {
            control = w;
            accept = target->DragOver(w, source);
            break;
        }
    }
    if (!alive)
        return false;
    m_control = control;
    m_accept = accept;
    return true;
}

void TDragController::PressDuringDrag(const QMouseEvent& mouse) {
    // Another button is a command of its own (the middle button's draw, the
    // popup menu). The cards go home first; then the press goes to the control
    // under the pointer, not to the view that holds the mouse since the left press.
    const QPointer<QWidget> window = m_window;
    const QPoint at = mouse.position().toPoint();
    m_source->FinishDrag(false, QPoint()); // `this` may be gone from here on
    if (!window)
        return;
    QPointer<QWidget> under = window->childAt(at);
    if (!under)
        under = window.data();
    const QPoint local = under->mapFrom(window, at);
    QMouseEvent press(mouse.type(), local, mouse.globalPosition(), mouse.button(), mouse.buttons(),
                      mouse.modifiers(), mouse.pointingDevice());
    QCoreApplication::sendEvent(under, &press);
    // The press was taken from Qt, and with it the popup menu it would have raised.
    if (under && mouse.button() == Qt::RightButton) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, local, mouse.globalPosition().toPoint(),
                               mouse.modifiers());
        QCoreApplication::sendEvent(under, &menu);
    }
}

bool TDragController::eventFilter(QObject* watched, QEvent* event) {
    if (!m_active)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        if (watched != m_handle)
            return false;
        if (m_keyboard) {
            // The mouse takes over: the cards go home and the press goes on.
            if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
                m_source->FinishDrag(false, QPoint());
            return false;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        const bool leftReleased = event->type() == QEvent::MouseButtonRelease
                                      ? mouse->button() == Qt::LeftButton
                                      : !(mouse->buttons() & Qt::LeftButton);
        if (leftReleased) {
            // Let the release go on afterwards, so Qt forgets the pressed widget.
            m_source->FinishDrag(true, at);
            return false;
        }
        const bool press =
            event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
        if (press && mouse->button() != Qt::LeftButton) {
            PressDuringDrag(*mouse);
            return true;
        }
        if (event->type() == QEvent::MouseMove)
            Track(at);
        return true; // the drag holds the mouse
    }
    case QEvent::KeyPress:
        if (!m_keyboard && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            m_source->FinishDrag(false, QPoint());
            return true;
        }
        return false;
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        if (watched == m_window)
            m_source->FinishDrag(false, QPoint());
        return false;
    case QEvent::ApplicationDeactivate:
        m_source->FinishDrag(false, QPoint());
        return false;
    default:
        return false;
    }
}
