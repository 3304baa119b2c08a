#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/Modal.h"
#include "games/GameRegistry.h"
#include "support/GameFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

// The menu bar and status line of every game window: with the preference off the
// window is the specified one; with it on the table keeps its size and places.
class TestGameBars : public QObject {
    Q_OBJECT

    static QStringList Names(const QList<QAction*>& actions) {
        QStringList names;
        for (const QAction* action : actions)
            names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        return names;
    }
    static QList<QRect> Places(const TGameForm& form) {
        QList<QRect> places;
        for (const TCardPileView* view : form.AllViews())
            places << view->geometry();
        return places;
    }

private slots:
    void cleanup() { TCard::SetCardSize(FS_LARGE, false); }

    void everyWindow_data() {
        QTest::addColumn<int>("game");
        QTest::addColumn<bool>("small");
        for (int game = 0; game < GI_COUNT; ++game)
            for (bool small : {false, true})
                QTest::addRow("%s %s", GameTable()[game].Section, small ? "small" : "large") << game << small;
    }

    // Switched on and off while open: the views keep their places, the window grows by the
    // bars and comes back to its size; Redo and Select Deal join the popup only meanwhile.
    void everyWindow() {
        QFETCH(int, game);
        QFETCH(bool, small);
        TRandom::Seed(5);
        GameFixture fx;
        auto form = OpenGameWindow(fx, game, small);
        QVERIFY(form);
        const QSize plain = form->size();
        const QList<QRect> places = Places(*form);
        const QStringList popup = Names(form->PopupMenu()->actions());
        QVERIFY(!form->MenuBar() && !form->StatusBar());
        QVERIFY(!popup.contains("Redo1") && !popup.contains("SelectDeal1"));
        QCOMPARE(form->Table()->geometry(), QRect(QPoint(0, 0), plain));

        fx.Prefs.ShowMenuBar = true;
        form->Item("Preferences1")->trigger();
        QVERIFY(form->MenuBar() && form->StatusBar());
        QCOMPARE(Places(*form), places);
        QCOMPARE(form->Table()->size(), plain);
        QCOMPARE(form->Table()->y(), form->MenuBar()->height());
        QCOMPARE(form->height(), plain.height() + form->MenuBar()->height() + form->StatusBar()->height());
        QStringList expected = popup;
        expected.insert(popup.indexOf("Undo1") + 1, "Redo1");
        expected.insert(expected.indexOf(popup.contains("Restart1") ? "Restart1" : "Redeal1") + 1,
                        "SelectDeal1");
        QCOMPARE(Names(form->PopupMenu()->actions()), expected);
        // Every item of the popup is in the menu bar, the very same action.
        QSet<QAction*> inBar;
        for (QAction* menu : form->MenuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                inBar.insert(item);
        for (QAction* item : form->PopupMenu()->actions())
            QVERIFY2(item->isSeparator() || inBar.contains(item), qPrintable(item->objectName()));
        const QString status = form->StatusBar()->findChild<QLabel*>("DealLabel")->text();
        QCOMPARE(status, QStringLiteral("Deal %1").arg(form->DealNumber()));
        form->StatusBar()->findChild<QToolButton*>("CopyDealButton")->click();
        QCOMPARE(QApplication::clipboard()->text(), QString::number(form->DealNumber()));

        fx.Prefs.ShowMenuBar = false;
        form->Item("Preferences1")->trigger();
        QVERIFY(!form->MenuBar() && !form->StatusBar());
        QCOMPARE(form->size(), plain);
        QCOMPARE(Places(*form), places);
        QCOMPARE(Names(form->PopupMenu()->actions()), popup);
        form.reset();
        QCOMPARE(TCard::LiveCount(), 0);
    }

    // Redo gives back what Undo took until something else changes the table: a new action,
    // a deal, or Montana's Shuffle Remaining, which no Undo reaches either.
    void redoIsForgottenOnceTheTableMovesOn() {
        TRandom::Seed(11);
        GameFixture fx;
        fx.Prefs.ShowMenuBar = true;
        auto form = OpenGameWindow(fx, GI_MONTANA, false);
        QVERIFY(form);
        QAction* redo = form->Item("Redo1");
        const auto playAndUndo = [&form] {
            for (TCardPileView* view : form->AllViews())
                if (view->Pile.isEmpty() && !view->isHidden() && form->MoveCount() == 0)
                    view->OnMouseDown(view, Qt::LeftButton, {}, 1, 1); // fills a gap if it can
            form->Item("Undo1")->trigger();
        };
        playAndUndo();
        QVERIFY(redo->isEnabled());
        form->Item("Shuffle1")->trigger();
        QVERIFY(!redo->isEnabled() && !form->CanRedo());
        playAndUndo();
        QVERIFY(redo->isEnabled());
        form->Item("NewGame1")->trigger();
        QVERIFY(!redo->isEnabled());
    }

    // Without the preference Redo, Select Deal and the keys of keyboard play do nothing.
    void offMeansNoNewKeys() {
        TRandom::Seed(9);
        GameFixture fx;
        auto form = OpenGameWindow(fx, GI_KLONDIKE, false);
        QVERIFY(form);
        form->StockAction();
        QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
        const QString undone = TableKit::Snapshot(*form);
        int dialogs = 0;
        Modal::SetRunner([&dialogs](QDialog&) { return ++dialogs, 0; });
        for (QKeyCombination key :
             {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_G,
              QKeyCombination(Qt::Key_Right), QKeyCombination(Qt::Key_Return)})
            QTest::keyClick(form.get(), key.key(), key.keyboardModifiers());
        Modal::SetRunner({});
        QCOMPARE(dialogs, 0);
        QCOMPARE(TableKit::Snapshot(*form), undone);
        QVERIFY(!form->findChild<QWidget*>("KeyboardFocusFrame")->isVisible());
    }
};

QTEST_MAIN(TestGameBars)
#include "tst_gamebars.moc"
