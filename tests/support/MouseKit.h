#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

// Synthetic mouse input through the widget's top-level window, as a real mouse
// arrives: the pressed widget keeps the moves and the release (implicit grab).
// Positions are in the named widget's own pixels.
namespace MouseKit {

// The window position of a point of w.
QPoint InWindow(const QWidget* w, QPoint local);

void Press(QWidget* w, QPoint local, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = {});
void Move(QWidget* w, QPoint local);
void Release(QWidget* w, QPoint local, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = {});
void Click(QWidget* w, QPoint local, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = {});
// Press, release, double-click and release, the way a real double-click comes.
void DoubleClick(QWidget* w, QPoint local);
// Press on from, move in steps onto to, release there.
void Drag(QWidget* from, QPoint fromLocal, QWidget* to, QPoint toLocal, int steps = 4);
// Forgets buttons QtTest believes held (call from cleanup()).
void ResetButtons();

} // namespace MouseKit
