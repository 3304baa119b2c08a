#include "cards/Random.h"
#include "cards/TCard.h"
#include "cards/TCardPile.h"
#include "framework/core/GameTable.h"
#include "solver/AsyncSolver.h"
#include "solver/Deals.h"
#include "solver/Solver.h"
#include "solver/StateTable.h"

#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <map>
#include <random>

using namespace Solver;

Q_DECLARE_METATYPE(Solver::TVerdict)
Q_DECLARE_METATYPE(Solver::TPosition)
Q_DECLARE_METATYPE(Solver::TRules)
Q_DECLARE_METATYPE(QList<quint32>)

namespace {

const char* HomePrefix(int game) {
    switch (game) {
    case GI_FREECELL:
    case GI_SEAHAVEN:
        return "FoundPileView";
    case GI_CASTLE:
        return "FoundationPileView";
    case GI_KLONDIKE:
    case GI_DBLKLONDIKE:
        return "FoundationPile";
    default:
        return "FoundPile";
    }
}

// A position from its listed piles ("View=cards|View=cards"); every card not
// listed goes up, suit by suit and copy by copy from the Ace (foundation s + 4k
// holds copy k of suit s), or, in games without such foundations, to `rest`.
TPosition Table(int game, const QString& piles, const char* rest = nullptr) {
    TPosition p;
    p.Game = game;
    const int decks = DeckCount(game);
    std::map<int, int> listed; // face-up card -> copies listed
    for (const QString& entry : piles.split('|', Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split('=');
        std::vector<Card> cards = ParsePile(parts.value(1).toStdString());
        for (Card c : cards)
            ++listed[FaceUp(c)];
        p.SetPile(parts[0].trimmed().toStdString(), std::move(cards));
    }
    std::vector<Card> left;
    for (int copy = 0; copy < decks; ++copy)
        for (int suit = 0; suit < 4; ++suit) {
            std::vector<Card> home;
            for (int v = Ace; v <= King; ++v) {
                const Card c = MakeCard(suit, v);
                if (listed[c] + copy < decks && (home.size() == static_cast<std::size_t>(v)))
                    home.push_back(c);
                else if (listed[c] + copy < decks)
                    left.push_back(c);
            }
            if (!rest)
                p.SetPile(HomePrefix(game) + std::to_string(suit + 1 + 4 * copy), home);
            else
                left.insert(left.end(), home.begin(), home.end());
        }
    if (rest) {
        std::vector<Card> pile = left;
        const std::vector<Card>* mine = p.Pile(rest);
        if (mine)
            pile.insert(pile.end(), mine->begin(), mine->end());
        p.SetPile(rest, pile);
    }
    return p;
}

// An endgame of a suit-foundation game: each suit home to a random height,
// the rest scattered over the game's piles (face down under each column's top
// in the Klondike games).
TPosition RandomEndgame(int game, std::mt19937& rng, int missing) {
    const int decks = DeckCount(game);
    std::vector<Card> rest;
    std::string homes;
    TPosition p;
    p.Game = game;
    for (int copy = 0; copy < decks; ++copy)
        for (int suit = 0; suit < 4; ++suit) {
            const int height = 13 - static_cast<int>(rng() % (missing + 1));
            std::vector<Card> home;
            for (int v = Ace; v <= King; ++v)
                (v < height ? home : rest).push_back(MakeCard(suit, v));
            p.SetPile(HomePrefix(game) + std::to_string(suit + 1 + 4 * copy), home);
        }
    std::shuffle(rest.begin(), rest.end(), rng);
    const bool klondike = game == GI_KLONDIKE || game == GI_DBLKLONDIKE;
    const bool cells = game == GI_FREECELL || game == GI_SEAHAVEN;
    const std::map<int, int> columnsOf = {{GI_KLONDIKE, 7},  {GI_DBLKLONDIKE, 9}, {GI_FREECELL, 8},
                                          {GI_SEAHAVEN, 10}, {GI_CASTLE, 8},      {GI_FORTYTHIEVES, 10}};
    const int columns = columnsOf.at(game);
    const char* column = game == GI_FORTYTHIEVES ? "TableauPile" : "TableauPileView";
    std::vector<std::vector<Card>> cols(columns);
    std::vector<Card> extra; // talon or free cells
    for (Card c : rest) {
        const int where = static_cast<int>(rng() % (columns + 2));
        // Free cells filled first: tight endgames, some of them lost.
        if ((cells && extra.size() < 4) || (where >= columns && !cells && game != GI_CASTLE))
            extra.push_back(c);
        else
            cols[where % columns].push_back(c);
    }
    for (int c = 0; c < columns; ++c) {
        if (klondike)
            for (std::size_t i = 0; i + 1 < cols[c].size(); ++i)
                cols[c][i] = FaceDown(cols[c][i]);
        p.SetPile(column + std::to_string(c + 1), cols[c]);
    }
    if (klondike) {
        p.SetPile("DeckPileView", std::vector<Card>(extra.begin(), extra.end()));
    } else if (game == GI_FORTYTHIEVES) {
        p.SetPile("DeckPileView", extra);
    } else if (cells) {
        for (std::size_t i = 0; i < extra.size(); ++i)
            p.SetPile("FreePileView" + std::to_string(i + 1), {extra[i]});
    }
    return p;
}

} // namespace

// The solver: deals from numbers, positions with known answers, wins that play
// back by the rules, and the shortcuts checked against the plain search.
class TestSolver : public QObject {
    Q_OBJECT
private slots:
    void dealOrderIsTheProgramsShuffle_data();
    void dealOrderIsTheProgramsShuffle();
    void startPositionsHoldTheDeckAsEachGameDealsIt_data();
    void startPositionsHoldTheDeckAsEachGameDealsIt();
    void positionsWithKnownAnswers_data();
    void positionsWithKnownAnswers();
    void winsFoundForNumberedDealsPlayBackToAWin_data();
    void winsFoundForNumberedDealsPlayBackToAWin();
    void shortcutsAgreeWithThePlainSearch_data();
    void shortcutsAgreeWithThePlainSearch();
    void replayRefusesIllegalMoves_data();
    void replayRefusesIllegalMoves();
    void limitsAndCancellationGiveUnknown();
    void stateTableKeepsEveryDistinctKeyAndRespectsItsCap();
    void asyncSolverDeliversOnlyTheLatestSearch();
};

// Deal N is the deck the program shuffles with its generator at state N.
void TestSolver::dealOrderIsTheProgramsShuffle_data() {
    QTest::addColumn<quint32>("deal");
    QTest::addColumn<int>("decks");
    for (quint32 deal : {0u, 1u, 7u, 31337u, 123456789u, 0xFFFFFFFFu})
        for (int decks : {1, 2})
            QTest::addRow("deal %u, %d deck(s)", deal, decks) << deal << decks;
}

void TestSolver::dealOrderIsTheProgramsShuffle() {
    QFETCH(quint32, deal);
    QFETCH(int, decks);
    TRandom::Seed(deal);
    TCardPile pile;
    for (int d = 0; d < decks; ++d)
        pile.AddDeck();
    pile.Shuffle();
    std::uint32_t after = 0;
    const std::vector<Card> order = DeckOrder(deal, decks, &after);
    QCOMPARE(static_cast<int>(order.size()), pile.size());
    for (int i = 0; i < pile.size(); ++i) {
        QCOMPARE(Suit(order[i]), static_cast<int>(pile.CardAt(i)->Suit));
        QCOMPARE(Value(order[i]), static_cast<int>(pile.CardAt(i)->Value));
        QVERIFY(IsDown(order[i]));
    }
    QCOMPARE(after, TRandom::State());
    pile.Empty(true);
}

// Sizes of the piles right after the deal, and the faces where a game deals face down.
void TestSolver::startPositionsHoldTheDeckAsEachGameDealsIt_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("sizes"); // view=cards, view=cards (face-down cards)
    QTest::newRow("Beleaguered Castle")
        << int(GI_CASTLE) << "TableauPileView1=6, FoundationPileView4=1, DeckPileView=0";
    QTest::newRow("Golf") << int(GI_GOLF) << "TableauPileView7=5, DeckPileView=16(16), DiscardPileView=1";
    QTest::newRow("Pyramid") << int(GI_PYRAMID) << "CardPileView1=1, CardPileView28=1, DeckPileView=24(24)";
    QTest::newRow("Montana") << int(GI_MONTANA) << "DiscardPileView=4";
    QTest::newRow("Forty Thieves") << int(GI_FORTYTHIEVES) << "TableauPile10=4, DeckPileView=64(64)";
    QTest::newRow("Indian Patience") << int(GI_INDIAN) << "TableauPile1=3(1), DeckPileView=74(74)";
    QTest::newRow("Queen of Italy") << int(GI_QUEENITALY)
                                    << "TerracePileView=11, TableauPileView4=1, TableauPileView5=0, "
                                       "DeckPileView=89(89)";
    QTest::newRow("Spider")
        << int(GI_SPIDER) << "TableauPile1=5(4), TableauPile5=4(3), TableauPile10=4(3), DeckPileView=60(60)";
}

