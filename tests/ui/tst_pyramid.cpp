#include "cards/PyramidRules.h"
#include "cards/Random.h"
#include "framework/core/TProfile.h"
#include "games/pyramid/TPyramidForm.h"
#include "games/pyramid/TsPyramidForm.h"
#include "support/GameFixture.h"

#include <QAction>
#include <QLabel>
#include <QSet>
#include <QTest>

using TableKit::CardPoint;

// Pyramid played through its real window with synthetic mouse input.
class TestPyramid : public QObject, GameWindowTest<TPyramidForm, TsPyramidForm> {
    Q_OBJECT

    // "CardPileView22:6H;PlayPileView:QD" laid out, the rest of the deal on `rest`.
    void Lay(const QString& table, const char* rest = "DeckPileView") {
        QList<std::pair<QString, QString>> piles;
        for (const QString& pile : table.split(';', Qt::SkipEmptyParts))
            piles.append({pile.section(':', 0, 0), pile.section(':', 1)});
        TableKit::Arrange(*form, piles, QString::fromLatin1(rest));
        form->RefreshTable();
    }
    // The pyramid, position by position: '.' removed, 'f' free, 'c' covered.
    QString Coverage() const {
        QString marks;
        for (const TCardPileView* view : form->Pyramid())
            marks += !view->isVisible() ? '.' : view->AllowDrag ? 'f' : 'c';
        return marks;
    }
    bool EveryCardOnce() const {
        QSet<const TCard*> seen;
        for (const TCardPileView* view : form->AllViews())
            for (const TCard* card : view->Pile.Cards)
                seen.insert(card);
        return seen.size() == 52 && form->SavedDeal().size() == 52;
    }
    // One step of a simple player: a free King, else the first pair of free cards, else the deck.
    bool GreedyStep() {
        QList<TCardPileView*> free;
        for (TCardPileView* view : form->Pyramid() + QList<TCardPileView*>{form->PlayPile(), form->Waste()})
            if (view->isVisible() && !view->Pile.isEmpty() && form->IsFree(view))
                free << view;
        for (TCardPileView* view : free) {
            if (view->Pile.Top()->Value != FS_KING)
                continue;
            if (form->MoveCount() % 2)
                MouseKit::DoubleClick(view, CardPoint(view, view->Pile.size() - 1));
            else
                TableKit::DragCard(view, view->Pile.size() - 1, form->Discard());
            return true;
        }
        for (TCardPileView* a : free)
            for (TCardPileView* b : free)
                if (a != b && PyramidRules::Pairs(a->Pile.Top()->Value, b->Pile.Top()->Value)) {
                    TableKit::DragCard(a, a->Pile.size() - 1, b);
                    return true;
                }
        const QString before = TableKit::Snapshot(*form);
        MouseKit::Click(form->Deck(), {20, 20});
        return TableKit::Snapshot(*form) != before;
    }

private slots:
    void init() { Start(4242); }
    void cleanup() { QVERIFY2(Finish(), "a card was left unreleased"); }

