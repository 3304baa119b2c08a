#pragma once

#include "cards/TCardPile.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>

class TCard;
class TDragController;

enum _PileBitmap { FS_BLANK = 0, FS_RECYCLE = 1, FS_EMPTY = 2 };
enum _BackgroundType { FS_NORMAL = 0, FS_BITMAP = 1 };

// Shows one pile of cards on the table, finds the card under the mouse and
// lifts, shows and drops groups of cards dragged to other views.
class TCardPileView : public QWidget {
    Q_OBJECT
public:
    explicit TCardPileView(QWidget* parent = nullptr);
    ~TCardPileView() override;

    // Layout properties; repaint after changing them.
    float XOffset = 0.0f;
    float YOffset = 0.0f;
    bool IsBordered = false;
    bool AllowDrag = false;
    bool DragDelayed = false;
    _PileBitmap State = FS_BLANK;
    _BackgroundType BackgroundMode = FS_NORMAL;

    TCardPile Pile;                            // bottom first; the cards belong to the game
    TCard* SelectedCard = nullptr;             // card hit by the last left press
    TCardPile DragPile;                        // group lifted by the current or last drag
    bool DragPermission = false;               // granted by OnMouseDown for this press
    TCardPileView* DropTarget = nullptr;       // where the current drag's group goes
    bool ManualDrop = false;                   // the owner moves dropped groups itself
    const QImage* BackgroundPicture = nullptr; // full-window picture, not owned
    QRect HitRect;                             // last card rectangle tested
    QPoint GrabOffset;                         // press point minus the selected card's corner

    std::function<void(TCardPileView* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                       int y)>
        OnMouseDown;
    std::function<void(TCardPileView* sender)> OnClick;
    std::function<void(TCardPileView* sender)> OnDblClick;
    std::function<void(TCardPileView* sender)> OnStartDrag;
    std::function<bool(QWidget* sender, TCardPileView* source)> OnDragOver;
    std::function<void(QWidget* sender, TCardPileView* source)> OnDragDrop;
    std::function<void(TCardPileView* sender)> OnEndDrag;

    void SetHint(const QString& text);
    void SetShowHint(bool show);
    QString Hint() const { return m_hint; }
    bool ShowHint() const { return m_showHint; }

    // A passing mark (a hint): cards `first` to the top are framed; with `first` at or past
    // the top, the place a first card takes. -1: no mark.
    void SetHighlight(int first);
    int Highlight() const { return m_highlight; }

    static void LoadPileBitmaps(bool lowColor);

    // Composes the whole view on canvas (background, frame, cards, empty mark)
    // and stores each card's position for the hit test.
    void Paint(QPainter& canvas);
    const QImage& DragImage() const { return m_dragImage; }
    bool IsDragging() const;
    // Ends a drag in progress as a refused drop: the group goes home.
    void CancelDrag();

    // Where the card at `index` lies, as the next paint lays it out; with no
    // such card, the place a first card would take.
    QRect CardRect(int index) const;

    // Keyboard play: a left press on `card` (null: on no card) with `shift`,
    // as the mouse gives it; when the owner grants the drag permission the
    // group is lifted at once into a keyboard drag and true is returned, else
    // the press ends as a click (OnClick).
    bool KeyPress(TCard* card, Qt::KeyboardModifiers shift);
    // Moves a keyboard drag's picture over `target` (a pile view of the same window).
    void KeyHover(QWidget* target);
    // Ends a keyboard drag by dropping on `target`, asked as the pointer would have asked it.
    void KeyDrop(QWidget* target);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class TDragController;

    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at);
    void BeginDrag(QPoint at, bool keyboard = false);
    void BuildDragImage();
    // Moves (ax, ay) past `card` to the next card's corner; the steps are scaled by `scale`.
    void Advance(const TCard* card, float& ax, float& ay, QPointF scale = {1.0, 1.0}) const;
    // How much the fan's steps shrink so that the top card lies wholly inside the view.
    QPointF FanScale() const;
    // Called by the controller: the left release at windowPos, or a lost drag.
    void FinishDrag(bool drop, QPoint windowPos);
    // Where a keyboard drag's picture lies over `target`, in window pixels.
    QPoint KeyDropPoint(QWidget* target) const;
    void DoEndDrag();

    std::unique_ptr<TDragController> m_drag;
    QImage m_dragImage;
    QString m_hint;
    bool m_showHint = false;
    int m_highlight = -1;
    bool m_leftDown = false; // a left press of ours is held, no drag begun yet
    QPoint m_pressPos;
};
