#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/core/GameTable.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

// A command given while cards are held (shortcut, menu, space bar, middle or
// right button) first puts the held cards back, then runs; the release that
// follows moves nothing. Without that, Undo turned a card face down under the
// held group and a new deal began with a phantom move.
class TestDragCommands : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        MouseKit::ResetButtons();
        m_form.reset();
        m_fx.reset();
        QCOMPARE(TCard::LiveCount(), 0);
    }

    void commandDuringADragPutsTheCardsBackFirst_data() {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("column"); // the dragged card's column afterwards; "" after a deal
        QTest::addColumn<int>("moves");
        const QList<std::tuple<int, const char*, const char*, int>> rows{
            {GI_KLONDIKE, "undo", "4C* 5H", 0},
            {GI_KLONDIKE, "new game", "", 0},
            {GI_KLONDIKE, "restart", "", 0},
            {GI_KLONDIKE, "space bar", "4C", 2},
            {GI_KLONDIKE, "middle on table", "4C", 2},
            {GI_KLONDIKE, "middle on a column", "4C", 2},
            {GI_KLONDIKE, "popup menu", "4C", 1},
            {GI_KLONDIKE, "option key", "4C", 1},
            {GI_FREECELL, "undo", "TS 9H", 0},
            {GI_FREECELL, "new game", "", 0},
            {GI_FREECELL, "restart", "", 0},
            {GI_FREECELL, "middle on a column", "TS 9H 8C", 2},
            {GI_FREECELL, "popup menu", "TS 9H 8C", 1},
        };
        for (const auto& [game, command, column, moves] : rows)
            QTest::addRow("%s, %s", GameTable()[game].Section, command)
                << game << QString::fromLatin1(command) << QString::fromLatin1(column) << moves;
    }

    void commandDuringADragPutsTheCardsBackFirst() {
        QFETCH(int, game);
        QFETCH(QString, command);
        QFETCH(QString, column);
        QFETCH(int, moves);
        Open(game);
        // One move, whose records the drag would upset; then its card held over a
        // column that takes it. Free Cell's middle button plays the Ace home.
        if (game == GI_KLONDIKE) {
            TableKit::Arrange(*m_form, {{"TableauPileView1", "4C* 5H"}, {"TableauPileView2", "6S"}},
                              "DeckPileView");
            TableKit::DragCard(V("TableauPileView1"), 1, V("TableauPileView2"));
        } else {
            TableKit::Arrange(
                *m_form,
                {{"TableauPileView1", "TS 9H"}, {"TableauPileView2", "8C"}, {"TableauPileView3", "AD"}},
                "TableauPileView8");
            TableKit::DragCard(V("TableauPileView2"), 0, V("TableauPileView1"));
        }
        QCOMPARE(m_form->MoveCount(), 1);
        TCardPileView* source = V("TableauPileView1");
        TCardPileView* target = V("TableauPileView2");
        MouseKit::Press(source, TableKit::CardPoint(source, source->Pile.size() - 1));
        MouseKit::Move(target, {30, 30});
        MouseKit::Move(target, {30, 40});
        QVERIFY(source->IsDragging());
        QCOMPARE(source->DropTarget, target);

        bool heldWhenMenuShown = false;
        QTimer::singleShot(0, this, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                heldWhenMenuShown = AnyDragging();
                popup->close();
            }
        });
        RunCommand(command);
        QVERIFY(!heldWhenMenuShown);
        QVERIFY(!AnyDragging());
        const QString table = TableKit::Snapshot(*m_form);
        MouseKit::Release(target, {30, 40});
        QCOMPARE(TableKit::Snapshot(*m_form), table);
        QCOMPARE(m_form->MoveCount(), moves);
        int cards = 0;
        for (TCardPileView* view : m_form->AllViews())
            cards += view->Pile.size();
        QCOMPARE(cards, 52);
        if (!column.isEmpty())
            QCOMPARE(TableKit::Describe(source->Pile), column);
    }

private:
    void Open(int game) {
        TRandom::Seed(99);
        m_fx = std::make_unique<GameFixture>();
        m_fx->Prefs.SmartDragging = false;
        m_form = OpenGameWindow(*m_fx, game);
        QVERIFY(m_form);
    }

    void RunCommand(const QString& command) {
        QWindow* window = m_form->windowHandle();
        const QList<std::pair<const char*, Qt::Key>> keys{
            {"undo", Qt::Key_Z}, {"new game", Qt::Key_N}, {"restart", Qt::Key_R}, {"option key", Qt::Key_A}};
        for (const auto& [name, key] : keys)
            if (command == name)
                QTest::keyClick(window, key, Qt::ControlModifier);
        if (command == "space bar")
            QTest::keyClick(window, Qt::Key_Space);
        else if (command == "middle on table")
            MouseKit::Click(m_form.get(), {600, 470}, Qt::MiddleButton);
        else if (command == "middle on a column")
            MouseKit::Click(V(m_form->GameIndex() == GI_KLONDIKE ? "TableauPileView2" : "TableauPileView3"),
                            {30, 30}, Qt::MiddleButton);
        else if (command == "popup menu")
            MouseKit::Click(m_form.get(), {600, 470}, Qt::RightButton);
    }

    bool AnyDragging() const {
        const auto views = m_form->findChildren<TCardPileView*>();
        return std::any_of(views.begin(), views.end(), [](TCardPileView* v) { return v->IsDragging(); });
    }
    TCardPileView* V(const char* name) const { return m_form->View(QString::fromLatin1(name)); }

    std::unique_ptr<GameFixture> m_fx;
    std::unique_ptr<TGameForm> m_form;
};

QTEST_MAIN(TestDragCommands)
#include "tst_dragcommands.moc"
