#include "games/spider/TSpiderForm.h"

#include "cards/CardRules.h"
#include "framework/Messages.h"
#include "framework/TSoundManager.h"

#include <QAction>

using CardRules::OneRankDown;

namespace {

constexpr int DealtRows = 5;
constexpr int ShortRow = 4; // the fifth row reaches columns 1-4 only
constexpr int SuitSize = 13;

} // namespace

const TGameLayout& TSpiderForm::LargeLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 887;
        l.ClientHeight = 646;
        l.MinTrackHeight = 480;
        l.ColumnMargin = 158;
        l.Piles = {{"DeckPileView", TPileRole::Stock, 8, 8, 137, 145, 0.4f, 0.2f}};
        AddRow(l, "FoundPile", 1, Spaced(184, 88, 8),
               {{}, TPileRole::Foundation, 0, 6, 80, 125, 0.0f, 0.0f, FS_BLANK, true, false});
        AddRow(l, "TableauPile", 1, Spaced(8, 88, 10),
               {{}, TPileRole::Tableau, 0, 161, 80, 488, 0.0f, 20.0f, FS_BLANK, false, true});
        return l;
    }();
    return layout;
}

TSpiderForm::TSpiderForm(TAppContext& context, QWidget* parent)
    : TSpiderForm(context, false, LargeLayout(), parent) {
}

TSpiderForm::TSpiderForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent)
    : TGameForm(context, GI_SPIDER, small, layout, parent), m_stock(View(QStringLiteral("DeckPileView"))) {
    m_stock->SetShowHint(true);
    MakeFoundationsPassive();
    for (TCardPileView* column : Tableau()) {
        column->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
            TableauPile1MouseDown(v, b);
        };
        column->OnDblClick = nullptr;
    }

    AddUndoItem();
    AddSeparator();
    m_sameSuit = AddItem(
        QStringLiteral("SameSuitBuilds1"), QStringLiteral("Same Suit &Moves"), {},
        [this] { SameSuitBuilds1Click(); }, true);
    m_sameSuit->setStatusTip(QStringLiteral("If checked, build down only in same suit"));
    m_sameSuitMoves = ReadOption(QStringLiteral("SameSuitBuilds"), false);
    m_sameSuit->setChecked(m_sameSuitMoves);
    AddSeparator();
    AddGameItems(QStringLiteral("NewGame1"), QStringLiteral("Redeal1"));
    Initialize();
}

// ---- deal ------------------------------------------------------------------------------

void TSpiderForm::Deal(bool newGame, bool quiet) {
    RefreshCaption();
    if (newGame)
        m_sameSuit->setEnabled(true);
    FillStock(m_stock, 2, newGame, quiet);
    m_stock->update();

    // Four full rows and four cards more; the last card of each column face up.
    const bool animate = Animating(quiet);
    const QList<TCardPileView*>& columns = Tableau();
    const int n = static_cast<int>(columns.size());
    for (int row = 0; row < DealtRows; ++row) {
        const bool last = row == DealtRows - 1;
        for (int c = 0; c < (last ? ShortRow : n); ++c) {
            const bool faceUp = last || (row == DealtRows - 2 && c >= ShortRow);
            DealCard(m_stock, columns[c], faceUp);
            if (animate)
                columns[c]->repaint();
        }
        if (animate) {
            m_stock->repaint();
            if (Sound())
                Sound()->PlayDeal();
        }
    }
    ShowCountHint(m_stock);
    FinishDeal();
}

void TSpiderForm::DeckPileViewClick() {
    if (m_stock->Pile.isEmpty())
        return;
    for (const TCardPileView* column : Tableau()) {
        if (column->Pile.isEmpty()) {
            TMessages::Instance().Information(this,
                                              QStringLiteral("You must fill empty tableau spaces first."));
            return;
        }
    }
    for (TCardPileView* column : Tableau()) {
        TCard* card = DealCard(m_stock, column, true);
        if (!card)
            break;
        column->update();
        UndoRecord().RecordSingleMove(m_stock, column, card);
    }
    if (Sound())
        Sound()->PlayDeal();
    m_stock->update();
    AddMoves(1);
    // A row deal is taken back silently and without lowering the move count.
    EndAction(0, true);
    LockSameSuit();
    ShowCountHint(m_stock);
}

