#include "cards/TCard.h"
#include "games/fortythieves/TFTPeekDlg.h"
#include "games/fortythieves/TsFortyThievesForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTest>

using TableKit::DragCard;

// Forty Thieves played through its real window with synthetic mouse input.
class TestFortyThieves : public QObject, GameWindowTest<TFortyThievesForm, TsFortyThievesForm> {
    Q_OBJECT

private slots:
    void init() { Start(4040, false); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    // Ten columns of four face-up cards, 64 in the stock; Peek sits between Restart and Preferences.
    void dealsTenColumnsOfFourAndListsPeekInTheMenu() {
        for (TCardPileView* column : form->Tableau()) {
            QCOMPARE(column->Pile.size(), 4);
            QVERIFY(!TableKit::Describe(column->Pile).contains('*'));
        }
        QCOMPARE(form->Stock()->Hint(), QStringLiteral("64"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Forty Thieves"));
        QStringList items;
        for (QAction* action : form->PopupMenu()->actions())
            items << (action->isSeparator() ? QStringLiteral("-")
                                            : action->objectName() + '|' + action->text() + '|' +
                                                  action->shortcut().toString());
        QCOMPARE(items, (QStringList{"Undo1|&Undo|Ctrl+Z", "-", "Autoplay1|&Autoplay|Ctrl+A", "-",
                                     "NewDeal1|&New Game|Ctrl+N", "Redeal1|&Restart|Ctrl+R",
                                     "Peek1|Pee&k...|F2", "Preferences1|&Preferences...|Ctrl+P",
                                     "About1|Rul&es...|F1", "Statistics1|S&tatistics...|Ctrl+S"}));
        form->About1Click();
        QCOMPARE(fx->HelpTopics, QList<int>{1003});
    }

    void dropsFollowTheSuitOneCardAtATime_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("cards");
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<bool>("taken");
        const auto row = [](const char* name, QString target, QString cards, QString dragged, bool taken) {
            QTest::newRow(name) << target << cards << dragged << taken;
        };
        row("same suit one below", "TableauPile2", "8H", "9C 7H", true);
        row("other suit of the colour", "TableauPile2", "8D", "9C 7H", false);
        row("same suit two below", "TableauPile2", "9H", "9C 7H", false);
        row("empty column takes any card", "TableauPile2", "", "9C 7H", true);
        row("ace on an empty foundation", "FoundPile3", "", "9C AS", true);
        row("next of the suit", "FoundPile3", "AS", "9C 2S", true);
        row("next rank, other suit", "FoundPile3", "AH", "9C 2S", false);
        row("a rank skipped", "FoundPile3", "AS", "9C 3S", false);
    }

    // Only the top card moves: dragging the card under it changes nothing.
    void dropsFollowTheSuitOneCardAtATime() {
        QFETCH(QString, target);
        QFETCH(QString, cards);
        QFETCH(QString, dragged);
        QFETCH(bool, taken);
        // Kings fill the other columns, so that no empty column on the way takes the card.
        QList<std::pair<QString, QString>> piles{{target, cards}, {"TableauPile1", dragged}};
        const QStringList kings{"KC", "KS", "KD", "KH", "KC", "KS", "KD", "KH", "QD"};
        for (int c = 2; c <= 10; ++c)
            if (target != QStringLiteral("TableauPile%1").arg(c))
                piles.append({QStringLiteral("TableauPile%1").arg(c), kings[c - 2]});
        TableKit::Arrange(*form, piles, "DeckPileView");
        TCardPileView* to = form->View(target);
        DragCard(V("TableauPile1"), 0, to);
        QCOMPARE(Pile("TableauPile1"), dragged);
        DragCard(V("TableauPile1"), 1, to);
        QCOMPARE(TableKit::Describe(to->Pile), taken ? (cards + ' ' + dragged.mid(3)).trimmed() : cards);
        QCOMPARE(form->MoveCount(), taken ? 1 : 0);
    }

    // The peek window shows the next card as cards are dealt and taken back, and goes with the last one.
    void peekFollowsTheStockUntilItIsEmpty() {
        QAction* peek = form->Item("Peek1");
        TCard* first = form->Stock()->Pile.Top();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form, Qt::Key_F2);
        QPointer<TFTPeekDlg> window = form->PeekWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->Card(), first);
        QVERIFY(!window->findChild<QLabel*>("Image1")->pixmap().isNull());
        form->DeckPileViewClick();
        QCOMPARE(form->Waste()->Pile.Top(), first);
        QVERIFY(first->FaceUp);
        QCOMPARE(window->Card(), form->Stock()->Pile.Top());
        form->Undo1Click();
        QCOMPARE(form->Stock()->Pile.Top(), first);
        QVERIFY(!first->FaceUp);
        QCOMPARE(window->Card(), first);
        QCOMPARE(form->MoveCount(), 0);
        while (!form->Stock()->Pile.isEmpty())
            form->DeckPileViewClick();
        QVERIFY(!window->isVisible());
        QVERIFY(!peek->isEnabled()); // greyed for F2 as well as for the menu
        QCOMPARE(form->Stock()->Hint(), QString());
        const int records = form->UndoRecord().Count();
        form->DeckPileViewClick(); // nothing left: no redeal
        QCOMPARE(form->UndoRecord().Count(), records);
        QCOMPARE(form->Waste()->Pile.size(), 64);
        form->Undo1Click();
        QVERIFY(peek->isEnabled());
        // A deal lets the window follow the new stock, and closing the game window takes it along.
        form->Peek1Click();
        form->NewGame1Click(form->Item("NewDeal1"));
        QCOMPARE(window->Card(), form->Stock()->Pile.Top());
        QPointer<TFortyThievesForm> game = form;
        fx->Messages.Answer = true;
        form->close();
        QTRY_VERIFY(!game);
        form = nullptr;
        QVERIFY(!window);
    }

    // A waste of all 64 stock cards keeps its top card wholly in view, so it can still be dragged.
    void fullWasteKeepsItsTopCardDraggable() {
        QStringList names;
        for (int i = 0; i < 64; ++i)
            names << TableKit::Name(form->SavedDeal().Cards[i]).left(2);
        TableKit::Arrange(*form, {{"DiscardPileView", names.join(' ')}}, "DeckPileView");
        TCardPileView* waste = form->Waste();
        waste->repaint();
        QVERIFY(waste->Pile.Top()->PosX + TCard::Width() <= waste->width());
        DragCard(waste, 63, V("TableauPile5"));
        QCOMPARE(Pile("TableauPile5"), names.last());
        QCOMPARE(waste->Pile.size(), 63);
    }
};

QTEST_MAIN(TestFortyThieves)
#include "tst_fortythieves.moc"