void TestSolver::startPositionsHoldTheDeckAsEachGameDealsIt() {
    QFETCH(int, game);
    QFETCH(QString, sizes);
    for (quint32 deal : {1u, 2024u}) {
        const TPosition p = StartPosition(game, deal);
        std::map<Card, int> copies;
        for (const TPilePosition& pile : p.Piles)
            for (Card c : pile.Cards)
                ++copies[FaceUp(c)];
        QCOMPARE(static_cast<int>(copies.size()), 52);
        for (const auto& [card, n] : copies)
            QCOMPARE(n, DeckCount(game));
        for (const QString& entry : sizes.split(", ")) {
            const QString view = entry.section('=', 0, 0);
            const QString size = entry.section('=', 1);
            const std::vector<Card>* pile = p.Pile(view.toStdString());
            QVERIFY2(pile, qPrintable(view));
            QCOMPARE(static_cast<int>(pile->size()), size.section('(', 0, 0).toInt());
            const int down = static_cast<int>(std::count_if(pile->begin(), pile->end(), IsDown));
            QCOMPARE(down, size.contains('(') ? size.section('(', 1).chopped(1).toInt() : 0);
        }
    }
}

namespace {

// Montana's grid from four rows of thirteen places ("--" a gap); the Aces set aside.
TPosition MontanaTable(const QStringList& rows, int shuffles) {
    TPosition p;
    p.Game = GI_MONTANA;
    for (int r = 0; r < 4; ++r) {
        const QStringList places = rows[r].split(' ');
        for (int c = 0; c < 13; ++c) {
            const Card card = ParseCard(places[c].toStdString());
            p.SetPile("CardPileView" + std::to_string(r * 13 + c + 1),
                      card == NoCard ? std::vector<Card>{} : std::vector<Card>{card});
        }
    }
    p.SetPile("DiscardPileView", ParsePile("AC AS AD AH"));
    p.Shuffles = shuffles;
    return p;
}

const QStringList CompleteRows = {"2C 3C 4C 5C 6C 7C 8C 9C TC JC QC KC --",
                                  "2S 3S 4S 5S 6S 7S 8S 9S TS JS QS KS --",
                                  "2D 3D 4D 5D 6D 7D 8D 9D TD JD QD KD --"};

} // namespace

