#include "games/klondike/TKlondikeForm.h"

#include "cards/CardRules.h"
#include "framework/TSoundManager.h"

#include <QAction>

using CardRules::AlternatesDown;

const TGameLayout& TKlondikeForm::LargeLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 672;
        l.ClientHeight = 491;
        l.MinTrackHeight = 480;
        l.ColumnMargin = 154;
        l.Piles = {
            {"DeckPileView", TPileRole::Stock, 8, 8, 121, 129, 1.0f, 0.2f, FS_RECYCLE},
            {"DiscardPileView", TPileRole::Waste, 144, 8, 137, 129, 20.0f, 2.0f, FS_BLANK, false, true},
        };
        AddRow(l, "FoundationPile", 1, Spaced(296, 96, 4),
               {{}, TPileRole::Foundation, 0, 8, 80, 125, 0, 0, FS_BLANK, true, true});
        AddRow(l, "TableauPileView", 1, Spaced(8, 96, 7),
               {{}, TPileRole::Tableau, 0, 152, 80, 337, 0, 20.0f, FS_BLANK, false, true});
        l.Piles.push_back({"RecyclePileView", TPileRole::Hidden, 136, 456, 25, 25});
        return l;
    }();
    return layout;
}

TKlondikeForm::TKlondikeForm(TAppContext& context, QWidget* parent)
    : TKlondikeForm(context, false, LargeLayout(), parent) {
}

TKlondikeForm::TKlondikeForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent)
    : TKlondikeForm(context, GI_KLONDIKE, small, layout, TVariant{}, parent) {
    Initialize();
}

TKlondikeForm::TKlondikeForm(TAppContext& context, int gameIndex, bool small, const TGameLayout& layout,
                             const TVariant& variant, QWidget* parent)
    : TGameForm(context, gameIndex, small, layout, parent), m_variant(variant) {
    m_stock = View(QStringLiteral("DeckPileView"));
    m_waste = View(QStringLiteral("DiscardPileView"));
    m_hidden = View(QStringLiteral("RecyclePileView"));
    m_stock->SetShowHint(true);
    BuildMenu();
}

void TKlondikeForm::BuildMenu() {
    AddUndoItem();
    AddSeparator();
    AddAutoplayItem();
    AddSeparator();
    QAction* three = AddItem(
        QStringLiteral("DrawThree1"), QStringLiteral("Draw &Three"), {}, [this] { DrawThree1Click(); }, true);
    QAction* one = AddItem(
        QStringLiteral("DrawOne1"), QStringLiteral("Draw &One"), {}, [this] { DrawOne1Click(); }, true);
    m_drawThree = ReadOption(QStringLiteral("DrawThree"), true);
    three->setChecked(m_drawThree);
    one->setChecked(!m_drawThree);
    AddSeparator();
    AddGameItems();
}

// ---- deal --------------------------------------------------------------------------

void TKlondikeForm::Deal(bool newGame, bool quiet) {
    m_hidden->Pile.Empty(false);
    const float x = m_stock->XOffset;
    const float y = m_stock->YOffset;
    if (m_variant.CompactStockDeal) {
        m_stock->XOffset = 0.4f;
        m_stock->YOffset = 0.1f;
    }
    if (newGame) {
        Item(QStringLiteral("DrawOne1"))->setEnabled(true);
        Item(QStringLiteral("DrawThree1"))->setEnabled(true);
    }
    FillStock(m_stock, m_variant.Decks, newGame, quiet);

    const bool animate = Animating(quiet);
    const QList<TCardPileView*>& columns = Tableau();
    const int n = static_cast<int>(columns.size());
    for (int row = 0; row < n; ++row) {
        for (int c = row; c < n; ++c) {
            DealCard(m_stock, columns[c], c == row);
            if (animate)
                columns[c]->repaint();
        }
        if (animate) {
            m_stock->repaint();
            if (Sound())
                Sound()->PlayDeal();
        }
    }
    m_stock->XOffset = x;
    m_stock->YOffset = y;
    m_recycleCount = 0;
    if (GameOver() && m_variant.Vegas)
        m_vegasBalance += 208;
    RefreshStockHint();
    FinishDeal();
}

// ---- stock and waste -----------------------------------------------------------------

// Moves the visible waste (at most n cards, bottom first) onto the hidden waste.
void TKlondikeForm::SetAsideWaste(int n) {
    TCardPile moved;
    for (int i = 0; i < n && !m_waste->Pile.isEmpty(); ++i) {
        TCard* bottom = m_waste->Pile.CardAt(0);
        m_waste->Pile.RemoveCard(bottom);
        m_hidden->Pile.AddCard(bottom);
        moved.AddCard(bottom);
    }
    UndoRecord().RecordGroupMove(m_waste, m_hidden, moved);
}

void TKlondikeForm::Recycle(int n) {
    SetAsideWaste(n);
    m_hidden->Pile.CopyPileTo(m_stock->Pile);
    UndoRecord().RecordGroupMove(m_hidden, m_stock, m_hidden->Pile);
    m_stock->Pile.Flip();
    m_hidden->Pile.Empty(false);
    m_waste->update();
    m_stock->update();
}

