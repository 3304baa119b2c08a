#pragma once

class QWidget;
class TCardPileView;

// A window (or any widget that is not a pile view) that takes part in drags:
// it answers whether a group dragged over it may be dropped there.
class TDragTarget {
public:
    virtual ~TDragTarget() = default;
    virtual bool DragOver(QWidget* sender, TCardPileView* source) = 0;
    virtual void DragDrop(QWidget* /*sender*/, TCardPileView* /*source*/) {}
};