    void dealBuildsThePyramidWithItsBottomRowFree_data() {
        QTest::addColumn<bool>("small");
        QTest::newRow("large") << false;
        QTest::newRow("small") << true;
    }
    // 28 cards face up, only row 7 free, 24 in the deck counted by its hint; the window cannot be resized.
    void dealBuildsThePyramidWithItsBottomRowFree() {
        QFETCH(bool, small);
        if (small)
            ReopenSmall();
        for (const TCardPileView* view : form->Pyramid())
            QVERIFY(view->Pile.size() == 1 && view->Pile.Top()->FaceUp);
        QCOMPARE(Coverage(), QString(21, 'c') + QString(7, 'f'));
        QCOMPARE(form->Deck()->Hint(), QStringLiteral("24"));
        QCOMPARE(form->Deck()->State, FS_RECYCLE);
        QCOMPARE(form->Label("Label1")->text(), QStringLiteral("First Pass"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Pyramid"));
        QCOMPARE(form->minimumSize(), small ? QSize(520, 480) : QSize(640, 586));
        QCOMPARE(form->maximumSize(), form->minimumSize());
        form->DeckPileViewClick();
        QCOMPARE(form->Deck()->Hint(), QStringLiteral("23"));
        QCOMPARE(form->PlayPile()->Pile.size(), 1);
    }

    void movesFollowThePairingRules_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("action"); // drag, dblclick, shift
        QTest::addColumn<QString>("from");
        QTest::addColumn<QPoint>("at"); // the press point; null: on the top card
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("discarded");
        const auto row = [](const char* name, QString table, QString action, QString from, QString to,
                            QString discarded, QPoint at = {}) {
            QTest::newRow(name) << table << action << from << at << to << discarded;
        };
        row("6 and 7", "CardPileView22:6H;CardPileView23:7C", "drag", "CardPileView22", "CardPileView23",
            "6H 7C");
        row("play Queen and waste Ace", "PlayPileView:QD;WastePileView:5C AS", "drag", "PlayPileView",
            "WastePileView", "QD AS");
        row("waste and pyramid", "WastePileView:2C 8S;CardPileView25:5H", "drag", "WastePileView",
            "CardPileView25", "8S 5H");
        row("freed row-6 card", "CardPileView16:6H;CardPileView24:7C", "drag", "CardPileView24",
            "CardPileView16", "7C 6H");
        row("two 6s", "CardPileView22:6H;CardPileView23:6C", "drag", "CardPileView22", "CardPileView23", "");
        row("card it covers", "CardPileView16:6H;CardPileView22:7C", "drag", "CardPileView22",
            "CardPileView16", "");
        row("waste's own next card", "WastePileView:6H 7S", "drag", "WastePileView", "WastePileView", "");
        row("buried waste card", "WastePileView:6H 2S 3D;CardPileView22:JC", "drag", "WastePileView",
            "CardPileView22", "", QPoint(0, 60));
        row("King dragged", "CardPileView24:KD", "drag", "CardPileView24", "DiscardPileView", "KD");
        row("Queen to discard", "CardPileView22:QH", "drag", "CardPileView22", "DiscardPileView", "");
        row("King to deck", "CardPileView22:KH", "drag", "CardPileView22", "DeckPileView", "");
        row("King double-clicked", "PlayPileView:KH", "dblclick", "PlayPileView", "", "KH");
        row("King shift-clicked", "CardPileView26:KS", "shift", "CardPileView26", "", "KS");
        row("covered King", "CardPileView16:KS;CardPileView22:3C", "dblclick", "CardPileView16", "", "");
    }
    // Pairs totalling 13 and free Kings go; anything else returns home. No card ever ends on two
    // piles, and Undo restores the cards and the coverage exactly.
    void movesFollowThePairingRules() {
        QFETCH(QString, table);
        QFETCH(QString, action);
        QFETCH(QString, from);
        QFETCH(QPoint, at);
        QFETCH(QString, to);
        QFETCH(QString, discarded);
        Lay(table);
        const QString before = TableKit::Snapshot(*form);
        const QString coverage = Coverage();
        TCardPileView* source = form->View(from);
        source->repaint(); // lays the cards out for the hit test
        const QPoint press = at.isNull() ? CardPoint(source, source->Pile.size() - 1) : at;
        if (action == "drag")
            MouseKit::Drag(source, press, form->View(to), {30, 30});
        else if (action == "dblclick")
            MouseKit::DoubleClick(source, press);
        else
            MouseKit::Click(source, press, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(TableKit::Describe(form->Discard()->Pile), discarded);
        QVERIFY(EveryCardOnce());
        QVERIFY(source->DragPile.size() <= 1); // only a top card is ever lifted
        QCOMPARE(form->MoveCount(), discarded.isEmpty() ? 0 : 1);
        if (discarded.isEmpty()) {
            QCOMPARE(TableKit::Snapshot(*form), before);
            QCOMPARE(Coverage(), coverage);
            return;
        }
        QCOMPARE(form->windowTitle(),
                 QStringLiteral("Pyramid   Score: %1").arg(form->Discard()->Pile.size()));
        form->Undo1Click();
        QCOMPARE(TableKit::Snapshot(*form), before);
        QCOMPARE(Coverage(), coverage);
        QCOMPARE(form->MoveCount(), 0);
    }

    // Three passes: a redeal turns the waste over, earliest card first, and is undone in steps
    // that cost no move; once no redeal remains, the mark goes blank and a click only sets aside.
    void deckIsGoneThroughThreeTimes() {
        Lay("DeckPileView:2C* 3C*", "DiscardPileView");
        form->DeckPileViewClick();
        form->DeckPileViewClick();
        QCOMPARE(Pile("WastePileView"), QStringLiteral("3C"));
        QCOMPARE(form->Deck()->State, FS_RECYCLE);
        form->DeckPileViewClick(); // the redeal
        QCOMPARE(Pile("PlayPileView"), QStringLiteral("3C"));
        QCOMPARE(Pile("DeckPileView"), QStringLiteral("2C*"));
        QCOMPARE(form->Label("Label1")->text(), QStringLiteral("Second Pass"));
        QCOMPARE(form->MoveCount(), 2);
        const QStringList steps = {"DeckPileView: 2C* 3C*|PlayPileView: |WastePileView: ",
                                   "DeckPileView: |PlayPileView: |WastePileView: 3C 2C",
                                   "DeckPileView: |PlayPileView: 2C|WastePileView: 3C",
                                   "DeckPileView: 2C*|PlayPileView: 3C|WastePileView: "};
        for (const QString& step : steps) {
            form->Undo1Click();
            const QStringList lines = TableKit::Snapshot(*form).split('\n').mid(28, 3);
            QCOMPARE(lines.join('|'), step);
        }
        QCOMPARE(form->Pass(), 1);
        QCOMPARE(form->Label("Label1")->text(), QStringLiteral("First Pass"));
        QCOMPARE(form->MoveCount(), 1);
        for (int i = 0; i < 5; ++i) // through the second pass into the third
            form->DeckPileViewClick();
        QCOMPARE(form->Label("Label1")->text(), QStringLiteral("Third Pass"));
        QCOMPARE(form->Deck()->State, FS_BLANK);
        const int moves = form->MoveCount();
        form->DeckPileViewClick();
        QCOMPARE(Pile("WastePileView"), QStringLiteral("3C 2C"));
        form->DeckPileViewClick();
        QCOMPARE(Pile("WastePileView"), QStringLiteral("3C 2C"));
        QCOMPARE(form->MoveCount(), moves);
        form->Undo1Click();
        QCOMPARE(Pile("PlayPileView"), QStringLiteral("2C"));
        QCOMPARE(form->MoveCount(), moves);
    }

    // A redeal of a single card into the last pass uses the deck up at once: no redeal remains,
    // so the recycle mark must not show.
    void recycleMarkIsBlankWhenTheLastRedealEmptiesTheDeck() {
        Lay("DeckPileView:3C*", "DiscardPileView");
        form->DeckPileViewClick();
        form->DeckPileViewClick();
        QCOMPARE(form->Pass(), 2);
        QCOMPARE(form->Deck()->State, FS_RECYCLE);
        form->DeckPileViewClick();
        QCOMPARE(form->Pass(), 3);
        QVERIFY(form->Deck()->Pile.isEmpty());
        QCOMPARE(form->Deck()->State, FS_BLANK);
        form->Undo1Click();
        form->Undo1Click();
        QCOMPARE(form->Pass(), 2);
        QCOMPARE(form->Deck()->State, FS_RECYCLE);
    }

    // The last pair wins; a later double-click on an empty view neither shows nor records it again.
    void aWinIsRecordedOnce() {
        Lay("CardPileView22:6H;CardPileView23:7C", "DiscardPileView");
        GameAccess::SetMoves(form, 10);
        TableKit::DragCard(V("CardPileView22"), 0, V("CardPileView23"));
        QVERIFY(form->GameOver());
        QCOMPARE(form->windowTitle(), QStringLiteral("Pyramid   Score: 52"));
        QCOMPARE(form->Deck()->State, FS_BLANK);
        QVERIFY(!form->Item("Undo1")->isEnabled());
        MouseKit::DoubleClick(form->PlayPile(), {20, 20});
        form->DoubleClickAction(form->Waste());
        QCOMPARE(fx->WinWindows, 1);
        TProfile stats = TableKit::Section("Pyramid");
        QCOMPARE(stats.Read("GamesWon"), QStringLiteral("1"));
        QCOMPARE(stats.Read("GamesAttempted"), QStringLiteral("1"));
    }

    // While a card travels, neither the deck nor Undo moves anything; a drop on the table sends it home.
    void deckAndUndoWaitForADragToEnd() {
        form->DeckPileViewClick();
        const QString before = TableKit::Snapshot(*form);
        TCardPileView* card = V("CardPileView22");
        MouseKit::Press(card, {20, 20});
        MouseKit::Move(card, {40, 0});
        QVERIFY(card->IsDragging());
        QTest::keyClick(form, Qt::Key_Space);
        QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);
        MouseKit::Release(form, {600, 20});
        QCOMPARE(TableKit::Snapshot(*form), before);
        QVERIFY(card->isVisible() && card->AllowDrag);
    }

    void passLabelContrastsWithTheTable_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<QColor>("text");
        QTest::newRow("dark green") << int(TPreferences::DarkGreen) << QColor(Qt::white);
        QTest::newRow("just below the middle") << 0x7FFFFE << QColor(Qt::white);
        QTest::newRow("the middle") << 0x7FFFFF << QColor(Qt::black);
    }
    void passLabelContrastsWithTheTable() {
        QFETCH(int, colour);
        fx->Prefs.BackgroundColor = colour;
        form->Preferences1Click();
        QTEST(form->Label("Label1")->palette().color(QPalette::WindowText), "text");
    }

