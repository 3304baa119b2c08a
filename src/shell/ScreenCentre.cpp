#include "shell/ScreenCentre.h"

#include "framework/core/WindowPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

namespace {

QMargins FrameOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

// The frame the window has, or will have once the window manager adds it.
QMargins ExpectedFrame(const QWidget* window, const QWidget* near) {
    if (window->isVisible())
        return FrameOf(window);
    if (near && near->window()->isVisible())
        return FrameOf(near->window());
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other->isVisible() && other->windowType() != Qt::Popup && other->windowType() != Qt::ToolTip)
            return FrameOf(other);
    }
    return {};
}

const QScreen* ScreenNear(const QWidget* near) {
    const QScreen* screen = near ? near->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

void Place(QWidget* window, const QWidget* near, bool fit) {
    const QScreen* screen = ScreenNear(near);
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins frame = ExpectedFrame(window, near);
    if (fit)
        window->resize(window->size().boundedTo(available.size().shrunkBy(frame)));
    // move() places the frame's corner.
    window->move(WindowPlacement::Centred(window->size().grownBy(frame), available).topLeft());
}

} // namespace

void CentreOnScreen(QWidget* window, const QWidget* near) {
    Place(window, near, false);
}

void FitOnScreen(QWidget* window, const QWidget* near) {
    Place(window, near, true);
}
