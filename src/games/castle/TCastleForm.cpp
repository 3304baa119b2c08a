#include "games/castle/TCastleForm.h"

#include "cards/CardRules.h"
#include "framework/TSoundManager.h"

namespace {

constexpr int Rounds = 6;

void AddColumn(TGameLayout& layout, const QString& prefix, int first, int left, const std::vector<int>& tops,
               TPileSpec pile) {
    for (std::size_t i = 0; i < tops.size(); ++i) {
        pile.Name = prefix + QString::number(first + static_cast<int>(i));
        pile.Left = left;
        pile.Top = tops[i];
        layout.Piles.push_back(pile);
    }
}

} // namespace

TGameLayout TCastleForm::MakeLayout(const TGeometry& g) {
    TGameLayout l;
    l.ClientWidth = g.ClientWidth;
    l.ClientHeight = g.ClientHeight;
    l.MinTrackHeight = 0; // neither width nor height changes
    // The deck is needed only while dealing. Created first, it lies beneath the rows, which it
    // would overlap; it is shown only while an animated deal runs.
    l.Piles.push_back({"DeckPileView", TPileRole::Hidden, g.DeckLeft, g.DeckTop, 25, 29, 0.4f, 0.2f});
    const TPileSpec row{{},   TPileRole::Tableau, 0,     0,   g.RowWidth, g.CardHeight, g.XOffset,
                        0.0f, FS_BLANK,           false, true};
    AddColumn(l, "TableauPileView", 1, g.LeftRows, g.Tops, row);
    AddColumn(
        l, "FoundationPileView", 1, g.Foundations, g.Tops,
        {{}, TPileRole::Foundation, 0, 0, g.CardWidth, g.CardHeight, 0.0f, 0.0f, FS_BLANK, true, false});
    AddColumn(l, "TableauPileView", 5, g.RightRows, g.Tops, row);
    return l;
}

const TGameLayout& TCastleForm::LargeLayout() {
    static const TGameLayout layout =
        MakeLayout({748, 554, 16, 336, 432, Spaced(8, 136, 4), 305, 80, 125, 12.0f, 112, 520});
    return layout;
}

TCastleForm::TCastleForm(TAppContext& context, QWidget* parent)
    : TCastleForm(context, false, LargeLayout(), parent) {
}

TCastleForm::TCastleForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent)
    : TCellGameForm(context, GI_CASTLE, small, layout, parent, QStringLiteral("Restart1")),
      m_deck(View(QStringLiteral("DeckPileView"))) {
    Initialize();
}

void TCastleForm::Deal(bool newGame, bool quiet) {
    // The caption is refreshed on the empty table, so it shows no score until the next move.
    RefreshCaption();
    FillStock(m_deck, 1, newGame, quiet);
    const bool animate = Animating(quiet);
    m_deck->setVisible(animate);

    // Aces home, from the bottom of the deck up: the lowest-lying Ace goes to foundation 1.
    const QList<TCard*> deck = m_deck->Pile.Cards;
    for (TCard* card : deck) {
        card->FaceUp = true;
        if (card->Value != FS_ACE)
            continue;
        for (TCardPileView* home : Foundations()) {
            if (!home->Pile.isEmpty())
                continue;
            m_deck->Pile.RemoveCard(card);
            home->Pile.AddCard(card);
            if (animate) {
                home->repaint();
                if (Sound())
                    Sound()->PlayDeal();
            }
            break;
        }
    }
    if (animate)
        m_deck->repaint();

    for (int round = 0; round < Rounds; ++round) {
        for (TCardPileView* row : Tableau()) {
            DealCard(m_deck, row, true);
            if (animate)
                row->repaint();
        }
        if (animate && Sound())
            Sound()->PlayDeal();
    }
    m_deck->hide();
    FinishDeal(false);
}

bool TCastleForm::Builds(const TCard* lower, const TCard* upper) const {
    return CardRules::OneRankDown(lower, upper);
}