// Small positions whose answer is plain to see, each a rule that decides it.
void TestSolver::positionsWithKnownAnswers_data() {
    QTest::addColumn<TPosition>("position");
    QTest::addColumn<int>("draw");
    QTest::addColumn<bool>("kingStops");
    QTest::addColumn<Solver::TVerdict>("verdict");
    const auto W = TVerdict::Winnable;
    const auto L = TVerdict::NotWinnable;
    const auto U = TVerdict::Unknown;

    QTest::newRow("Free Cell: Kings over Queens, through the free cells")
        << Table(GI_FREECELL, "TableauPileView1=QH KH|TableauPileView2=QS KS") << 3 << true << W;
    QTest::newRow("Free Cell: cells full, no card fits anywhere")
        << Table(GI_FREECELL, "FreePileView1=8C|FreePileView2=8S|FreePileView3=8D|FreePileView4=8H|"
                              "TableauPileView1=6C 7C 9C KC|TableauPileView2=6S 7S 9S KS|"
                              "TableauPileView3=6D 7D 9D KD|TableauPileView4=6H 7H 9H KH|"
                              "TableauPileView5=TC QC JC|TableauPileView6=TS QS JS|"
                              "TableauPileView7=TD QD JD|TableauPileView8=TH QH JH")
        << 3 << true << L;
    QTest::newRow("Sea Towers: a King over its Queen goes to a free cell")
        << Table(GI_SEAHAVEN, "TableauPileView1=QS KS") << 3 << true << W;
    QTest::newRow("Sea Towers: every column holds a card, no card fits")
        << Table(GI_SEAHAVEN, "FreePileView1=KS|FreePileView2=KH|FreePileView3=QS|FreePileView4=QH|"
                              "TableauPileView1=2S 3H|TableauPileView2=2H 3S|TableauPileView3=4S 5H|"
                              "TableauPileView4=4H 5S|TableauPileView5=6S 7H|TableauPileView6=6H 7S|"
                              "TableauPileView7=8S 9H|TableauPileView8=8H 9S|TableauPileView9=TS JH|"
                              "TableauPileView10=TH JS")
        << 3 << true << L;
    QTest::newRow("Beleaguered Castle: a King to an empty row frees its Queen")
        << Table(GI_CASTLE, "TableauPileView1=QS KS") << 3 << true << W;
    QTest::newRow("Beleaguered Castle: Kings and Jacks on every row")
        << Table(GI_CASTLE, "TableauPileView1=2C 3C 4C 5C 6C KC|TableauPileView2=2S 3S 4S 5S 6S KS|"
                            "TableauPileView3=2D 3D 4D 5D 6D KD|TableauPileView4=2H 3H 4H 5H 6H KH|"
                            "TableauPileView5=7C 8C 9C TC QC JC|TableauPileView6=7S 8S 9S TS QS JS|"
                            "TableauPileView7=7D 8D 9D TD QD JD|TableauPileView8=7H 8H 9H TH QH JH")
        << 3 << true << L;
    // Klondike's foundations give cards back; Double Klondike's do not.
    QTest::newRow("Klondike: a Queen comes down to take the Jack off its Ten")
        << Table(GI_KLONDIKE, "TableauPileView1=KS|TableauPileView2=TC* JC|TableauPileView3=KC* QC") << 1
        << true << W;
    QTest::newRow("Double Klondike draw one: every card within reach")
        << Table(GI_DBLKLONDIKE, "DeckPileView=QS JS TS|TableauPileView1=KS") << 1 << true << W;
    QTest::newRow("Double Klondike draw three: the Ten never comes up")
        << Table(GI_DBLKLONDIKE, "DeckPileView=QS JS TS|TableauPileView1=KS") << 3 << true << L;
    TPosition twoPasses = Table(GI_DBLKLONDIKE, "DeckPileView=KS QS 9S JS TS");
    QTest::newRow("Double Klondike draw one: the Ten comes back on the second pass")
        << twoPasses << 1 << true << W;
    twoPasses.Recycles = 1;
    QTest::newRow("Double Klondike draw one: no second pass left") << twoPasses << 1 << true << L;
    QTest::newRow("Forty Thieves: a Queen to an empty column frees the Jack")
        << Table(GI_FORTYTHIEVES, "TableauPile1=KS JS QS") << 3 << true << W;
    QTest::newRow("Forty Thieves: no card fits, the stock is out")
        << Table(GI_FORTYTHIEVES,
                 "TableauPile1=2S QS 3S|TableauPile2=2H QH 3H|TableauPile3=4S KS 5S|"
                 "TableauPile4=4H KH 5H|TableauPile5=6S 7S|TableauPile6=6H 7H|"
                 "TableauPile7=8S 9S|TableauPile8=8H 9H|TableauPile9=TS JS|TableauPile10=TH JH")
        << 3 << true << L;
    QTest::newRow("Spider: a complete suit goes up")
        << Table(GI_SPIDER, "TableauPile1=KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S AS") << 3 << true << W;
    QTest::newRow("Golf: a Five on the Four")
        << Table(GI_GOLF, "TableauPileView1=5C|DiscardPileView=4S", "DiscardPileView") << 3 << true << W;
    QTest::newRow("Golf: a Seven on the Four")
        << Table(GI_GOLF, "TableauPileView1=7C|DiscardPileView=4S", "DiscardPileView") << 3 << true << L;
    QTest::newRow("Golf: King Stops Sequence")
        << Table(GI_GOLF, "TableauPileView1=QH|DiscardPileView=KS", "DiscardPileView") << 3 << true << L;
    QTest::newRow("Golf: a Queen on the King without it")
        << Table(GI_GOLF, "TableauPileView1=QH|DiscardPileView=KS", "DiscardPileView") << 3 << false << W;
    QTest::newRow("Pyramid: two free cards make 13")
        << Table(GI_PYRAMID, "CardPileView22=6C|CardPileView28=7C", "DiscardPileView") << 3 << true << W;
    QTest::newRow("Pyramid: a card never pairs with the card it covers")
        << Table(GI_PYRAMID, "CardPileView1=6C|CardPileView2=7C", "DiscardPileView") << 3 << true << L;
    QTest::newRow("Pyramid: the play card pairs with the waste's")
        << Table(GI_PYRAMID, "DeckPileView=7C 6C", "DiscardPileView") << 3 << true << W;
    QStringList three = CompleteRows;
    QTest::newRow("Montana: three moves finish the hearts")
        << MontanaTable(three << "2H 3H 4H 5H 6H 7H 8H 9H TH JH KH QH --", 2) << 3 << true << W;
    QStringList stuck = CompleteRows;
    stuck << "2H 3H 4H 5H 6H 7H 8H 9H TH JH KH -- QH";
    QTest::newRow("Montana: every gap follows a King") << MontanaTable(stuck, 2) << 3 << true << L;
    QTest::newRow("Montana: stuck, a shuffle of unknown outcome left")
        << MontanaTable(stuck, 0) << 3 << true << U;
    TPosition queen = Table(GI_QUEENITALY, "TerracePileView=KS|TableauPileView1=JS QS");
    queen.BaseChosen = true;
    QTest::newRow("Queen of Italy: a Queen to an empty column frees the Jack") << queen << 3 << true << W;
    TPosition terrace = Table(GI_QUEENITALY, "TerracePileView=QS KS");
    terrace.BaseChosen = true;
    QTest::newRow("Queen of Italy: a terrace card goes nowhere but up") << terrace << 3 << true << L;
}

