#include "framework/core/GameTable.h"
#include "shell/CommandLine.h"
#include "solver/Deals.h"
#include "solver/Solver.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using CommandLine::TResult;

// quintaro [--game "<name>" [--deal N] [--small | --large]]: what it opens, and a clear
// word and status 2 for anything else.
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void reads_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("game");
        QTest::addColumn<qint64>("deal"); // -1: none
        QTest::addColumn<int>("large");   // -1: the preference
        QTest::newRow("nothing") << QStringList{} << -1 << -1LL << -1;
        QTest::newRow("game") << QStringList{"--game", "Queen of Italy"} << int(GI_QUEENITALY) << -1LL << -1;
        QTest::newRow("letter case, blanks")
            << QStringList{"--game=  free   CELL "} << int(GI_FREECELL) << -1LL << -1;
        QTest::newRow("deal, small") << QStringList{"--game", "spider", "--deal", "4294967295", "--small"}
                                     << int(GI_SPIDER) << 4294967295LL << 0;
        QTest::newRow("large") << QStringList{"--large", "--game", "Golf", "--deal=0"} << int(GI_GOLF) << 0LL
                               << 1;
        QTest::newRow("Qt's own options")
            << QStringList{"-platform", "offscreen", "--game", "Pyramid", "-reverse"} << int(GI_PYRAMID)
            << -1LL << -1;
    }
    void reads() {
        QFETCH(QStringList, arguments);
        const TResult result = CommandLine::Read(QStringList{"quintaro"} + arguments);
        QCOMPARE(result.Kind, TResult::Run);
        QCOMPARE(result.Error, QString());
        QTEST(result.Start.Game, "game");
        QTEST(result.Start.Deal ? qint64(*result.Start.Deal) : -1LL, "deal");
        QTEST(result.Start.Large ? int(*result.Start.Large) : -1, "large");
    }

    void readsSolve_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("drawCount");
        QTest::newRow("draw three unless given")
            << QStringList{"--solve", "--game", "klondike", "--deal", "7"} << int(GI_KLONDIKE) << 3;
        QTest::newRow("draw one") << QStringList{"--draw-one",      "--solve", "--game",
                                                 "Double Klondike", "--deal",  "7"}
                                  << int(GI_DBLKLONDIKE) << 1;
        QTest::newRow("another game")
            << QStringList{"--solve", "--game", "Spider", "--deal=7"} << int(GI_SPIDER) << 3;
    }
    void readsSolve() {
        QFETCH(QStringList, arguments);
        const TResult result = CommandLine::Read(QStringList{"quintaro"} + arguments);
        QCOMPARE(result.Kind, TResult::Solve);
        QTEST(result.Solving.Game, "game");
        QCOMPARE(result.Solving.Deal, 7u);
        QTEST(result.Solving.DrawCount, "drawCount");
    }

    void refuses_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("says");
        QTest::newRow("unknown game") << QStringList{"--game", "Solitaire"} << "no game called \"Solitaire\"";
        QTest::newRow("no game name") << QStringList{"--game"} << "Missing value";
        QTest::newRow("deal word") << QStringList{"--game", "Golf", "--deal", "first"}
                                   << "\"first\" is not a deal";
        QTest::newRow("deal too high")
            << QStringList{"--game", "Golf", "--deal", "4294967296"} << "0 to 4294967295";
        QTest::newRow("deal negative")
            << QStringList{"--game", "Golf", "--deal", "-3"} << "not a deal number";
        QTest::newRow("deal alone") << QStringList{"--deal", "5"} << "need --game";
        QTest::newRow("both sizes") << QStringList{"--game", "Golf", "--small", "--large"} << "cannot both";
        QTest::newRow("two games") << QStringList{"--game", "Golf", "--game", "Spider"} << "once";
        QTest::newRow("unknown option") << QStringList{"--colour"} << "Unknown option 'colour'";
        QTest::newRow("stray word") << QStringList{"Klondike"} << "unexpected argument \"Klondike\"";
        QTest::newRow("solve without deal")
            << QStringList{"--solve", "--game", "Golf"} << "needs --game and --deal";
        QTest::newRow("solve without game")
            << QStringList{"--solve", "--deal", "3"} << "needs --game and --deal";
        QTest::newRow("solve, bad deal")
            << QStringList{"--solve", "--game", "Golf", "--deal", "x"} << "\"x\" is not a deal";
        QTest::newRow("solve, card size")
            << QStringList{"--solve", "--game", "Golf", "--deal", "3", "--large"} << "do not go with --solve";
        QTest::newRow("draw without solve")
            << QStringList{"--game", "Klondike", "--draw-one"} << "go with --solve";
        QTest::newRow("both draws") << QStringList{"--solve", "--game",     "Klondike",    "--deal",
                                                   "3",       "--draw-one", "--draw-three"}
                                    << "cannot both";
        QTest::newRow("draw, not Klondike")
            << QStringList{"--solve", "--game", "Free Cell", "--deal", "3", "--draw-three"}
            << "Klondike and Double Klondike only";
    }
    void refuses() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        const TResult result = CommandLine::Read(QStringList{"quintaro"} + arguments);
        QCOMPARE(result.Kind, TResult::Exit);
        QCOMPARE(result.ExitCode, 2);
        QVERIFY2(result.Error.contains(says), qPrintable(result.Error));
        QVERIFY(result.Error.contains("--help"));
    }

    // The real program: a bad command line is told on standard error with status 2, without
    // needing a display; --help lists the options on standard output.
    void theProgramItself() {
        const QString program = qEnvironmentVariable("QUINTARO_BINARY_DIR") + QStringLiteral("/quintaro");
        if (!QFileInfo(program).isExecutable())
            QSKIP("the program is not built");
        QTemporaryDir home; // nothing may be written there
        QVERIFY(home.isValid());
        const auto run = [&program, &home](const QStringList& arguments) {
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("HOME", home.path());
            environment.insert("XDG_CONFIG_HOME", home.path() + "/config");
            environment.remove("DISPLAY");
            environment.remove("QT_QPA_PLATFORM");
            process.setProcessEnvironment(environment);
            process.start(program, arguments);
            process.waitForFinished(20000);
            return std::make_tuple(process.exitCode(),
                                   QString::fromLocal8Bit(process.readAllStandardOutput()),
                                   QString::fromLocal8Bit(process.readAllStandardError()));
        };
        auto [status, out, err] = run({"--game", "Klondyke", "--deal", "1"});
        QCOMPARE(status, 2);
        QVERIFY2(err.startsWith("quintaro: there is no game called \"Klondyke\""), qPrintable(err));
        QVERIFY(out.isEmpty());
        std::tie(status, out, err) = run({"--game", "Klondike", "--deal", "12x"});
        QCOMPARE(status, 2);
        QVERIFY2(err.contains("\"12x\" is not a deal number"), qPrintable(err));
        std::tie(status, out, err) = run({"--help"});
        QCOMPARE(status, 0);
        for (const char* option : {"--game <name>", "--deal <N>", "--small", "--large", "\"Queen of Italy\"",
                                   "--solve", "--draw-one"})
            QVERIFY2(out.contains(option), qPrintable(out));
        std::tie(status, out, err) = run({"--solve", "--game", "Free Cell"});
        QCOMPARE(status, 2);
        QVERIFY2(err.contains("needs --game and --deal"), qPrintable(err));
        QVERIFY(out.isEmpty());

        // A win is printed as the actions that play it, which the rules confirm.
        std::tie(status, out, err) = run({"--solve", "--game", "Free Cell", "--deal", "2"});
        QCOMPARE(status, 0);
        QStringList lines = out.split('\n');
        QCOMPARE(lines.takeLast(), QString()); // the last line ends too
        QCOMPARE(lines.takeFirst(), QStringLiteral("winnable"));
        std::vector<Solver::TMove> moves;
        for (const QString& line : lines) {
            const QStringList words = line.split(' ');
            QCOMPARE(words.size(), 3);
            moves.push_back({words[0].toStdString(), words[1].toStdString(), words[2].toInt()});
        }
        const Solver::TReplay replay =
            Solver::TSolver(GI_FREECELL).Replay(Solver::StartPosition(GI_FREECELL, 2u), moves);
        QVERIFY2(replay.Won, replay.Error.c_str());
        std::tie(status, out, err) = run({"--solve", "--game", "Sea Towers", "--deal", "12"});
        QCOMPARE(status, 1);
        QCOMPARE(out, QStringLiteral("not winnable\n"));
        QVERIFY(QDir(home.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