void TKlondikeForm::DeckPileViewClick() {
    if (GameOver())
        return;
    const int n = DrawCount();
    Item(m_drawThree ? QStringLiteral("DrawOne1") : QStringLiteral("DrawThree1"))->setEnabled(false);
    if (m_stock->Pile.isEmpty()) {
        if (!RecycleAllowed()) {
            m_stock->State = FS_BLANK;
            m_stock->update();
            return;
        }
        ++m_recycleCount;
        Recycle(n);
        EndAction(0); // a recycle is free, and undone by a command of its own
    }
    TCardPile drawn;
    const int movesBefore = MoveCount();
    for (int i = 0; i < n; ++i) {
        if (m_stock->Pile.isEmpty())
            break;
        if (i == 0) {
            SetAsideWaste(n);
            AddMoves(1);
        }
        TCard* card = m_stock->Pile.Top();
        m_stock->Pile.RemoveCard(card);
        card->FaceUp = true;
        m_waste->Pile.AddCard(card);
        drawn.AddCard(card);
        m_stock->update();
        m_waste->update();
    }
    UndoRecord().RecordGroupMove(m_stock, m_waste, drawn);
    EndAction(MoveCount() - movesBefore);
    if (Sound())
        Sound()->PlayStock();
    if (Autoplay())
        AutoplayPass();
    RefreshStockHint();
}

// Shows the last n cards of the hidden waste again once the visible waste is used up.
void TKlondikeForm::WasteRefill() {
    if (!m_waste->Pile.isEmpty() || m_hidden->Pile.isEmpty())
        return;
    for (int i = 0; i < DrawCount() && !m_hidden->Pile.isEmpty(); ++i) {
        TCard* top = m_hidden->Pile.Top();
        m_hidden->Pile.RemoveCard(top);
        m_waste->Pile.InsertCard(top, 0);
    }
    UndoRecord().RecordGroupMove(m_hidden, m_waste, m_waste->Pile);
    m_waste->update();
}

void TKlondikeForm::RefreshStockHint() {
    ShowCountHint(m_stock);
    if (m_stock->Pile.isEmpty()) {
        const bool wasteHolds = !m_waste->Pile.isEmpty() || !m_hidden->Pile.isEmpty();
        m_stock->State = wasteHolds && RecycleAllowed() ? FS_RECYCLE : FS_BLANK;
    }
    m_stock->update();
}

// ---- rules ------------------------------------------------------------------------

bool TKlondikeForm::CanDrag(TCardPileView* view, int index) const {
    const TCardPile& pile = view->Pile;
    if (index == pile.size() - 1)
        return true;
    return Role(view) == TPileRole::Tableau && pile.CardAt(index)->FaceUp &&
           CardRules::IsRun(pile, index, AlternatesDown);
}

bool TKlondikeForm::DropAllowed(TCardPileView* target, TCardPileView* source) const {
    const TCardPile& group = source->DragPile;
    if (group.isEmpty() || target == source)
        return false;
    const TCard* bottom = group.CardAt(0);
    const TCard* top = target->Pile.Top();
    switch (Role(target)) {
    case TPileRole::Tableau:
        return top ? AlternatesDown(top, bottom) : bottom->Value == FS_KING;
    case TPileRole::Foundation:
        return group.size() == 1 && FoundationTakes(target, bottom);
    default:
        return false;
    }
}

void TKlondikeForm::AfterMoveFollowUps(TCardPileView* source) {
    WasteRefill();
    TGameForm::AfterMoveFollowUps(source);
}

// A refill the after-move routine left to do (the move itself refilled at once,
// so that one Undo takes the refill back with the move that emptied the waste).
void TKlondikeForm::AfterDoubleClick(TCardPileView* /*sender*/) {
    WasteRefill();
    EndAction(0);
}

QList<TCardPileView*> TKlondikeForm::AutoplayOrder() const {
    return Tableau() + QList<TCardPileView*>{m_waste};
}

// ---- scoring and win ---------------------------------------------------------------

QString TKlondikeForm::CaptionText() const {
    if (m_variant.Vegas && Prefs().VegasScoring)
        return QStringLiteral("%1   Score: $%2")
            .arg(QString::fromUtf8(Info().GameName))
            .arg(m_vegasBalance + 5 * ComputeScore());
    return TGameForm::CaptionText();
}

QString TKlondikeForm::StatusScore() const {
    if (m_variant.Vegas && Prefs().VegasScoring)
        return QStringLiteral("$%1").arg(m_vegasBalance + 5 * ComputeScore());
    return TGameForm::StatusScore();
}

void TKlondikeForm::OnNewGameConfirmed() {
    if (m_variant.Vegas)
        m_vegasBalance += 5 * ComputeScore() - 52;
}

void TKlondikeForm::OnWon() {
    m_stock->State = FS_BLANK;
    m_stock->update();
}

// ---- options --------------------------------------------------------------------------

void TKlondikeForm::DrawThree1Click() {
    m_drawThree = true;
    Item(QStringLiteral("DrawOne1"))->setChecked(false);
    Item(QStringLiteral("DrawThree1"))->setChecked(true);
    WriteOption(QStringLiteral("DrawThree"), true);
}

void TKlondikeForm::DrawOne1Click() {
    m_drawThree = false;
    Item(QStringLiteral("DrawThree1"))->setChecked(false);
    Item(QStringLiteral("DrawOne1"))->setChecked(true);
    WriteOption(QStringLiteral("DrawThree"), false);
}

// ---- undo ------------------------------------------------------------------------------

// A refill or recycle comes back face up; turn-ups and draws are the framework's.
void TKlondikeForm::TakeBackRecord() {
    TCardUndo& undo = UndoRecord();
    undo.Peek();
    if (!undo.LastCards || undo.LastSource != m_hidden) {
        TGameForm::TakeBackRecord();
        return;
    }
    TCardPileView* dest = undo.LastDest;
    if (dest == m_stock) // a recycle: undoing it gives it back
        --m_recycleCount;
    for (TCard* card : undo.LastCards->Cards)
        card->FaceUp = true;
    undo.TakeBack();
    m_hidden->update();
    dest->update();
    undo.DropLast();
}