void TestSolver::positionsWithKnownAnswers() {
    QFETCH(TPosition, position);
    QFETCH(int, draw);
    QFETCH(bool, kingStops);
    QFETCH(Solver::TVerdict, verdict);
    TRules rules;
    rules.DrawCount = draw;
    rules.KingStopsSequence = kingStops;
    const TSolver solver(position.Game, rules);
    const TResult result = solver.Solve(position);
    QVERIFY2(result.Verdict == verdict, result.Note.c_str());
    if (verdict == TVerdict::Winnable) {
        const TReplay replay = solver.Replay(position, result.Moves);
        QVERIFY2(replay.Legal, replay.Error.c_str());
        QVERIFY(replay.Won);
    }
}

// Numbered deals of every game and option that are won, and every win found
// plays back move by move to the end. (Queen of Italy, Spider and Double
// Klondike drawing one are seldom decided within a test's limits; their wins
// play back in the endgames above and below.)
void TestSolver::winsFoundForNumberedDealsPlayBackToAWin_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<TRules>("rules");
    QTest::addColumn<QList<quint32>>("deals");
    const TRules standard;
    TRules one = standard;
    one.DrawCount = 1;
    TRules open = standard;
    open.KingStopsSequence = false;
    QTest::newRow("Free Cell") << int(GI_FREECELL) << standard << QList<quint32>{1, 2};
    QTest::newRow("Sea Towers") << int(GI_SEAHAVEN) << standard << QList<quint32>{1, 2};
    QTest::newRow("Beleaguered Castle") << int(GI_CASTLE) << standard << QList<quint32>{1, 2};
    QTest::newRow("Golf") << int(GI_GOLF) << standard << QList<quint32>{1, 2};
    QTest::newRow("Golf, Kings open") << int(GI_GOLF) << open << QList<quint32>{2, 3};
    QTest::newRow("Pyramid") << int(GI_PYRAMID) << standard << QList<quint32>{1, 2};
    QTest::newRow("Montana") << int(GI_MONTANA) << standard << QList<quint32>{1, 2};
    QTest::newRow("Klondike, draw one") << int(GI_KLONDIKE) << one << QList<quint32>{2, 4};
    QTest::newRow("Klondike, draw three") << int(GI_KLONDIKE) << standard << QList<quint32>{1, 4};
    QTest::newRow("Double Klondike, draw three") << int(GI_DBLKLONDIKE) << standard << QList<quint32>{2, 4};
    QTest::newRow("Forty Thieves") << int(GI_FORTYTHIEVES) << standard << QList<quint32>{54};
    QTest::newRow("Indian Patience") << int(GI_INDIAN) << standard << QList<quint32>{5};
}

