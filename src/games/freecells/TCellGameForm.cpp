#include "games/freecells/TCellGameForm.h"

#include "cards/CardRules.h"
#include "cards/TCard.h"
#include "framework/TSoundManager.h"

#include <QString>

TCellGameForm::TCellGameForm(TAppContext& context, int gameIndex, bool small, const TGameLayout& layout,
                             QWidget* parent, const QString& restartName)
    : TGameForm(context, gameIndex, small, layout, parent) {
    MakeFoundationsPassive();
    AddUndoItem();
    AddSeparator();
    AddAutoplayItem();
    AddSeparator();
    AddGameItems(QStringLiteral("NewGame1"), restartName);
}

// ---- layout ------------------------------------------------------------------------

void TCellGameForm::AddRow(TGameLayout& layout, TPileRole role, int first, const std::vector<int>& lefts,
                           int top, int width, int height, float yOffset) {
    const QString prefix = role == TPileRole::FreeCell     ? QStringLiteral("FreePileView")
                           : role == TPileRole::Foundation ? QStringLiteral("FoundPileView")
                                                           : QStringLiteral("TableauPileView");
    const bool bordered = role != TPileRole::Tableau;
    const bool draggable = role != TPileRole::Foundation;
    ::AddRow(layout, prefix, first, lefts,
             {{}, role, 0, top, width, height, 0.0f, yOffset, FS_BLANK, bordered, draggable});
}

// ---- counts --------------------------------------------------------------------------

int TCellGameForm::EmptyFreeCells() const {
    int empty = 0;
    for (const TCardPileView* cell : FreeCells())
        empty += cell->Pile.isEmpty() ? 1 : 0;
    return empty;
}

int TCellGameForm::EmptyColumns() const {
    int empty = 0;
    for (const TCardPileView* column : Tableau())
        empty += column->Pile.isEmpty() ? 1 : 0;
    return empty;
}

TCardPileView* TCellGameForm::FirstEmptyFreeCell() const {
    for (TCardPileView* cell : FreeCells())
        if (cell->Pile.isEmpty())
            return cell;
    return nullptr;
}

// ---- deal ------------------------------------------------------------------------------

void TCellGameForm::DealColumns(TCardPileView* stock, bool newGame, bool quiet, int keep) {
    RefreshCaption();
    FillStock(stock, 1, newGame, quiet);
    const bool animate = Animating(quiet);
    while (stock->Pile.size() > keep) {
        for (TCardPileView* column : Tableau()) {
            if (stock->Pile.size() <= keep)
                break;
            DealCard(stock, column, true);
            if (animate)
                column->repaint();
        }
        if (animate && Sound())
            Sound()->PlayDeal();
    }
}

// ---- rules ---------------------------------------------------------------------------

bool TCellGameForm::CanDrag(TCardPileView* view, int index) const {
    if (Role(view) != TPileRole::Tableau)
        return TGameForm::CanDrag(view, index);
    const TCardPile& pile = view->Pile;
    return pile.size() - index <= RunLimit() &&
           CardRules::IsRun(pile, index,
                            [this](const TCard* lower, const TCard* upper) { return Builds(lower, upper); });
}

bool TCellGameForm::DropAllowed(TCardPileView* target, TCardPileView* source) const {
    const TCardPile& group = source->DragPile;
    if (group.isEmpty() || target == source)
        return false;
    const TCard* bottom = group.CardAt(0);
    switch (Role(target)) {
    case TPileRole::Tableau: {
        const TCard* top = target->Pile.Top();
        return top ? Builds(top, bottom) : EmptyColumnTakes(group);
    }
    case TPileRole::FreeCell:
        return group.size() == 1 && target->Pile.isEmpty();
    case TPileRole::Foundation:
        return group.size() == 1 && FoundationTakes(target, bottom);
    default:
        return false;
    }
}

void TCellGameForm::DoubleClickAction(TCardPileView* sender) {
    TCard* card = sender->Pile.Top();
    if (!card)
        return;
    if (TCardPileView* foundation = FoundationFor(card, sender)) {
        PlayToFoundation(sender, foundation);
        EndAction(1);
    } else if (TCardPileView* cell = FirstEmptyFreeCell()) {
        sender->Pile.RemoveCard(card);
        cell->Pile.AddCard(card);
        sender->update();
        cell->update();
        UndoRecord().RecordSingleMove(sender, cell, card);
        AddMoves(1);
        EndAction(1);
    }
    AfterMove();
}

QList<TCardPileView*> TCellGameForm::AutoplayOrder() const {
    return FreeCells() + Tableau();
}

void TCellGameForm::MiddleButton(TCardPileView* view) {
    if (Role(view) == TPileRole::Tableau)
        DoubleClickAction(view);
}
