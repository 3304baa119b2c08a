#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/core/GameTable.h"
#include "games/GameRegistry.h"
#include "games/klondike/TKlondikeForm.h"
#include "solver/Deals.h"
#include "solver/Solver.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QTest>
#include <memory>

using namespace Solver;

namespace {

// The position a window shows, pile view by pile view.
TPosition PositionOf(const TGameForm& form) {
    TPosition p;
    p.Game = form.GameIndex();
    if (auto* klondike = qobject_cast<const TKlondikeForm*>(&form))
        p.Recycles = klondike->RecycleCount();
    for (const TCardPileView* view : form.AllViews()) {
        std::vector<Card> cards;
        for (const TCard* card : view->Pile.Cards)
            cards.push_back(MakeCard(card->Suit, card->Value, !card->FaceUp));
        p.SetPile(view->objectName().toStdString(), std::move(cards));
    }
    return p;
}

QString Describe(const std::vector<Card>* cards) {
    return cards ? QString::fromStdString(PileText(*cards)) : QStringLiteral("(no such view)");
}

} // namespace

// The solver against the real game windows: the deal it computes from a deal
// number is the table the window deals, and a win it finds, played through the
// window with the mouse, ends in the window's own win.
class TestSolverWindows : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        MouseKit::ResetButtons();
        delete m_form;
        m_form = nullptr;
        m_fx.reset();
    }
    void startPositionIsTheWindowsDeal_data();
    void startPositionIsTheWindowsDeal();
    void winPlaysThroughTheWindow_data();
    void winPlaysThroughTheWindow();

private:
    void Open(int game, quint32 deal) {
        m_fx = std::make_unique<GameFixture>();
        m_fx->Prefs.SmartDragging = false;
        TRandom::Seed(deal);
        m_form = GameFactory(game).Large(m_fx->Context, nullptr);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
    }

    std::unique_ptr<GameFixture> m_fx;
    TGameForm* m_form = nullptr;
};

void TestSolverWindows::startPositionIsTheWindowsDeal_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<quint32>("deal");
    for (int game : {GI_KLONDIKE, GI_DBLKLONDIKE, GI_FREECELL, GI_SEAHAVEN})
        for (quint32 deal : {1u, 4242u, 0xDEADBEEFu})
            QTest::addRow("%s, deal %u", GameTable()[game].ListName, deal) << game << deal;
}

void TestSolverWindows::startPositionIsTheWindowsDeal() {
    QFETCH(int, game);
    QFETCH(quint32, deal);
    Open(game, deal);
    const TPosition window = PositionOf(*m_form);
    const TPosition computed = StartPosition(game, deal);
    QCOMPARE(computed.Piles.size(), window.Piles.size());
    for (const TPilePosition& pile : window.Piles)
        QCOMPARE(Describe(computed.Pile(pile.View)), Describe(&pile.Cards));
}

void TestSolverWindows::winPlaysThroughTheWindow_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<quint32>("deal");
    QTest::addColumn<bool>("drawOne");
    QTest::addColumn<QString>("table"); // laid out instead of the deal when given
    QTest::newRow("Free Cell") << int(GI_FREECELL) << 2u << false << QString();
    QTest::newRow("Sea Towers") << int(GI_SEAHAVEN) << 2u << false << QString();
    QTest::newRow("Klondike, draw three") << int(GI_KLONDIKE) << 4u << false << QString();
    QTest::newRow("Klondike, draw one") << int(GI_KLONDIKE) << 2u << true << QString();
    QTest::newRow("Double Klondike, draw three") << int(GI_DBLKLONDIKE) << 2u << false << QString();
    // The Ten is passed on the first pass; the one turn of the waste brings it back.
    QString spades = "AS 2S 3S 4S 5S 6S 7S 8S 9S TS JS QS KS";
    QString table = "DeckPileView=KS* QS* 9S* JS* TS*|FoundationPile1=" + spades.left(23);
    const char* suits = "CDHSCDH";
    for (int f = 2; f <= 8; ++f)
        table += QStringLiteral("|FoundationPile%1=").arg(f) + QString(spades).replace('S', suits[f - 2]);
    QTest::newRow("Double Klondike, draw one, the waste turned over once")
        << int(GI_DBLKLONDIKE) << 1u << true << table;
}

void TestSolverWindows::winPlaysThroughTheWindow() {
    QFETCH(int, game);
    QFETCH(quint32, deal);
    QFETCH(bool, drawOne);
    QFETCH(QString, table);
    Open(game, deal);
    if (drawOne)
        qobject_cast<TKlondikeForm*>(m_form)->DrawOne1Click();
    if (!table.isEmpty()) {
        QList<std::pair<QString, QString>> piles;
        for (const QString& pile : table.split('|'))
            piles.append({pile.section('=', 0, 0), pile.section('=', 1)});
        TableKit::Arrange(*m_form, piles, QString());
    }
    TRules rules;
    if (auto* klondike = qobject_cast<TKlondikeForm*>(m_form))
        rules.DrawCount = klondike->DrawCount();
    const TResult result = TSolver(game, rules).Solve(PositionOf(*m_form));
    QVERIFY2(result.Verdict == TVerdict::Winnable, result.Note.c_str());
    for (const TMove& move : result.Moves) {
        QVERIFY(!m_form->GameOver());
        const QString before = TableKit::Snapshot(*m_form);
        if (move.From == "DeckPileView") {
            m_form->StockAction();
        } else {
            TCardPileView* from = m_form->View(QString::fromStdString(move.From));
            TCardPileView* to = m_form->View(QString::fromStdString(move.To));
            QVERIFY2(from && to && from->Pile.size() >= move.Cards, move.Text().c_str());
            TableKit::DragCard(from, from->Pile.size() - move.Cards, to);
        }
        QVERIFY2(TableKit::Snapshot(*m_form) != before,
                 qPrintable("refused: " + QString::fromStdString(move.Text())));
    }
    QVERIFY(m_form->GameOver());
    QCOMPARE(m_fx->WinWindows, 1);
}

QTEST_MAIN(TestSolverWindows)
#include "tst_solverwindows.moc"