void TestSolver::winsFoundForNumberedDealsPlayBackToAWin() {
    QFETCH(int, game);
    QFETCH(TRules, rules);
    QFETCH(QList<quint32>, deals);
    TLimits limits;
    limits.MaxNodes = 500'000;
    limits.MaxMillis = 60'000;
    const TSolver solver(game, rules, limits);
    for (quint32 deal : deals) {
        const TPosition start = StartPosition(game, deal);
        const TResult result = solver.Solve(start);
        QVERIFY2(result.Verdict == TVerdict::Winnable,
                 qPrintable(QStringLiteral("deal %1: %2").arg(deal).arg(result.Note.c_str())));
        const TReplay replay = solver.Replay(start, result.Moves);
        QVERIFY2(replay.Legal, qPrintable(QStringLiteral("deal %1: %2").arg(deal).arg(replay.Error.c_str())));
        QVERIFY2(replay.Won, qPrintable(QStringLiteral("deal %1 does not end won").arg(deal)));
    }
}

// The shortcuts (foundation plays made at once, moves made only with their
// use) never turn a winnable endgame into a lost one, nor the other way.
void TestSolver::shortcutsAgreeWithThePlainSearch_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<int>("draw");
    QTest::addColumn<int>("missing");
    QTest::newRow("Klondike, draw one") << int(GI_KLONDIKE) << 1 << 11;
    QTest::newRow("Klondike, draw three") << int(GI_KLONDIKE) << 3 << 11;
    QTest::newRow("Double Klondike, draw one") << int(GI_DBLKLONDIKE) << 1 << 4;
    QTest::newRow("Double Klondike, draw three") << int(GI_DBLKLONDIKE) << 3 << 4;
    QTest::newRow("Free Cell") << int(GI_FREECELL) << 3 << 12;
    QTest::newRow("Sea Towers") << int(GI_SEAHAVEN) << 3 << 12;
    QTest::newRow("Beleaguered Castle") << int(GI_CASTLE) << 3 << 7;
    QTest::newRow("Forty Thieves") << int(GI_FORTYTHIEVES) << 3 << 6;
}

