#pragma once

class QWidget;

// Centres a top-level window on the screen that `near` (any widget, or null for
// the primary screen) lies on, its frame wholly on that screen's free area. It
// works before the window is first shown: the frame is then taken to be as wide
// as the frame of a window already on the screen.
void CentreOnScreen(QWidget* window, const QWidget* near = nullptr);
// The same for a resizable window, made smaller first where the screen is.
void FitOnScreen(QWidget* window, const QWidget* near = nullptr);
