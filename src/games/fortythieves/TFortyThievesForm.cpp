#include "games/fortythieves/TFortyThievesForm.h"

#include "cards/CardRules.h"
#include "games/fortythieves/TFTPeekDlg.h"

#include <QAction>
#include <QCloseEvent>

const TGameLayout& TFortyThievesForm::LargeLayout() {
    static const TGameLayout layout = TenColumnLayout(false, 96);
    return layout;
}

TFortyThievesForm::TFortyThievesForm(TAppContext& context, QWidget* parent)
    : TFortyThievesForm(context, false, LargeLayout(), parent) {
}

TFortyThievesForm::TFortyThievesForm(TAppContext& context, bool small, const TGameLayout& layout,
                                     QWidget* parent)
    : TTenColumnForm(context, GI_FORTYTHIEVES, small, layout, parent) {
    AddFirstMenuItems();
    AddItem(QStringLiteral("Peek1"), QStringLiteral("Pee&k..."), QKeySequence(Qt::Key_F2),
            [this] { Peek1Click(); });
    AddOtherGameItems(QStringLiteral("S&tatistics..."));
    Initialize();
}

void TFortyThievesForm::Deal(bool newGame, bool quiet) {
    DealRounds(newGame, quiet, 4, 0);
    StockChanged();
    FinishDeal();
}

bool TFortyThievesForm::ColumnTakes(const TCardPileView* column, const TCard* card) const {
    const TCard* top = column->Pile.Top();
    return !top || CardRules::FollowsDownInSuit(top, card);
}

// Peek is live exactly while there is a card to peek at, whether the menu or F2 asks; the
// window follows the stock and goes once the last card is dealt.
void TFortyThievesForm::StockChanged() {
    TTenColumnForm::StockChanged();
    const TCard* next = Stock()->Pile.Top();
    if (QAction* peek = Item(QStringLiteral("Peek1")))
        peek->setEnabled(next != nullptr);
    if (!m_peek)
        return;
    m_peek->SetCard(next);
    if (!next)
        m_peek->hide();
}

void TFortyThievesForm::Peek1Click() {
    const TCard* next = Stock()->Pile.Top();
    if (!next)
        return;
    if (!m_peek)
        m_peek = new TFTPeekDlg(this);
    m_peek->SetCard(next);
    if (m_peek->isVisible())
        m_peek->raise();
    else
        m_peek->show();
}

// The card size may have changed: draw the face again.
void TFortyThievesForm::AfterPreferences() {
    if (m_peek)
        m_peek->SetCard(Stock()->Pile.Top());
}

void TFortyThievesForm::closeEvent(QCloseEvent* event) {
    TTenColumnForm::closeEvent(event);
    if (event->isAccepted() && m_peek) {
        m_peek->SetCard(nullptr);
        m_peek->hide();
    }
}
