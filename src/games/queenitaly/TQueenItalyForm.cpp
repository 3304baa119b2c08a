#include "games/queenitaly/TQueenItalyForm.h"

#include "cards/CardRules.h"
#include "framework/TSoundManager.h"

const TGameLayout& TQueenItalyForm::LargeLayout() {
    static const TGameLayout layout = [] {
        TGameLayout l;
        l.ClientWidth = 882;
        l.ClientHeight = 700;
        l.MinTrackHeight = 600;
        l.ColumnMargin = 427;
        l.Piles = {
            {"DeckPileView", TPileRole::Stock, 12, 552, 117, 145, 0.2f, 0.2f, FS_RECYCLE, false, false, 148},
            {"DiscardPileView", TPileRole::Waste, 136, 552, 745, 125, 12.0f, 0, FS_BLANK, false, true, 148,
             true},
            {"TerracePileView", TPileRole::Waste, 344, 8, 225, 125, 12.0f, 0, FS_BLANK, false, true},
        };
        AddRow(l, "TableauPileView", 1, Spaced(56, 88, 9),
               {{}, TPileRole::Tableau, 0, 272, 80, 273, 0, 20.0f, FS_BLANK, false, true});
        AddRow(l, "FoundPile", 1, Spaced(96, 88, 8),
               {{}, TPileRole::Foundation, 0, 139, 80, 125, 0, 0, FS_BLANK, true, false});
        return l;
    }();
    return layout;
}

TQueenItalyForm::TQueenItalyForm(TAppContext& context, QWidget* parent)
    : TQueenItalyForm(context, false, LargeLayout(), parent) {
}

TQueenItalyForm::TQueenItalyForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent)
    : TGameForm(context, GI_QUEENITALY, small, layout, parent) {
    m_stock = View(QStringLiteral("DeckPileView"));
    m_waste = View(QStringLiteral("DiscardPileView"));
    m_terrace = View(QStringLiteral("TerracePileView"));
    m_stock->SetShowHint(true);
    MakeFoundationsPassive();
    for (TCardPileView* column : Tableau())
        column->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers m, int, int) {
            TableauPileView1MouseDown(v, b, m);
        };
    for (TCardPileView* view : {m_terrace, m_waste})
        view->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers m, int, int) {
            DiscardPileViewMouseDown(v, b, m);
        };
    AddUndoItem();
    AddSeparator();
    AddAutoplayItem();
    AddSeparator();
    AddGameItems();
    Initialize();
}

// ---- deal and the base ----------------------------------------------------------------------

void TQueenItalyForm::Deal(bool newGame, bool quiet) {
    RefreshCaption();
    FillStock(m_stock, 2, newGame, quiet);
    m_stock->update();
    const bool animate = Animating(quiet);
    for (int i = 0; i < 11; ++i) {
        DealCard(m_stock, m_terrace, true);
        if (animate)
            m_terrace->repaint();
    }
    if (animate) {
        m_stock->repaint();
        if (Sound())
            Sound()->PlayDeal();
    }
    for (int c = 0; c < 4; ++c) {
        DealCard(m_stock, Tableau()[c], true);
        if (animate) {
            Tableau()[c]->repaint();
            if (Sound())
                Sound()->PlayDeal();
        }
    }
    ShowCountHint(m_stock);
    m_baseChosen = false;
    m_redealt = false;
    m_stock->State = FS_RECYCLE;
    FinishDeal();
}

void TQueenItalyForm::TableauPileView1MouseDown(TCardPileView* view, Qt::MouseButton button,
                                                Qt::KeyboardModifiers shift) {
    if (button == Qt::LeftButton && !m_baseChosen) {
        if (view->SelectedCard && !GameOver())
            ChooseBase(view, view->SelectedCard);
        return;
    }
    StandardMouseDown(view, button, shift);
}

void TQueenItalyForm::DiscardPileViewMouseDown(TCardPileView* view, Qt::MouseButton button,
                                               Qt::KeyboardModifiers shift) {
    if (m_baseChosen)
        StandardMouseDown(view, button, shift);
}

