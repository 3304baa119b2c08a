#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <QWindow>

class QMouseEvent;
class TCardPileView;

// Carries one drag of a pile view to its end. Our own machinery rather than
// QDrag: the whole drag stays inside one window, must run headless under test,
// and the source may be hidden while its cards travel.
//
// While active it watches the application's events: the top-level window's
// mouse moves move the picture and ask the control under the pointer whether
// it accepts the group; the left release, Escape or losing the window ends the
// drag through the source view; another button ends it as a refused drop and
// then runs its own command.
class TDragController : public QObject {
    Q_OBJECT
public:
    explicit TDragController(TCardPileView* source);
    ~TDragController() override;

    bool IsActive() const { return m_active; }
    // Starts following the pointer from windowPos (top-level coordinates); the
    // picture is drawn with its hot spot under the pointer.
    void Begin(const QImage& picture, QPoint hotSpot, QPoint windowPos);
    // Starts a drag carried by the keyboard: the control to ask is named, not
    // found under the pointer; the mouse only ends it (a press puts the group
    // back and goes on), and Escape is left to the window's keyboard play.
    void BeginKeyboard(const QImage& picture, QWidget* control, QPoint windowPos);
    bool IsKeyboard() const { return m_keyboard; }
    // The control a keyboard drag asks next, and where its picture lies.
    void SetKeyControl(QWidget* control, QPoint windowPos);
    // Removes the picture and stops watching events; safe to call twice.
    void Stop();
    // Asks the control under windowPos. Returns false when the source view was
    // destroyed by a handler (then nothing of this object may be touched).
    bool Track(QPoint windowPos);

    bool Accepted() const { return m_accept && m_control; }
    QWidget* LastControl() const { return m_control; }
    QWidget* Picture() const { return m_picture; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Asks the pile view or drag target at or above `hit`.
    bool Ask(QWidget* hit);
    void PressDuringDrag(const QMouseEvent& mouse);

    TCardPileView* m_source;
    QPointer<QWidget> m_window;
    QPointer<QWindow> m_handle;
    QPointer<QWidget> m_picture;
    QPointer<QWidget> m_control;
    QPoint m_hotSpot;
    bool m_accept = false;
    bool m_active = false;
    bool m_keyboard = false;
    QPointer<QWidget> m_keyControl;
};
