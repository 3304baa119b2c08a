#include "games/pyramid/TPyramidForm.h"

#include "cards/PyramidRules.h"
#include "framework/TSoundManager.h"

#include <QLabel>

namespace PR = PyramidRules;

TGameLayout TPyramidForm::BuildLayout(const TGeometry& g) {
    TGameLayout l;
    l.ClientWidth = g.ClientWidth;
    l.ClientHeight = g.ClientHeight;
    l.MinTrackHeight = 0; // neither wider nor taller
    for (int row = 1; row <= PR::Rows; ++row) {
        const std::vector<int> lefts(g.Lefts[row - 1].begin(), g.Lefts[row - 1].begin() + row);
        AddRow(l, QStringLiteral("CardPileView"), PR::PositionAt(row, 1) + 1, lefts,
               {{}, TPileRole::Tableau, 0, g.RowTops[row - 1], g.CardWidth, g.CardHeight});
    }
    const auto pile = [&](const char* name, TPileRole role, const QRect& r, float offset, _PileBitmap state,
                          bool bordered, bool drag) {
        l.Piles.push_back({QString::fromLatin1(name), role, r.x(), r.y(), r.width(), r.height(), offset,
                           offset, state, bordered, drag});
    };
    pile("DeckPileView", TPileRole::Stock, g.Deck, g.PileOffset, FS_RECYCLE, false, false);
    pile("PlayPileView", TPileRole::Waste, g.Play, 0.0f, FS_BLANK, false, true);
    pile("WastePileView", TPileRole::Waste, g.Waste, g.PileOffset, FS_BLANK, false, true);
    pile("DiscardPileView", TPileRole::Other, g.Discard, 0.0f, FS_BLANK, true, false);
    l.Labels.push_back({"Label1", "First Pass", g.LabelAt.x(), g.LabelAt.y(), g.LabelPixelHeight, true});
    return l;
}

const TGameLayout& TPyramidForm::LargeLayout() {
    static const TGameLayout layout = BuildLayout({
        640,
        586,
        {8, 56, 104, 152, 200, 248, 296},
        {{{288},
          {240, 328},
          {192, 280, 368},
          {144, 232, 320, 408},
          {104, 192, 280, 368, 456},
          {56, 144, 232, 320, 408, 496},
          {16, 104, 192, 280, 368, 456, 544}}},
        80,
        125,
        QRect(136, 432, 113, 145),
        QRect(272, 432, 80, 125),
        QRect(368, 432, 113, 145),
        QRect(544, 440, 80, 125),
        0.6f,
        QPoint(8, 560),
        16,
    });
    return layout;
}

TPyramidForm::TPyramidForm(TAppContext& context, QWidget* parent)
    : TPyramidForm(context, false, LargeLayout(), parent) {
}

TPyramidForm::TPyramidForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent)
    : TGameForm(context, GI_PYRAMID, small, layout, parent) {
    m_deck = View(QStringLiteral("DeckPileView"));
    m_play = View(QStringLiteral("PlayPileView"));
    m_waste = View(QStringLiteral("WastePileView"));
    m_discard = View(QStringLiteral("DiscardPileView"));
    BindHandlers();
    AddUndoItem();
    AddSeparator();
    AddGameItems();
    ColourPassLabel();
    Initialize();
}

void TPyramidForm::BindHandlers() {
    // Every drop is carried out here: the views never move dropped cards themselves.
    for (TCardPileView* view : Pyramid() + QList<TCardPileView*>{m_play, m_waste}) {
        Unbind(view);
        view->ManualDrop = true;
        // Only a top card is lifted: the waste's buried cards show an edge but are not in play.
        view->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers m, int, int) {
            StandardMouseDown(v, b, m);
        };
        view->OnDblClick = [this](TCardPileView* v) { DoubleClickAction(v); };
        view->OnStartDrag = [this](TCardPileView* v) { StartDrag(v); };
        view->OnDragOver = [this](QWidget* s, TCardPileView* src) { return CardDragOver(s, src); };
        view->OnDragDrop = [this](QWidget* s, TCardPileView* src) { CardDragDrop(s, src); };
        view->OnEndDrag = [this](TCardPileView* v) { EndDrag(v); };
    }
    Unbind(m_discard);
    m_discard->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
        FormMouseDown(v, b);
    };
    m_discard->OnDragOver = [this](QWidget* s, TCardPileView* src) { return DiscardDragOver(s, src); };
    m_discard->OnDragDrop = [this](QWidget* s, TCardPileView* src) { DiscardDragDrop(s, src); };
}

// ---- deal ---------------------------------------------------------------------------

