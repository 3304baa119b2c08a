#include "games/montana/TMontanaForm.h"

#include "cards/Random.h"
#include "framework/TSoundManager.h"

#include <QAction>

using Montana::TGrid;
using Montana::TPos;

void TMontanaForm::AddGrid(TGameLayout& layout, int firstLeft, int step, const std::array<int, 4>& tops,
                           int width, int height) {
    for (int r = 0; r < Montana::Rows; ++r)
        AddRow(layout, "CardPileView", r * Montana::Columns + 1, Spaced(firstLeft, step, Montana::Columns),
               {{}, TPileRole::Other, 0, tops[r], width, height, 0.0f, 0.0f, FS_BLANK, false, true});
    // The Aces taken out of play; never shown.
    layout.Piles.push_back({"DiscardPileView", TPileRole::Hidden, 72, 576, 129, 17});
}

const TGameLayout& TMontanaForm::LargeLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 1041;
        l.ClientHeight = 580;
        AddGrid(l, 0, 80, {8, 152, 296, 440}, 80, 125);
        return l;
    }();
    return layout;
}

TMontanaForm::TMontanaForm(TAppContext& context, QWidget* parent)
    : TMontanaForm(context, false, LargeLayout(), parent) {
}

TMontanaForm::TMontanaForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent)
    : TGameForm(context, GI_MONTANA, small, layout, parent) {
    m_grid = ViewRow(QStringLiteral("CardPileView"), Montana::Rows * Montana::Columns);
    for (int i = 0; i < m_grid.size(); ++i) {
        TCardPileView* view = m_grid[i];
        m_places.insert(view, TPos{i / Montana::Columns, i % Montana::Columns});
        view->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
            CardPileView1MouseDown(v, b);
        };
        view->OnDblClick = [this](TCardPileView* v) { PlayCard(v); };
        view->OnStartDrag = [](TCardPileView* v) { v->update(); };
        view->OnDragOver = [this](QWidget* s, TCardPileView* src) { return CardPileView1DragOver(s, src); };
        view->OnEndDrag = [this](TCardPileView* v) { EndDrag(v); };
    }
    m_aces = View(QStringLiteral("DiscardPileView"));

    AddUndoItem();
    AddSeparator();
    AddItem(QStringLiteral("Shuffle1"), QStringLiteral("S&huffle Remaining"), QKeySequence(Qt::Key_F2),
            [this] { Shuffle1Click(); });
    AddSeparator();
    AddGameItems();
    Initialize();
}

TGrid TMontanaForm::Grid() const {
    TGrid grid{};
    for (int i = 0; i < m_grid.size(); ++i)
        grid[i / Montana::Columns][i % Montana::Columns] = m_grid[i]->Pile.Top();
    return grid;
}

void TMontanaForm::Show(const TGrid& grid, bool repaint) {
    for (int i = 0; i < m_grid.size(); ++i) {
        TCardPileView* view = m_grid[i];
        TCard* card = grid[i / Montana::Columns][i % Montana::Columns];
        if (view->Pile.Top() == card && view->Pile.size() <= 1)
            continue;
        view->Pile.Empty(false);
        if (card)
            view->Pile.AddCard(card);
        if (repaint)
            view->repaint();
        else
            view->update();
    }
}

// ---- deal --------------------------------------------------------------------------

void TMontanaForm::Deal(bool newGame, bool quiet) {
    // Refreshed before the cards come: the caption reads "Montana" until the first move.
    RefreshCaption();
    TCardPileView* stock = m_grid.last(); // dealt last, it holds the deck meanwhile
    FillStock(stock, 1, newGame, quiet);
    for (TCard* card : stock->Pile.Cards)
        card->FaceUp = true;

    const bool animate = Animating(quiet);
    for (int c = 0; c < Montana::Columns; ++c) {
        if (animate && Sound())
            Sound()->PlayDeal();
        for (int r = 0; r < Montana::Rows; ++r) {
            TCardPileView* place = At({r, c});
            DealCard(stock, place, true);
            if (animate)
                place->repaint();
        }
    }
    for (TCardPileView* place : m_grid) {
        const TCard* card = place->Pile.Top();
        if (card && card->Value == FS_ACE) {
            DealCard(place, m_aces, true);
            if (!quiet)
                place->repaint();
        }
    }
    m_redeals = 0;
    Item(QStringLiteral("Shuffle1"))->setEnabled(true);
    FinishDeal(false);
}

