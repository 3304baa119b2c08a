#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/core/GameTable.h"
#include "games/GameRegistry.h"
#include "games/klondike/TKlondikeForm.h"
#include "games/montana/TMontanaForm.h"
#include "solver/Deals.h"
#include "solver/Solver.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QTest>
#include <algorithm>
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
    for (int game = 0; game < GI_COUNT; ++game)
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
    // Deals the engine decides within its default limits; a few per game and draw mode.
    const struct {
        int Game;
        bool DrawOne;
        std::initializer_list<quint32> Deals;
    } wins[] = {
        {GI_FREECELL, false, {2u, 5u}}, {GI_SEAHAVEN, false, {2u, 3u}}, {GI_CASTLE, false, {1u, 2u}},
        {GI_GOLF, false, {1u, 2u}},     {GI_PYRAMID, false, {1u, 2u}},  {GI_MONTANA, false, {1u, 2u}},
        {GI_KLONDIKE, false, {4u, 6u}}, {GI_KLONDIKE, true, {2u, 3u}},  {GI_DBLKLONDIKE, false, {2u}},
        {GI_DBLKLONDIKE, true, {}},     {GI_FORTYTHIEVES, false, {}},   {GI_INDIAN, false, {5u, 8u}},
        {GI_QUEENITALY, false, {}},     {GI_SPIDER, false, {}},
    };
    for (const auto& win : wins)
        for (quint32 deal : win.Deals)
            QTest::addRow("%s%s, deal %u", GameTable()[win.Game].ListName, win.DrawOne ? ", draw one" : "",
                          deal)
                << win.Game << deal << win.DrawOne << QString();
    // The games whose numbered deals the engine rarely decides play endgames
    // that still need their own rules.
    const QString ranks = "A23456789TJQK";
    const auto run = [&ranks](QChar suit, int from, int to) { // from > to: downwards
        QStringList cards;
        for (int v = from; from <= to ? v <= to : v >= to; v += from <= to ? 1 : -1)
            cards << QString(ranks[v]) + suit;
        return cards.join(' ');
    };
    QString thieves; // every suit home to the Ten; the Jacks, Queens and Kings to play
    for (int f = 0; f < 8; ++f)
        thieves += QStringLiteral("FoundPile%1=%2|").arg(f + 1).arg(run("CSDH"[f % 4], 0, 9));
    thieves += "TableauPile1=JS KS QS|TableauPile2=JH KH QH|TableauPile3=QC JC|TableauPile4=KC|"
               "TableauPile5=QD KD JD|DeckPileView=JC QC KC JS QS KS JD QD KD JH QH KH";
    QTest::newRow("Forty Thieves, an endgame") << int(GI_FORTYTHIEVES) << 1u << false << thieves;
    QString spider; // two suits left, each split over two columns
    for (int f = 0; f < 6; ++f)
        spider += QStringLiteral("FoundPile%1=%2|").arg(f + 1).arg(run("CSDHCD"[f], 12, 0));
    spider += "TableauPile1=" + run('S', 12, 6) + " 6H 5H|TableauPile2=" + run('H', 12, 6) + " " +
              run('S', 5, 0) + "|TableauPile3=" + run('H', 3, 0);
    QTest::newRow("Spider, an endgame") << int(GI_SPIDER) << 1u << false << spider;
    // Queen of Italy from its base choice: the stock deals every suit in order,
    // the terrace holds the last cards each suit needs, top first.
    QStringList runs{run('S', 4, 11)}; // in dealing order
    const QString italySuits = "SHCDSHCD";
    for (int copy = 1; copy < 7; ++copy)
        runs << run(italySuits[copy], 0, 11);
    runs << run('D', 0, 8);
    QStringList deck = runs.join(' ').split(' ');
    std::reverse(deck.begin(), deck.end()); // the top card, dealt first, is written last
    QTest::newRow("Queen of Italy, suits in order")
        << int(GI_QUEENITALY) << 1u << false
        << "TableauPileView1=AS|TableauPileView2=2S|TableauPileView3=3S|TableauPileView4=4S|"
           "TerracePileView=KD QD JD TD KC KH KS KD KC KH KS|DeckPileView=" +
               deck.join(' ');
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
    // A deal is solved from the computed start, which also knows Montana's generator. Only the
    // limits on positions and memory apply: a slow (sanitizer) build must reach the same verdict.
    TLimits limits = TSolver::DefaultLimits(game);
    limits.MaxMillis = 600'000;
    const TResult result =
        TSolver(game, rules, limits).Solve(table.isEmpty() ? StartPosition(game, deal) : PositionOf(*m_form));
    QVERIFY2(result.Verdict == TVerdict::Winnable, result.Note.c_str());
    for (std::size_t i = 0; i < result.Moves.size(); ++i) {
        const TMove& move = result.Moves[i];
        QVERIFY(!m_form->GameOver());
        const QString before = TableKit::Snapshot(*m_form);
        TCardPileView* from = m_form->View(QString::fromStdString(move.From));
        TCardPileView* to = m_form->View(QString::fromStdString(move.To));
        if (move.From == "DeckPileView") {
            m_form->StockAction();
        } else if (move.From == "Shuffle1") {
            qobject_cast<TMontanaForm*>(m_form)->Shuffle1Click();
        } else if ((game == GI_GOLF && move.To == "DiscardPileView") || (game == GI_QUEENITALY && i == 0)) {
            // A press plays Golf's column card and chooses Queen of Italy's base.
            QVERIFY2(from && !from->Pile.isEmpty(), move.Text().c_str());
            MouseKit::Click(from, TableKit::CardPoint(from, from->Pile.size() - 1));
        } else {
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