void TestSolver::shortcutsAgreeWithThePlainSearch() {
    QFETCH(int, game);
    QFETCH(int, draw);
    QFETCH(int, missing);
    TRules rules;
    rules.DrawCount = draw;
    TLimits shortcuts;
    shortcuts.MaxNodes = 200'000;
    TLimits plain = shortcuts;
    plain.Reductions = false;
    std::mt19937 rng(static_cast<unsigned>(game * 10 + draw));
    int decided = 0;
    int lost = 0;
    for (int i = 0; i < 60; ++i) {
        const TPosition p = RandomEndgame(game, rng, missing);
        const TResult a = TSolver(game, rules, shortcuts).Solve(p);
        const TResult b = TSolver(game, rules, plain).Solve(p);
        if (a.Verdict == TVerdict::Unknown || b.Verdict == TVerdict::Unknown)
            continue;
        QVERIFY2(a.Verdict == b.Verdict,
                 qPrintable(QStringLiteral("endgame %1: %2 with shortcuts, %3 without")
                                .arg(i)
                                .arg(VerdictText(a.Verdict))
                                .arg(VerdictText(b.Verdict))));
        ++decided;
        lost += a.Verdict == TVerdict::NotWinnable ? 1 : 0;
    }
    QVERIFY(decided >= 50);
    qInfo("%d endgames decided, %d of them lost", decided, lost);
}

void TestSolver::replayRefusesIllegalMoves_data() {
    QTest::addColumn<TPosition>("position");
    QTest::addColumn<QString>("move");
    const TPosition cells = Table(GI_FREECELL, "TableauPileView1=QH KH|TableauPileView2=QS KS");
    QTest::newRow("Free Cell: a King onto a King") << cells << "TableauPileView1 TableauPileView2 1";
    QTest::newRow("Free Cell: a covered card") << cells << "TableauPileView1 FoundPileView1 2";
    QTest::newRow("Free Cell: a card out of a foundation") << cells << "FoundPileView1 FreePileView1 1";
    QTest::newRow("Free Cell: no such view") << cells << "TableauPileView9 FreePileView1 1";
    const TPosition klondike =
        Table(GI_KLONDIKE, "TableauPileView1=KS|TableauPileView2=TC* JC|TableauPileView3=KC* QC");
    QTest::newRow("Klondike: a face-down card") << klondike << "TableauPileView2 TableauPileView3 2";
    QTest::newRow("Klondike: a Jack into an empty column")
        << klondike << "TableauPileView2 TableauPileView3 1";
    QTest::newRow("Klondike: a click on an empty stock") << klondike << "DeckPileView DiscardPileView 1";
    const TPosition golf = Table(GI_GOLF, "TableauPileView1=7C|DiscardPileView=4S", "DiscardPileView");
    QTest::newRow("Golf: a Seven on a Four") << golf << "TableauPileView1 DiscardPileView 1";
    QTest::newRow("Pyramid: a covered card")
        << Table(GI_PYRAMID, "CardPileView1=6C|CardPileView2=7C", "DiscardPileView")
        << "CardPileView2 CardPileView1 1";
}