// ---- play --------------------------------------------------------------------------

void TMontanaForm::MoveCard(TPos from, TPos to) {
    TCardPileView* source = At(from);
    TCardPileView* dest = At(to);
    TCard* card = source->Pile.Top();
    source->Pile.RemoveCard(card);
    dest->Pile.AddCard(card);
    UndoRecord().RecordSingleMove(source, dest, card);
    source->update();
    dest->update();
    AddMoves(1);
    EndAction(1);
    AfterMove();
}

bool TMontanaForm::PlayCard(TCardPileView* view) {
    const TPos at = m_places.value(view);
    if (const auto gap = Montana::GapFor(Grid(), at)) {
        MoveCard(at, *gap);
        return true;
    }
    return false;
}

void TMontanaForm::CardPileView1MouseDown(TCardPileView* view, Qt::MouseButton button) {
    if (button == Qt::RightButton)
        return;
    if (!view->Pile.isEmpty()) {
        // A card that fits no gap may be lifted; it lands only in a gap it fits.
        if (!PlayCard(view))
            view->DragPermission = true;
        return;
    }
    const TGrid grid = Grid();
    const TPos gap = m_places.value(view);
    if (Montana::AfterKing(grid, gap))
        return;
    if (const auto from = Montana::CardFor(grid, gap))
        MoveCard(*from, gap);
    else
        AfterMove();
}

bool TMontanaForm::CardPileView1DragOver(QWidget* sender, TCardPileView* source) {
    auto* target = qobject_cast<TCardPileView*>(sender);
    if (target && target != source && m_places.contains(target) && source->DragPile.size() == 1 &&
        Montana::Fits(Grid(), m_places.value(target), source->DragPile.Top()))
        source->DropTarget = target;
    return source->DropTarget != nullptr;
}

// A gap passed over stays the target wherever the card is let go, Smart Dragging or not.
bool TMontanaForm::DragOver(QWidget* /*sender*/, TCardPileView* source) {
    return source->DropTarget != nullptr;
}

// ---- score and win -----------------------------------------------------------------

int TMontanaForm::ComputeScore() const {
    return Montana::Score(Grid());
}

void TMontanaForm::OnWon() {
    Item(QStringLiteral("Shuffle1"))->setEnabled(false);
}

// ---- Shuffle Remaining ----------------------------------------------------------------

void TMontanaForm::SolverState(Solver::TPosition& position, Solver::TRules& /*rules*/) const {
    position.Shuffles = m_redeals;
    position.Generator = TRandom::State();
}

void TMontanaForm::Shuffle1Click() {
    if (GameOver() || m_redeals >= 2)
        return;
    TGrid grid = Grid();
    const bool animate = Animating(false);
    Montana::TRedealSteps steps;
    steps.Shuffled = [&] {
        if (animate)
            Show(grid, true);
        if (Sound())
            Sound()->PlayShuffle();
    };
    if (animate) {
        steps.Placed = [&](TPos pos) {
            TCardPileView* view = At(pos);
            view->Pile.Empty(false);
            if (TCard* card = Montana::At(grid, pos))
                view->Pile.AddCard(card);
            view->repaint();
        };
        steps.RowFilled = [this](int) {
            if (Sound())
                Sound()->PlayDeal();
        };
    }
    Montana::ShuffleRemaining(grid, m_aces->Pile, steps);
    Show(grid, false);
    // A redeal cannot be undone, and the moves before it can no longer be either.
    ClearUndo();
    if (++m_redeals >= 2)
        Item(QStringLiteral("Shuffle1"))->setEnabled(false);
    update();
    // The refill may put cards in place, even the last ones: recount and check for the win, which
    // is not a move.
    AfterMove();
}