void TPyramidForm::Deal(bool newGame, bool quiet) {
    RefreshCaption();
    // The deck is drawn compactly while the pyramid is dealt from it.
    const float deckOffset = m_deck->YOffset;
    m_deck->YOffset = 0.2f;
    FillStock(m_deck, 1, newGame, quiet);
    const bool animate = Animating(quiet);
    const QList<TCardPileView*>& pyramid = Pyramid();
    for (int p = 0; p < PR::Positions; ++p) {
        TCardPileView* view = pyramid[p];
        DealCard(m_deck, view, true);
        view->raise(); // each row lies over the one above
        view->show();
        view->AllowDrag = PR::RowOf(p) == PR::Rows;
        if (animate) {
            view->repaint();
            m_deck->repaint();
        }
    }
    if (animate && Sound())
        Sound()->PlayDeal();
    m_deck->YOffset = deckOffset;
    m_pass = 1;
    ShowPass();
    RefreshDeck();
    FinishDeal();
}

// ---- the pyramid ----------------------------------------------------------------------

bool TPyramidForm::IsFree(const TCardPileView* view) const {
    if (view == m_play || view == m_waste)
        return true;
    return Pyramid().contains(view) && view->AllowDrag;
}

void TPyramidForm::RefreshPyramid() {
    const QList<TCardPileView*>& pyramid = Pyramid();
    PR::TPresence present;
    for (int p = 0; p < PR::Positions; ++p)
        present.set(p, !pyramid[p]->Pile.isEmpty());
    const PR::TPresence free = PR::FreePositions(present);
    for (int p = 0; p < PR::Positions; ++p) {
        TCardPileView* view = pyramid[p];
        if (view->AllowDrag != free.test(p) || view->isVisible() != present.test(p)) {
            view->AllowDrag = free.test(p);
            view->setVisible(present.test(p));
            view->update();
        }
    }
}

int TPyramidForm::ComputeScore() const {
    return m_discard->Pile.size();
}

// ---- mouse and drag -----------------------------------------------------------------------

void TPyramidForm::StartDrag(TCardPileView* source) {
    // The card travels; the card under it stays covered, so it can never pair with it.
    if (Pyramid().contains(source))
        source->hide();
    source->update();
}

void TPyramidForm::EndDrag(TCardPileView* source) {
    if (!source->DropTarget && Pyramid().contains(source))
        RefreshPyramid();
}

TCard* TPyramidForm::Dragged(const TCardPileView* source) {
    return source->DragPile.size() == 1 ? source->DragPile.CardAt(0) : nullptr;
}

bool TPyramidForm::PairAllowed(const TCardPileView* target, const TCardPileView* source) const {
    // A card never pairs with a card of its own view (the waste's next card).
    if (!target || target == source || !IsFree(target))
        return false;
    const TCard* card = Dragged(source);
    const TCard* other = target->Pile.Top();
    return card && other && PR::Pairs(card->Value, other->Value);
}

bool TPyramidForm::CardDragOver(QWidget* sender, TCardPileView* source) {
    source->DropTarget = nullptr;
    auto* target = qobject_cast<TCardPileView*>(sender);
    if (PairAllowed(target, source))
        source->DropTarget = target;
    return source->DropTarget != nullptr;
}

bool TPyramidForm::DiscardDragOver(QWidget* /*sender*/, TCardPileView* source) {
    source->DropTarget = nullptr;
    const TCard* card = Dragged(source);
    if (card && PR::LeavesAlone(card->Value))
        source->DropTarget = m_discard;
    return source->DropTarget != nullptr;
}

bool TPyramidForm::DragOver(QWidget* /*sender*/, TCardPileView* source) {
    source->DropTarget = nullptr;
    return false;
}

void TPyramidForm::CardDragDrop(QWidget* sender, TCardPileView* source) {
    auto* target = qobject_cast<TCardPileView*>(sender);
    if (source->DropTarget != target || !PairAllowed(target, source)) {
        source->DropTarget = nullptr; // the card goes home
        return;
    }
    TCard* other = target->Pile.Top();
    m_discard->Pile.AddCard(Dragged(source));
    UndoRecord().RecordGroupMove(source, m_discard, source->DragPile);
    target->Pile.RemoveCard(other);
    m_discard->Pile.AddCard(other);
    UndoRecord().RecordSingleMove(target, m_discard, other);
    target->update();
    source->update();
    FinishDiscard(!Pyramid().contains(target));
}

void TPyramidForm::DiscardDragDrop(QWidget* /*sender*/, TCardPileView* source) {
    TCard* king = Dragged(source);
    if (source->DropTarget != m_discard || !king || !PR::LeavesAlone(king->Value)) {
        source->DropTarget = nullptr;
        return;
    }
    m_discard->Pile.AddCard(king);
    UndoRecord().RecordGroupMove(source, m_discard, source->DragPile);
    source->update();
    FinishDiscard(false);
}

