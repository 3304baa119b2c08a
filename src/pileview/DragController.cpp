#include "pileview/DragController.h"

#include "pileview/DragTarget.h"
#include "pileview/TCardPileView.h"

#include <QApplication>
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

void TDragController::Begin(const QImage& picture, QPoint hotSpot, QPoint windowPos) {
    Stop();
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
    if (m_window->rect().contains(windowPos)) {
        hit = m_window->childAt(windowPos);
        if (!hit)
            hit = m_window;
    }
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
        if (event->type() == QEvent::MouseMove)
            Track(at);
        return true; // the drag holds the mouse
    }
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
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