// The choice is no move and no Undo takes it back; only the caption follows the base card home.
void TQueenItalyForm::ChooseBase(TCardPileView* column, TCard* card) {
    TCardPileView* first = Foundations().first();
    column->Pile.RemoveCard(card);
    first->Pile.AddCard(card);
    column->update();
    first->update();
    m_baseChosen = true;
    m_baseValue = card->Value;
    const bool animate = Prefs().DoAnimation;
    for (TCardPileView* empty : Tableau()) {
        if (!empty->Pile.isEmpty() || !DealCard(m_stock, empty, true))
            continue;
        if (animate) {
            empty->repaint();
            if (Sound())
                Sound()->PlayDeal();
        }
    }
    m_stock->update();
    ShowCountHint(m_stock);
    for (TCardPileView* view : Tableau())
        view->update();
    RefreshCaption();
}

// ---- stock ---------------------------------------------------------------------------------

bool TQueenItalyForm::Redeal() {
    // One second pass only, and a click that would turn no card records nothing.
    if (m_redealt || m_waste->Pile.isEmpty())
        return false;
    m_waste->Pile.CopyPileTo(m_stock->Pile);
    UndoRecord().RecordGroupMove(m_waste, m_stock, m_waste->Pile);
    m_stock->Pile.Flip();
    m_waste->Pile.Empty(false);
    m_waste->update();
    m_stock->update();
    m_redealt = true;
    m_stock->State = FS_BLANK;
    EndAction(0); // not a move, so its Undo leaves the count alone too
    return true;
}

void TQueenItalyForm::DeckPileViewClick() {
    if (GameOver() || !m_baseChosen)
        return;
    if (m_stock->Pile.isEmpty())
        Redeal();
    // In the second pass a new card comes only once the waste is used up.
    if (!m_redealt || m_waste->Pile.isEmpty())
        DrawToWaste(m_stock, m_waste);
    ShowCountHint(m_stock);
    AfterMove();
}

// ---- rules ---------------------------------------------------------------------------------

bool TQueenItalyForm::DropAllowed(TCardPileView* target, TCardPileView* source) const {
    const TCard* card = source->DragPile.Top();
    if (!card || target == source)
        return false;
    switch (Role(target)) {
    case TPileRole::Tableau: {
        if (source == m_terrace)
            return false;
        const TCard* top = target->Pile.Top();
        return !top || CardRules::AlternatesDownAround(top, card);
    }
    case TPileRole::Foundation:
        return CardRules::BaseFoundationTakes(target->Pile, card, Base());
    default:
        return false;
    }
}

// Until the base is chosen nothing goes home, whatever the previous game's base was.
TCardPileView* TQueenItalyForm::FoundationFor(const TCard* card, const TCardPileView* /*from*/) const {
    for (TCardPileView* foundation : Foundations())
        if (CardRules::BaseFoundationTakes(foundation->Pile, card, Base()))
            return foundation;
    return nullptr;
}

QList<TCardPileView*> TQueenItalyForm::AutoplayOrder() const {
    return QList<TCardPileView*>{m_terrace} + Tableau() + QList<TCardPileView*>{m_waste};
}

// ---- undo ----------------------------------------------------------------------------------

// A redeal comes back as the face-up waste, and the second pass is to come again.
void TQueenItalyForm::TakeBackRecord() {
    TCardUndo& undo = UndoRecord();
    undo.Peek();
    if (!undo.LastCards || undo.LastSource != m_waste || undo.LastDest != m_stock) {
        TGameForm::TakeBackRecord();
        return;
    }
    undo.TakeBack();
    for (TCard* card : undo.LastCards->Cards)
        card->FaceUp = true;
    m_redealt = false;
    m_stock->State = FS_RECYCLE;
    m_waste->update();
    m_stock->update();
    undo.DropLast();
}

QVariant TQueenItalyForm::SaveGameState() const {
    return QVariantList{m_baseChosen, m_baseValue, m_redealt};
}

void TQueenItalyForm::RestoreGameState(const QVariant& state) {
    const QVariantList values = state.toList();
    if (values.size() != 3)
        return;
    m_baseChosen = values[0].toBool();
    m_baseValue = values[1].toInt();
    m_redealt = values[2].toBool();
}

void TQueenItalyForm::AfterUndo() {
    ShowCountHint(m_stock);
    m_stock->update();
}