void TPyramidForm::DoubleClickAction(TCardPileView* sender) {
    TCard* top = sender->Pile.Top();
    if (top && IsFree(sender) && PR::LeavesAlone(top->Value)) {
        sender->Pile.RemoveCard(top);
        m_discard->Pile.AddCard(top);
        UndoRecord().RecordSingleMove(sender, m_discard, top);
        sender->update();
        FinishDiscard(false);
        return;
    }
    AfterMove();
}

void TPyramidForm::FinishDiscard(bool waitForSound) {
    AddMoves(1);
    EndAction(1);
    RefreshPyramid();
    m_discard->update();
    if (Sound()) {
        if (waitForSound)
            Sound()->PlayAutoplay();
        else
            Sound()->PlayAutoplayNoWait();
    }
    AfterMove();
}

// ---- the deck ---------------------------------------------------------------------------------

void TPyramidForm::DeckPileViewClick() {
    const PR::TDeckClick click =
        PR::PlanDeckClick(m_pass, m_deck->Pile.size(), m_play->Pile.size(), m_waste->Pile.size());
    if (click.SetAside) {
        TCard* card = m_play->Pile.Top();
        m_play->Pile.RemoveCard(card);
        m_waste->Pile.AddCard(card);
        UndoRecord().RecordSingleMove(m_play, m_waste, card);
    }
    if (click.Draw) {
        TCard* card = DealCard(m_deck, m_play, true);
        UndoRecord().RecordSingleMove(m_deck, m_play, card);
        AddMoves(1);
        EndAction(1);
    } else if (click.Redeal) {
        // Undone in steps, none a move: the card turned, the redeal, the play card set aside.
        EndAction(0);
        m_waste->Pile.CopyPileTo(m_deck->Pile);
        UndoRecord().RecordGroupMove(m_waste, m_deck, m_waste->Pile);
        m_waste->Pile.Empty(false);
        m_deck->Pile.Flip(); // the earliest waste card on top, face down
        ++m_pass;
        EndAction(0);
        TCard* card = DealCard(m_deck, m_play, true);
        UndoRecord().RecordSingleMove(m_deck, m_play, card);
        EndAction(0);
    } else {
        // Nothing left to turn: setting the play card aside is all, and free.
        EndAction(0);
        m_play->update();
        m_waste->update();
        RefreshDeck();
        return;
    }
    m_deck->update();
    m_play->update();
    m_waste->update();
    ShowPass();
    if (Sound())
        Sound()->PlayStock();
    AfterMove();
    RefreshDeck();
}

void TPyramidForm::RefreshDeck() {
    ShowCountHint(m_deck);
    // Blank whenever no redeal remains, also when a redeal into the last pass used the deck up at once.
    m_deck->State = PR::RedealRemains(m_pass, m_deck->Pile.size(), m_play->Pile.size(), m_waste->Pile.size())
                        ? FS_RECYCLE
                        : FS_BLANK;
    m_deck->update();
}

void TPyramidForm::ShowPass() {
    if (QLabel* label = Label(QStringLiteral("Label1"))) {
        label->setText(QString::fromLatin1(PR::PassLabel(m_pass)));
        label->adjustSize();
    }
}

void TPyramidForm::ColourPassLabel() {
    QLabel* label = Label(QStringLiteral("Label1"));
    if (!label)
        return;
    // Dark text on a light table, light text on a dark one.
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Prefs().BackgroundColor >= 0x7FFFFF ? Qt::black : Qt::white);
    label->setPalette(pal);
}

// ---- win and undo ---------------------------------------------------------------------------------

void TPyramidForm::OnWon() {
    m_pass = PR::Passes;
    m_deck->State = FS_BLANK;
    m_deck->update();
}

void TPyramidForm::TakeBackRecord() {
    TCardUndo& undo = UndoRecord();
    undo.Peek();
    if (!undo.LastCards || undo.LastSource != m_waste || undo.LastDest != m_deck) {
        TGameForm::TakeBackRecord();
        return;
    }
    // A redeal: the waste comes back face up in its old order, and the pass before it.
    undo.TakeBack();
    for (TCard* card : undo.LastCards->Cards)
        card->FaceUp = true;
    undo.DropLast();
    m_pass = qMax(1, m_pass - 1);
    m_waste->update();
    m_deck->update();
}

bool TPyramidForm::KeyboardAction(TCardPileView* view, int index) {
    const TCard* top = view->Pile.Top();
    if (!top || index != view->Pile.size() - 1 || !IsFree(view) || !PR::LeavesAlone(top->Value))
        return false;
    DoubleClickAction(view);
    return true;
}

void TPyramidForm::RefreshTable() {
    RefreshPyramid();
    ShowPass();
    RefreshDeck();
}
