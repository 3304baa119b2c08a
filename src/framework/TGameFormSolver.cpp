// The game window's side of the solver: the table read as the solver's position,
// and the "Deal Winnable Games Only" option. The status field and Hint live in
// TSolverLink.

#include "framework/TGameForm.h"

#include "cards/TCard.h"
#include "framework/SolverLink.h"

#include <QAction>

Solver::TPosition TGameForm::SolverPosition() const {
    Solver::TPosition position;
    position.Game = m_gameIndex;
    for (const TCardPileView* view : m_viewOrder) {
        std::vector<Solver::Card> cards;
        cards.reserve(static_cast<std::size_t>(view->Pile.size()));
        for (const TCard* card : view->Pile.Cards)
            cards.push_back(Solver::MakeCard(card->Suit, card->Value, !card->FaceUp));
        position.SetPile(view->objectName().toStdString(), std::move(cards));
    }
    Solver::TRules rules;
    SolverState(position, rules);
    return position;
}

Solver::TRules TGameForm::SolverRules() const {
    Solver::TPosition position;
    Solver::TRules rules;
    SolverState(position, rules);
    return rules;
}

bool TGameForm::DealsWinnableOnly() const {
    return m_barsOn && m_winnableOnly && SolverDecidesDeals();
}

void TGameForm::WinnableOnly1Click() {
    m_winnableOnly = !m_winnableOnly;
    if (QAction* item = Item(QStringLiteral("WinnableOnly1")))
        item->setChecked(m_winnableOnly);
    WriteOption(QStringLiteral("WinnableOnly"), m_winnableOnly);
}