// ---- rules ------------------------------------------------------------------------------

bool TSpiderForm::SameSuitMoves() const {
    return m_sameSuit->isChecked();
}

void TSpiderForm::TableauPile1MouseDown(TCardPileView* view, Qt::MouseButton button) {
    if (button == Qt::MiddleButton) {
        DeckPileViewClick();
        return;
    }
    view->DragPermission = false;
    if (button != Qt::LeftButton || !view->SelectedCard)
        return;
    const int index = view->Pile.CardIndex(view->SelectedCard);
    view->DragPermission = index >= 0 && CanDrag(view, index);
}

// Only face-up cards are taken: a hidden card must be neither lifted nor have its rank probed.
bool TSpiderForm::CanDrag(TCardPileView* view, int index) const {
    const TCardPile& pile = view->Pile;
    const TCard* first = pile.CardAt(index);
    if (!first->FaceUp)
        return false;
    const bool sameSuit = SameSuitMoves();
    return CardRules::IsRun(pile, index, [&](const TCard* lower, const TCard* upper) {
        return upper->FaceUp && OneRankDown(lower, upper) && (!sameSuit || upper->Suit == first->Suit);
    });
}

bool TSpiderForm::DropAllowed(TCardPileView* target, TCardPileView* source) const {
    const TCardPile& group = source->DragPile;
    if (group.isEmpty() || target == source)
        return false;
    const TCard* bottom = group.CardAt(0);
    switch (Role(target)) {
    case TPileRole::Tableau: {
        const TCard* top = target->Pile.Top();
        return !top || OneRankDown(top, bottom);
    }
    case TPileRole::Foundation:
        // A complete suit, King to Ace, onto an empty foundation.
        if (!target->Pile.isEmpty() || group.size() != SuitSize || bottom->Value != FS_KING)
            return false;
        for (int i = 1; i < group.size(); ++i) {
            const TCard* card = group.CardAt(i);
            if (card->Suit != bottom->Suit || !OneRankDown(group.CardAt(i - 1), card))
                return false;
        }
        return true;
    default:
        return false;
    }
}

// A complete suit goes home first, then a fit in the group's suit, then any fit.
QList<TCardPileView*> TSpiderForm::SmartDragOrder(TCardPileView* source) const {
    QList<TCardPileView*> order = Foundations();
    if (const TCard* bottom = source->DragPile.isEmpty() ? nullptr : source->DragPile.CardAt(0)) {
        for (TCardPileView* column : Tableau()) {
            const TCard* top = column->Pile.Top();
            if (top && top->Suit == bottom->Suit)
                order.append(column);
        }
    }
    return order + Tableau();
}

void TSpiderForm::DragCompleted(TCardPileView* source, TCardPileView* target) {
    AddMoves(1);
    UndoRecord().RecordGroupMove(source, target, source->DragPile);
    TurnUp(source);
    AddMoves(1);
    // A drag counts two moves, and its Undo takes back one.
    EndAction(1);
    // Locked before the after-move routine: a win there may deal a new game, which starts unlocked.
    LockSameSuit();
    AfterMove();
}

// ---- option ------------------------------------------------------------------------------

void TSpiderForm::SameSuitBuilds1Click() {
    m_sameSuitMoves = !m_sameSuitMoves;
    m_sameSuit->setChecked(m_sameSuitMoves);
    WriteOption(QStringLiteral("SameSuitBuilds"), m_sameSuitMoves);
}

void TSpiderForm::LockSameSuit() {
    m_sameSuit->setEnabled(false);
}
