#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <utility>

class TCard;
class TCardPile;
class TCardPileView;
class TGameForm;
class TProfile;
class QWidget;

// Card notation for tests: rank A 2..9 T J Q K, suit C S D H, "*" after a card
// means face down. "KS QH* 3D" is the King of spades, the Queen of hearts face
// down and the Three of diamonds, bottom first.
namespace TableKit {

QString Name(const TCard* card);
// The pile as text, bottom first ("KS QH* 3D").
QString Describe(const TCardPile& pile);
// Every view's pile, one line per view in layout order: "TableauPileView1: KS QH*".
QString Snapshot(const TGameForm& form);
// Lays out the table: every listed view gets exactly the named cards, every
// other view is emptied and the remaining cards of the deal go to `rest`
// (face down, in deal order). The cards are the deal's own objects, taken
// from the window's saved deal, so nothing is created or leaked.
void Arrange(TGameForm& form, const QList<std::pair<QString, QString>>& piles, const QString& rest);

// A point on the card at `index` of `view` (painted first, so its place is known).
QPoint CardPoint(TCardPileView* view, int index);
// Drags the card at index of `from`, with the cards above it, onto `at` in `to`.
void DragCard(TCardPileView* from, int index, QWidget* to, QPoint at = {30, 30});
// Bare table just above a column, reached from its first card without crossing another view.
QPoint BareAbove(const QWidget* column);
// A profile on a game's settings section, reading absent keys as "None".
TProfile Section(const QString& section);

} // namespace TableKit
