#include "support/TableKit.h"

#include "cards/TCard.h"
#include "cards/TCardPile.h"
#include "framework/TGameForm.h"
#include "framework/core/TProfile.h"
#include "support/MouseKit.h"

#include <QHash>
#include <stdexcept>

namespace TableKit {
namespace {

const char Ranks[] = "A23456789TJQK";
const char Suits[] = "CSDH";

// Forgets the undo records together with the actions they were grouped into.
struct UndoAccess : TGameForm {
    static void Clear(TGameForm& form) { (form.*(&UndoAccess::ClearUndo))(); }
};

} // namespace

QString Name(const TCard* card) {
    return QString(QChar(Ranks[card->Value])) + QChar(Suits[card->Suit]) + (card->FaceUp ? "" : "*");
}

QString Describe(const TCardPile& pile) {
    QStringList names;
    for (const TCard* card : pile.Cards)
        names << Name(card);
    return names.join(' ');
}

QString Snapshot(const TGameForm& form) {
    QStringList lines;
    for (const TCardPileView* view : form.AllViews())
        lines << view->objectName() + ": " + Describe(view->Pile);
    return lines.join('\n');
}

void Arrange(TGameForm& form, const QList<std::pair<QString, QString>>& piles, const QString& rest) {
    // Every card of the deal, by name; a second deck's copies are taken in turn.
    QHash<QString, QList<TCard*>> pool;
    for (TCard* card : form.SavedDeal().Cards)
        pool[QString(QChar(Ranks[card->Value])) + QChar(Suits[card->Suit])].append(card);
    for (TCardPileView* view : form.AllViews()) {
        view->Pile.Empty(false);
        view->update();
    }
    UndoAccess::Clear(form);
    for (const auto& [viewName, cards] : piles) {
        TCardPileView* view = form.View(viewName);
        if (!view)
            throw std::runtime_error(("no view " + viewName).toStdString());
        for (const QString& token : cards.split(' ', Qt::SkipEmptyParts)) {
            QList<TCard*>& copies = pool[token.left(2).toUpper()];
            if (copies.isEmpty())
                throw std::runtime_error(("card used up: " + token).toStdString());
            TCard* card = copies.takeFirst();
            card->FaceUp = !token.endsWith('*');
            view->Pile.AddCard(card);
        }
    }
    if (!rest.isEmpty()) {
        TCardPileView* stock = form.View(rest);
        for (TCard* card : form.SavedDeal().Cards) {
            QList<TCard*>& copies = pool[QString(QChar(Ranks[card->Value])) + QChar(Suits[card->Suit])];
            if (copies.removeOne(card)) {
                card->FaceUp = false;
                stock->Pile.AddCard(card);
            }
        }
    }
}

QPoint CardPoint(TCardPileView* view, int index) {
    view->repaint();
    const TCard* card = view->Pile.CardAt(index);
    return QPoint(static_cast<int>(card->PosX) + 10, static_cast<int>(card->PosY) + 5);
}

void DragCard(TCardPileView* from, int index, QWidget* to, QPoint at) {
    MouseKit::Drag(from, CardPoint(from, index), to, at);
}

QPoint BareAbove(const QWidget* column) {
    return QPoint(column->x() + 10, column->y() - 4);
}

TProfile Section(const QString& section) {
    TProfile profile;
    profile.SetFileName(QStringLiteral("Solitaire.ini"));
    profile.SetSection(section);
    profile.SetDefaultText(QStringLiteral("None"));
    return profile;
}

} // namespace TableKit
