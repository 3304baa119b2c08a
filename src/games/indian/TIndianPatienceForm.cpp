#include "games/indian/TIndianPatienceForm.h"

#include "cards/CardRules.h"
#include "framework/TSoundManager.h"

#include <algorithm>

const TGameLayout& TIndianPatienceForm::LargeLayout() {
    static const TGameLayout layout = TenColumnLayout(false, 96);
    return layout;
}

TIndianPatienceForm::TIndianPatienceForm(TAppContext& context, QWidget* parent)
    : TIndianPatienceForm(context, false, LargeLayout(), parent) {
}

TIndianPatienceForm::TIndianPatienceForm(TAppContext& context, bool small, const TGameLayout& layout,
                                         QWidget* parent)
    : TTenColumnForm(context, GI_INDIAN, small, layout, parent) {
    Stock()->OnDragOver = nullptr; // the stock never takes a drop
    AddFirstMenuItems();
    AddOtherGameItems();
    Initialize();
}

void TIndianPatienceForm::Deal(bool newGame, bool quiet) {
    DealRounds(newGame, quiet, 3, 1);
    m_bottoms.fill(nullptr);
    StockChanged();
    FinishDeal();
}

// ---- rules --------------------------------------------------------------------------------

bool TIndianPatienceForm::IsBottomCard(const TCard* card) const {
    return card && std::find(m_bottoms.begin(), m_bottoms.end(), card) != m_bottoms.end();
}

bool TIndianPatienceForm::ColumnTakes(const TCardPileView* column, const TCard* card) const {
    const TCard* top = column->Pile.Top();
    if (!top)
        return true;
    if (IsBottomCard(top) || IsBottomCard(card))
        return false;
    return CardRules::FollowsDownInOtherSuit(top, card);
}

// ---- stock, refill and column bottoms -------------------------------------------------------

void TIndianPatienceForm::StockChanged() {
    TTenColumnForm::StockChanged();
    MaintainBottoms(false);
}

void TIndianPatienceForm::AfterMoveFollowUps(TCardPileView* /*source*/) {
    Refill();
    MaintainBottoms(true);
    ShowCountHint(Stock());
}

void TIndianPatienceForm::Refill() {
    TCardPileView* stock = Stock();
    for (TCardPileView* column : Tableau()) {
        if (!column->Pile.isEmpty() || stock->Pile.isEmpty())
            continue;
        for (int i = 0; i < 3 && !stock->Pile.isEmpty(); ++i) {
            DealCard(stock, column, i > 0);
            stock->repaint();
            column->repaint();
        }
        if (Sound())
            Sound()->PlayDeal();
        if (column->Pile.size() == 1)
            column->Pile.Top()->FaceUp = true;
        UndoRecord().RecordGroupMove(stock, column, column->Pile);
        AddMoves(1);
    }
}

void TIndianPatienceForm::MaintainBottoms(bool record) {
    const bool stockLasts = !Stock()->Pile.isEmpty();
    const QList<TCardPileView*>& columns = Tableau();
    for (int i = 0; i < columns.size(); ++i) {
        TCardPileView* column = columns[i];
        if (column->Pile.isEmpty())
            continue;
        TCard* bottom = column->Pile.CardAt(0);
        m_bottoms[static_cast<std::size_t>(i)] = bottom;
        if (bottom->FaceUp && column->Pile.size() > 1 && stockLasts) {
            bottom->FaceUp = false;
            column->update();
        }
    }
    for (TCardPileView* column : columns) {
        TCard* top = column->Pile.Top();
        if (!top || column->Pile.size() != 1 || top->FaceUp)
            continue;
        if (record) {
            TurnUp(column);
        } else {
            top->FaceUp = true;
            column->update();
        }
    }
    if (!stockLasts)
        m_bottoms.fill(nullptr);
}

// ---- redo ------------------------------------------------------------------------------------

QVariant TIndianPatienceForm::SaveGameState() const {
    QVariantList bottoms;
    for (const TCard* card : m_bottoms)
        bottoms.append(QVariant::fromValue(reinterpret_cast<quintptr>(card)));
    return bottoms;
}

void TIndianPatienceForm::RestoreGameState(const QVariant& state) {
    const QVariantList bottoms = state.toList();
    for (std::size_t i = 0; i < m_bottoms.size() && i < static_cast<std::size_t>(bottoms.size()); ++i)
        m_bottoms[i] = reinterpret_cast<const TCard*>(bottoms[static_cast<qsizetype>(i)].value<quintptr>());
}
