#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

#include "pileview/TCardPileView.h"

class QKeyEvent;
class TCard;
class TCardPileView;
class TGameForm;

// Plays a game window from the keyboard through the very handlers the mouse
// drives. A frame shows the focused pile (and card); the arrow keys move it to
// the nearest pile that way, Tab and Shift+Tab in layout order, and Up/Down
// walk the face-up cards of a fanned column. Enter is a left press on the
// focused card: when the game grants the drag, the group is lifted as a drag
// would lift it, the arrows then go over the piles that would take it, Enter
// drops it there through the same drop path as the mouse, and Escape puts it
// back; otherwise the press ends as a click. Shift+Enter is a Shift-click. A
// game can act at once on Enter instead (TGameForm::KeyboardAction).
class TKeyboardPlay : public QObject {
    Q_OBJECT

public:
    explicit TKeyboardPlay(TGameForm* form);
    ~TKeyboardPlay() override;

    void SetEnabled(bool on);
    bool Enabled() const { return m_enabled; }
    // A key of keyboard play; false for keys it leaves to the window. The first key
    // only shows the frame.
    bool KeyPress(QKeyEvent* event);
    void Tab(bool next);

    // Focuses `view` (null card: its top card) and shows the frame.
    void SetFocus(TCardPileView* view, TCard* card = nullptr);
    TCardPileView* Focus() const { return m_focus; }
    // The focused card's index in its pile, or -1 on an empty pile.
    int FocusIndex() const;
    bool FrameShown() const { return m_shown; }
    // The view whose cards Enter lifted, while they are held.
    TCardPileView* Holding() const { return m_source && m_source->IsDragging() ? m_source.data() : nullptr; }
    // The piles that take the held cards, in layout order.
    QList<TCardPileView*> Targets() const;
    // Where the frame lies, in table pixels.
    QRect FrameRect() const;

    // The table changed: the focus moves off piles that went away, the frame follows.
    void TableChanged();
    // Puts held cards back on their pile.
    void Cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class TWay { Left, Right, Up, Down };

    bool Navigable(const TCardPileView* view) const;
    // What the arrows and Tab go over now: the piles, or while holding the targets and the source.
    QList<TCardPileView*> Stops() const;
    QRect Anchor(const TCardPileView* view, int index) const;
    void Go(TWay way);
    bool StepInFan(TWay way);
    void Enter(bool shifted);
    void Drop();
    // Forgets a hold that ended without us (the mouse, a command).
    void Sync();
    void Show();
    void Place();

    TGameForm* m_form;
    QWidget* m_frame;
    QPointer<TCardPileView> m_focus;
    TCard* m_card = nullptr; // the focused card when not the top one
    QPointer<TCardPileView> m_source;
    QList<QPointer<TCardPileView>> m_targets;
    bool m_enabled = false;
    bool m_shown = false;
};
