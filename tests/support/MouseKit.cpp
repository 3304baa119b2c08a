#include "support/MouseKit.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

namespace MouseKit {

namespace {

QWindow* WindowOf(const QWidget* w) {
    QWindow* window = w->window()->windowHandle();
    Q_ASSERT_X(window, "MouseKit", "the widget's window must be shown");
    return window;
}

} // namespace

QPoint InWindow(const QWidget* w, QPoint local) {
    return w->mapTo(w->window(), local);
}

void Press(QWidget* w, QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(WindowOf(w), button, modifiers, InWindow(w, local));
}

void Move(QWidget* w, QPoint local) {
    QTest::mouseMove(WindowOf(w), InWindow(w, local));
}

void Release(QWidget* w, QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QTest::mouseRelease(WindowOf(w), button, modifiers, InWindow(w, local));
}

void Click(QWidget* w, QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(WindowOf(w), button, modifiers, InWindow(w, local));
}

void DoubleClick(QWidget* w, QPoint local) {
    QTest::mouseDClick(WindowOf(w), Qt::LeftButton, {}, InWindow(w, local));
}

void Drag(QWidget* from, QPoint fromLocal, QWidget* to, QPoint toLocal, int steps) {
    const QPoint start = InWindow(from, fromLocal);
    const QPoint end = to->mapTo(from->window(), toLocal);
    QWindow* window = WindowOf(from);
    QTest::mousePress(window, Qt::LeftButton, {}, start);
    for (int i = 1; i <= steps; ++i)
        QTest::mouseMove(window, start + (end - start) * i / steps);
    QTest::mouseRelease(window, Qt::LeftButton, {}, end);
}

void ResetButtons() {
    QTestPrivate::qtestMouseButtons = Qt::NoButton;
}

} // namespace MouseKit
