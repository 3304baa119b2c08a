#include "cards/TCard.h"
#include "framework/KeyboardPlay.h"
#include "games/GameRegistry.h"
#include "games/pyramid/TPyramidForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"

#include <QAction>
#include <QTest>

// Keyboard play in every game goes through the mouse's own handlers: the same rules,
// records and results as the mouse, and Undo and Redo take it back and give it again.
class TestKeyboardPlay : public QObject {
    Q_OBJECT

    std::unique_ptr<TGameForm> Open(GameFixture& fx, int game, quint32 deal) {
        fx.Prefs.ShowMenuBar = true;
        fx.Prefs.SmartDragging = false;
        fx.Context.NextDeal = deal;
        return OpenGameWindow(fx, game);
    }
    static void Key(TGameForm* form, Qt::Key key) { QTest::keyClick(form, key); }

private slots:
    void cleanup() { MouseKit::ResetButtons(); }

    void oneMoveInEveryGame_data() {
        QTest::addColumn<int>("game");
        for (int game = 0; game < GI_COUNT; ++game)
            QTest::newRow(GameTable()[game].Section) << game;
    }

    // The first card, in layout order, that Enter plays or lifts onto a pile that takes it:
    // a lifted card lands as the same drag of the mouse lands; Undo takes the move back
    // exactly, Redo gives it again.
    void oneMoveInEveryGame() {
        QFETCH(int, game);
        for (quint32 deal = 1; deal <= 40; ++deal) {
            GameFixture fx;
            auto form = Open(fx, game, deal);
            QVERIFY(form);
            TKeyboardPlay* keys = form->Keyboard();
            for (TCardPileView* view : form->AllViews()) {
                if (view->isHidden() || form->Role(view) == TPileRole::Stock)
                    continue;
                // Its face-up cards from the top down, or the empty pile itself (a Montana gap).
                const int last = view->Pile.isEmpty() ? -1 : 0;
                for (int index = view->Pile.size() - 1; index >= last; --index) {
                    if (index >= 0 && !view->Pile.CardAt(index)->FaceUp)
                        break;
                    const QString before = TableKit::Snapshot(*form);
                    keys->SetFocus(view, index >= 0 ? view->Pile.CardAt(index) : nullptr);
                    Key(form.get(), Qt::Key_Return);
                    TCardPileView* target = keys->Holding() ? keys->Targets().value(0) : nullptr;
                    if (target) {
                        keys->SetFocus(target);
                        Key(form.get(), Qt::Key_Return);
                    }
                    const QString after = TableKit::Snapshot(*form);
                    if (after == before)
                        continue;
                    QVERIFY(!keys->Holding() && !view->IsDragging());
                    if (form->MoveCount() > 0) {
                        QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
                        QCOMPARE(TableKit::Snapshot(*form), before);
                        QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
                        QCOMPARE(TableKit::Snapshot(*form), after);
                    }
                    if (target) {
                        // The mouse, on the same deal, makes the same move.
                        GameFixture mouseFx;
                        auto mouse = Open(mouseFx, game, deal);
                        TCardPileView* to = mouse->View(target->objectName());
                        TableKit::DragCard(mouse->View(view->objectName()), index, to,
                                           to->Pile.isEmpty() ? QPoint(20, 20)
                                                              : TableKit::CardPoint(to, to->Pile.size() - 1));
                        QCOMPARE(TableKit::Snapshot(*mouse), after);
                        QCOMPARE(mouse->MoveCount(), form->MoveCount());
                    }
                    qInfo("deal %u: %s [%d] %s", deal, qPrintable(view->objectName()), index,
                          target ? qPrintable("to " + target->objectName()) : "played at once");
                    return;
                }
            }
        }
        QFAIL("no move found by keyboard in forty deals");
    }

    // Escape, or a press of the mouse, puts lifted cards back: nothing moved, nothing recorded.
    void liftedCardsGoBack() {
        GameFixture fx;
        auto form = Open(fx, GI_FREECELL, 3);
        QVERIFY(form);
        TCardPileView* column = form->View("TableauPileView1");
        const QString before = TableKit::Snapshot(*form);
        for (bool byMouse : {false, true}) {
            form->Keyboard()->SetFocus(column);
            Key(form.get(), Qt::Key_Return);
            QCOMPARE(form->Keyboard()->Holding(), column);
            Key(form.get(), Qt::Key_Right);
            if (byMouse)
                MouseKit::Click(form->Table(), QPoint(2, form->Table()->height() - 2));
            else
                Key(form.get(), Qt::Key_Escape);
            QVERIFY(!column->IsDragging() && !form->Keyboard()->Holding());
            QCOMPARE(TableKit::Snapshot(*form), before);
            QCOMPARE(form->UndoRecord().Count(), 0);
        }
    }

    // Enter on a free Pyramid King sends it to the discard pile at once.
    void enterRemovesAFreePyramidKing() {
        GameFixture fx;
        auto form = Open(fx, GI_PYRAMID, 1);
        QVERIFY(form);
        auto* pyramid = static_cast<TPyramidForm*>(form.get());
        TableKit::Arrange(*form, {{"CardPileView22", "KS"}, {"CardPileView23", "5H"}}, "DeckPileView");
        pyramid->RefreshTable();
        form->Keyboard()->SetFocus(form->View("CardPileView22"));
        Key(form.get(), Qt::Key_Return);
        QCOMPARE(TableKit::Describe(pyramid->Discard()->Pile), QStringLiteral("KS"));
        QCOMPARE(form->MoveCount(), 1);
        QVERIFY(!form->Keyboard()->Holding());
    }
};

QTEST_MAIN(TestKeyboardPlay)
#include "tst_keyboardplay.moc"
