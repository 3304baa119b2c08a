#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/Modal.h"
#include "framework/TSelectDealDlg.h"
#include "games/GameRegistry.h"
#include "support/GameFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

// Deal numbers: the state of the one random sequence when a deal's deck is shuffled.
class TestNumberedDeals : public QObject {
    Q_OBJECT

    std::unique_ptr<TGameForm> Open(GameFixture& fx, int game, std::optional<quint32> deal = {}) {
        fx.Context.NextDeal = deal;
        return OpenGameWindow(fx, game, false, false);
    }
    // Answers the Select Deal dialog with `text`; what it said about it.
    static void Answer(const QString& text, QString* problem) {
        Modal::SetRunner([=](QDialog& dialog) {
            auto& ask = static_cast<TSelectDealDlg&>(dialog);
            ask.Edit()->setText(text);
            ask.accept();
            *problem = ask.Problem()->isHidden() ? QString() : ask.Problem()->text();
            return ask.result();
        });
    }

private slots:
    void cleanup() { Modal::SetRunner({}); }

    void sameNumberSameDeal_data() {
        QTest::addColumn<int>("game");
        for (int game = 0; game < GI_COUNT; ++game)
            QTest::newRow(GameTable()[game].Section) << game;
    }

    // Every game: a window opened on the sequence at state s deals deal s; deal s asked for
    // later, or again, or in a new window, is the same table; another number is another one.
    void sameNumberSameDeal() {
        QFETCH(int, game);
        GameFixture fx;
        TRandom::Seed(777);
        auto form = Open(fx, game);
        QCOMPARE(form->DealNumber(), 777u);
        const QString deal = TableKit::Snapshot(*form);
        form->NewNumberedGame(4294967295u);
        QCOMPARE(form->DealNumber(), 4294967295u);
        const QString other = TableKit::Snapshot(*form);
        QVERIFY(other != deal);
        form->NewNumberedGame(777);
        QCOMPARE(TableKit::Snapshot(*form), deal);
        form->NewGame1Click(form->Item(form->Item("Restart1") ? "Restart1" : "Redeal1"));
        QCOMPARE(form->DealNumber(), 777u); // a restart is the same deal
        auto second = Open(fx, game, 4294967295u);
        QCOMPARE(TableKit::Snapshot(*second), other);
    }

    void selectDeal_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("quit"); // -1: no game in progress; else the answer to the question
        QTest::addColumn<bool>("dealt");
        QTest::newRow("number") << " 4242 " << -1 << true;
        QTest::newRow("zero") << "0" << -1 << true;
        QTest::newRow("highest") << "4294967295" << -1 << true;
        QTest::newRow("game left") << "99" << 1 << true;
        QTest::newRow("game kept") << "99" << 0 << false;
        QTest::newRow("too high") << "4294967296" << -1 << false;
        QTest::newRow("negative") << "-1" << -1 << false;
        QTest::newRow("sign") << "+5" << -1 << false;
        QTest::newRow("word") << "deal" << -1 << false;
        QTest::newRow("empty") << "" << -1 << false;
        QTest::newRow("hex") << "0x10" << -1 << false;
        QTest::newRow("inner blank") << "12 34" << -1 << false;
    }

    // Select Deal takes a whole number from 0 to 4294967295 and deals it as a new game, after
    // the quit question of a game in progress; anything else keeps the dialog open with a word
    // on what it takes, and deals nothing. A refused number leaves no trace on the next deal.
    void selectDeal() {
        QFETCH(QString, typed);
        QFETCH(int, quit);
        QFETCH(bool, dealt);
        GameFixture fx;
        TRandom::Seed(1);
        auto form = Open(fx, GI_KLONDIKE);
        if (quit >= 0)
            GameAccess::SetMoves(form.get(), 20);
        fx.Messages.Answer = quit != 0;
        const QString before = TableKit::Snapshot(*form);
        QString problem;
        Answer(typed, &problem);
        form->SelectDeal1Click();
        QCOMPARE(fx.Messages.Asked.size(), quit >= 0 ? 1 : 0);
        QCOMPARE(problem.isEmpty(), quit >= 0 || dealt);
        QCOMPARE(form->DealNumber(), dealt ? typed.trimmed().toUInt() : 1u);
        QCOMPARE(TableKit::Snapshot(*form) != before, dealt);
        const quint32 next = TRandom::State();
        fx.Messages.Answer = true;
        form->NewGame1Click(form->Item("NewGame1"));
        QCOMPARE(form->DealNumber(), next);
    }
};

QTEST_MAIN(TestNumberedDeals)
#include "tst_numbereddeals.moc"
