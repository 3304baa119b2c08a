#include "games/tencolumns/TTenColumnForm.h"

#include "framework/TSoundManager.h"

TTenColumnForm::TTenColumnForm(TAppContext& context, int gameIndex, bool small, const TGameLayout& layout,
                               QWidget* parent)
    : TGameForm(context, gameIndex, small, layout, parent) {
    m_stock = View(QStringLiteral("DeckPileView"));
    m_waste = View(QStringLiteral("DiscardPileView"));
    m_stock->SetShowHint(true);
    MakeFoundationsPassive();
}

TGameLayout TTenColumnForm::TenColumnLayout(bool small, int foundationLeft) {
    TGameLayout l;
    if (!small) {
        l.ClientWidth = 885;
        l.ClientHeight = 675;
        l.MinTrackHeight = 600;
        l.ColumnMargin = 298;
        l.Piles = {
            {"DeckPileView", TPileRole::Stock, 8, 8, 137, 145, 0.4f, 0.2f},
            {"DiscardPileView", TPileRole::Waste, 152, 8, 729, 125, 12.0f, 0, FS_BLANK, false, true},
        };
        AddRow(l, "TableauPile", 1, Spaced(8, 88, 10),
               {{}, TPileRole::Tableau, 0, 160, 80, 377, 0, 20.0f, FS_BLANK, false, true});
        AddRow(l, "FoundPile", 1, Spaced(foundationLeft, 88, 8),
               {{}, TPileRole::Foundation, 0, 546, 80, 125, 0, 0, FS_BLANK, true, false, 129});
    } else {
        l.ClientWidth = 725;
        l.ClientHeight = 520;
        l.MinTrackHeight = 520;
        l.ColumnMargin = 250;
        l.Piles = {
            {"DeckPileView", TPileRole::Stock, 8, 8, 107, 113, 0.4f, 0.2f},
            {"DiscardPileView", TPileRole::Waste, 128, 8, 593, 95, 9.0f, 0, FS_BLANK, false, true},
        };
        AddRow(l, "TableauPile", 1, Spaced(8, 72, 10),
               {{}, TPileRole::Tableau, 0, 136, 61, 270, 0, 16.0f, FS_BLANK, false, true});
        AddRow(l, "FoundPile", 1, Spaced(foundationLeft, 72, 8),
               {{}, TPileRole::Foundation, 0, 418, 61, 95, 0, 0, FS_BLANK, true, false, 102});
    }
    return l;
}

void TTenColumnForm::AddFirstMenuItems() {
    AddUndoItem();
    AddSeparator();
    AddAutoplayItem();
    AddSeparator();
    AddNewGameItems(QStringLiteral("NewDeal1"), QStringLiteral("Redeal1"));
}

// ---- deal and stock ---------------------------------------------------------------------

void TTenColumnForm::DealRounds(bool newGame, bool quiet, int rounds, int faceUpFrom) {
    RefreshCaption();
    FillStock(m_stock, 2, newGame, quiet);
    m_stock->update();
    const bool animate = Animating(quiet);
    for (int round = 0; round < rounds; ++round) {
        for (TCardPileView* column : Tableau()) {
            DealCard(m_stock, column, round >= faceUpFrom);
            if (animate)
                column->repaint();
        }
        if (animate) {
            m_stock->repaint();
            if (Sound())
                Sound()->PlayDeal();
        }
    }
}

void TTenColumnForm::StockChanged() {
    ShowCountHint(m_stock);
    m_stock->update();
}

void TTenColumnForm::DeckPileViewClick() {
    // There is no redeal: an empty stock leaves only the autoplay pass to run.
    DrawToWaste(m_stock, m_waste);
    StockChanged();
    if (Autoplay())
        AutoplayPass();
}

// ---- rules ------------------------------------------------------------------------------

bool TTenColumnForm::DropAllowed(TCardPileView* target, TCardPileView* source) const {
    const TCardPile& group = source->DragPile;
    if (group.size() != 1 || target == source)
        return false;
    const TCard* card = group.CardAt(0);
    switch (Role(target)) {
    case TPileRole::Tableau:
        return ColumnTakes(target, card);
    case TPileRole::Foundation:
        return FoundationTakes(target, card);
    default:
        return false;
    }
}

QList<TCardPileView*> TTenColumnForm::AutoplayOrder() const {
    return Tableau() + QList<TCardPileView*>{m_waste};
}