void TestSolver::replayRefusesIllegalMoves() {
    QFETCH(TPosition, position);
    QFETCH(QString, move);
    const QStringList parts = move.split(' ');
    const TMove action{parts[0].toStdString(), parts[1].toStdString(), parts[2].toInt()};
    const TReplay replay = TSolver(position.Game).Replay(position, {action});
    QVERIFY(!replay.Legal);
    QCOMPARE(replay.FailedAt, 0);
}

// A search stopped by a limit or by cancelling never claims a deal lost.
void TestSolver::limitsAndCancellationGiveUnknown() {
    TLimits few;
    few.MaxNodes = 50;
    const TResult capped = TSolver(GI_FORTYTHIEVES, {}, few).SolveDeal(3);
    QCOMPARE(capped.Verdict, TVerdict::Unknown);
    QVERIFY(!capped.Note.empty());
    std::atomic<bool> cancel{true};
    const TResult cancelled = TSolver(GI_SPIDER).SolveDeal(3, &cancel);
    QCOMPARE(cancelled.Verdict, TVerdict::Unknown);
    TLimits tiny;
    tiny.MaxTableBytes = 1u << 16;
    QCOMPARE(TSolver(GI_SPIDER, {}, tiny).SolveDeal(3).Verdict, TVerdict::Unknown);
}

void TestSolver::stateTableKeepsEveryDistinctKeyAndRespectsItsCap() {
    TStateTable table(64u << 20);
    std::vector<std::uint8_t> key(40);
    for (std::uint32_t i = 0; i < 200'000; ++i) {
        std::memcpy(key.data(), &i, sizeof i);
        key[39] = static_cast<std::uint8_t>(i % 7);
        QCOMPARE(table.Add(key.data(), key.size()), TStateTable::Added);
    }
    for (std::uint32_t i = 0; i < 200'000; i += 997) {
        std::memcpy(key.data(), &i, sizeof i);
        key[39] = static_cast<std::uint8_t>(i % 7);
        QCOMPARE(table.Add(key.data(), key.size()), TStateTable::Present);
        key[39] ^= 0x80; // one bit apart: another key
        QVERIFY(!table.Contains(key.data(), key.size()));
    }
    QCOMPARE(table.Count(), std::size_t{200'000});
    TStateTable small(4u << 20);
    TStateTable::TAdd added = TStateTable::Added;
    for (std::uint32_t i = 0; added == TStateTable::Added; ++i) {
        std::memcpy(key.data(), &i, sizeof i);
        added = small.Add(key.data(), key.size());
    }
    QCOMPARE(added, TStateTable::Full);
    QVERIFY(small.Bytes() <= (4u << 20));
}

// Starting a new search drops the one before; only the latest result arrives.
void TestSolver::asyncSolverDeliversOnlyTheLatestSearch() {
    TAsyncSolver solver;
    QSignalSpy finished(&solver, &TAsyncSolver::Finished);
    TLimits slow;
    slow.MaxMillis = 60'000;
    solver.Start(StartPosition(GI_SPIDER, 5u), {}, slow); // long: cancelled below
    const quint64 ticket = solver.Start(StartPosition(GI_FREECELL, 1u), {}, {});
    QVERIFY(finished.wait(30'000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished[0][0].value<quint64>(), ticket);
    QCOMPARE(finished[0][1].value<TResult>().Verdict, TVerdict::Winnable);
    QTest::qWait(50);
    QCOMPARE(finished.count(), 1);
    solver.Start(StartPosition(GI_SPIDER, 6u), {}, slow);
    solver.Cancel(); // and the destructor waits for the worker
}

QTEST_GUILESS_MAIN(TestSolver)
#include "tst_solver.moc"