    void simplePlayWinsOrUndoesBackToTheDeal_data() {
        QTest::addColumn<int>("seed");
        QTest::addColumn<bool>("small");
        QTest::addColumn<bool>("wins");
        QTest::newRow("won, large") << 400 << false << true;
        QTest::newRow("won, small") << 400 << true << true;
        QTest::newRow("lost") << 1 << false << false;
    }
    // Whole games through the mouse: a won deal ends with all 52 discarded; a lost one, undone
    // command by command across its redeals, is the deal again.
    void simplePlayWinsOrUndoesBackToTheDeal() {
        QFETCH(int, seed);
        QFETCH(bool, small);
        QFETCH(bool, wins);
        Finish();
        Start(seed);
        if (small) {
            TRandom::Seed(seed);
            ReopenSmall();
        }
        const QString deal = TableKit::Snapshot(*form);
        const QString coverage = Coverage();
        for (int steps = 0; !form->GameOver() && steps < 200 && GreedyStep(); ++steps)
            QVERIFY(EveryCardOnce());
        QCOMPARE(form->GameOver(), wins);
        if (wins) {
            QCOMPARE(form->Discard()->Pile.size(), 52);
            QCOMPARE(fx->WinWindows, 1);
            return;
        }
        QCOMPARE(form->Pass(), 3);
        while (form->Item("Undo1")->isEnabled())
            form->Undo1Click();
        QCOMPARE(TableKit::Snapshot(*form), deal);
        QCOMPARE(Coverage(), coverage);
        QCOMPARE(form->MoveCount(), 0);
        QCOMPARE(form->Pass(), 1);
        QCOMPARE(form->Deck()->State, FS_RECYCLE);
    }
};

QTEST_MAIN(TestPyramid)
#include "tst_pyramid.moc"
