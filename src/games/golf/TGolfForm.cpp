#include "games/golf/TGolfForm.h"

#include "cards/CardRules.h"
#include "framework/TSoundManager.h"

#include <QAction>

const TGameLayout& TGolfForm::LargeLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 700;
        l.ClientHeight = 430;
        AddRow(l, "TableauPileView", 1, Spaced(24, 96, 7),
               {{}, TPileRole::Tableau, 0, 8, 80, 265, 0.0f, 20.0f, FS_BLANK, false, true});
        l.Piles.push_back({"DeckPileView", TPileRole::Stock, 8, 288, 113, 137, 0.4f, 0.2f});
        l.Piles.push_back({"DiscardPileView", TPileRole::Waste, 128, 288, 569, 125, 9.0f});
        return l;
    }();
    return layout;
}

TGolfForm::TGolfForm(TAppContext& context, QWidget* parent)
    : TGolfForm(context, false, LargeLayout(), parent) {
}

TGolfForm::TGolfForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent)
    : TGameForm(context, GI_GOLF, small, layout, parent) {
    m_stock = View(QStringLiteral("DeckPileView"));
    m_waste = View(QStringLiteral("DiscardPileView"));
    // Columns are clicked, never dropped on; the waste answers only the middle button.
    for (TCardPileView* column : Tableau()) {
        Unbind(column);
        column->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
            TableauPileView1MouseDown(v, b);
        };
        column->OnStartDrag = [](TCardPileView* v) { v->update(); };
    }
    Unbind(m_waste);
    m_waste->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
        FormMouseDown(v, b);
    };

    AddUndoItem();
    AddSeparator();
    QAction* kingStops = AddItem(
        QStringLiteral("KingStopsSequence1"), QStringLiteral("&King Stops Sequence"), {},
        [this] { KingStopsSequence1Click(); }, true);
    m_kingStops = ReadOption(QStringLiteral("KingStopsSequence"), true);
    kingStops->setChecked(m_kingStops);
    AddSeparator();
    AddGameItems();
    Initialize();
}

// ---- deal --------------------------------------------------------------------------

void TGolfForm::Deal(bool newGame, bool quiet) {
    FillStock(m_stock, 1, newGame, quiet);
    m_stock->update();
    RefreshCaption();

    const bool animate = Animating(quiet);
    for (int round = 0; round < 5; ++round) {
        for (TCardPileView* column : Tableau()) {
            DealCard(m_stock, column, true);
            if (animate)
                column->repaint();
        }
        if (animate) {
            m_stock->repaint();
            if (Sound())
                Sound()->PlayDeal();
        }
    }
    ShowCountHint(m_stock);
    // The caption keeps the empty waste's "Golf" until the first move or undo.
    FinishDeal(false);
    // The first turn is part of the deal, yet a move of its own that Undo takes back.
    DrawToWaste(m_stock, m_waste, !quiet);
    ShowCountHint(m_stock);
    Item(QStringLiteral("KingStopsSequence1"))->setEnabled(true);
}

// ---- play --------------------------------------------------------------------------

void TGolfForm::LockOption() {
    Item(QStringLiteral("KingStopsSequence1"))->setEnabled(false);
}

void TGolfForm::DeckPileViewClick() {
    if (GameOver())
        return;
    DrawToWaste(m_stock, m_waste);
    ShowCountHint(m_stock);
    // Locked before the after-move routine: a win there may already have dealt the next game.
    LockOption();
    AfterMove();
}

bool TGolfForm::Plays(const TCard* waste, const TCard* card) const {
    if (waste->Value == FS_KING && m_kingStops)
        return false;
    return CardRules::OneApart(waste, card);
}

void TGolfForm::TableauPileView1MouseDown(TCardPileView* column, Qt::MouseButton button) {
    if (button == Qt::MiddleButton) {
        StockAction();
        return;
    }
    TCard* card = column->SelectedCard;
    if (button != Qt::LeftButton || !card)
        return;
    // Any press on a column card ends the choice of the option for this game.
    LockOption();
    const TCard* waste = m_waste->Pile.Top();
    if (card != column->Pile.Top() || !waste)
        return;
    if (Plays(waste, card)) {
        column->Pile.RemoveCard(card);
        m_waste->Pile.AddCard(card);
        UndoRecord().RecordSingleMove(column, m_waste, card);
        column->update();
        m_waste->update();
        AddMoves(1);
        EndAction(1);
        AfterMove();
        return;
    }
    // The card may be lifted, only to come back: nothing takes a drop.
    column->DragPermission = waste->Value != FS_ACE && (waste->Value != FS_KING || m_kingStops);
}

int TGolfForm::ComputeScore() const {
    return m_waste->Pile.size();
}

// ---- option -----------------------------------------------------------------------

void TGolfForm::KingStopsSequence1Click() {
    m_kingStops = !m_kingStops;
    Item(QStringLiteral("KingStopsSequence1"))->setChecked(m_kingStops);
    WriteOption(QStringLiteral("KingStopsSequence"), m_kingStops);
}
