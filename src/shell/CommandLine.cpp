#include "shell/CommandLine.h"

#include "framework/core/DealNumber.h"
#include "framework/core/GameTable.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace CommandLine {

namespace {

const QString Program = QStringLiteral("quintaro");

// Options QApplication takes for itself, with the value each needs: accepted
// here so that they reach it.
const QList<std::pair<const char*, bool>>& QtOptions() {
    static const QList<std::pair<const char*, bool>> options = {
        {"platform", true},      {"platformpluginpath", true},
        {"platformtheme", true}, {"plugin", true},
        {"display", true},       {"style", true},
        {"stylesheet", true},    {"session", true},
        {"geometry", true},      {"qwindowgeometry", true},
        {"qwindowtitle", true},  {"qwindowicon", true},
        {"name", true},          {"title", true},
        {"qmljsdebugger", true}, {"reverse", false},
        {"widgetcount", false},  {"nograb", false},
        {"dograb", false},       {"sync", false},
    };
    return options;
}

QString GameList() {
    QStringList names;
    for (const TGameInfo& game : GameTable())
        names << QStringLiteral("\"%1\"").arg(QString::fromUtf8(game.ListName));
    return names.join(QStringLiteral(", "));
}

TResult Failure(const QString& text) {
    TResult result;
    result.Kind = TResult::Exit;
    result.ExitCode = 2;
    result.Error = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(Program, text);
    return result;
}

} // namespace

int GameByName(const QString& name) {
    const QString wanted = name.simplified();
    for (int i = 0; i < GI_COUNT; ++i)
        if (wanted.compare(QString::fromUtf8(GameTable()[i].ListName), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TResult Read(const QStringList& arguments) {
    QCommandLineParser parser;
    // "-platform offscreen" is one option, as Qt reads it, not six letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Quintaro: twelve patience games."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows these options and ends."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the program's version and ends."));
    const QCommandLineOption game(
        QStringLiteral("game"),
        QStringLiteral("Opens the game <name> as the selector lists it (%1).").arg(GameList()),
        QStringLiteral("name"));
    const QCommandLineOption deal(
        QStringLiteral("deal"),
        QStringLiteral("Deals deal number <N> (0 to %1) first; with --game.").arg(DealNumber::Max),
        QStringLiteral("N"));
    const QCommandLineOption small(QStringLiteral("small"), QStringLiteral("Small cards; with --game."));
    const QCommandLineOption large(QStringLiteral("large"), QStringLiteral("Large cards; with --game."));
    const QCommandLineOption solve(
        QStringLiteral("solve"),
        QStringLiteral("Prints whether deal --deal of --game can be won (\"winnable\", \"not winnable\" or "
                       "\"unknown\" when the search reaches its limits), then the moves of a win one a "
                       "line as <from view> <to view> <number of cards>, and ends without opening a "
                       "window. Exit status 0 winnable, 1 not winnable, 3 unknown, 2 bad arguments."));
    const QCommandLineOption drawOne(
        QStringLiteral("draw-one"),
        QStringLiteral("With --solve, Klondike games: one card per stock click."));
    const QCommandLineOption drawThree(
        QStringLiteral("draw-three"),
        QStringLiteral("With --solve, Klondike games: three cards per stock click (the default)."));
    parser.addOptions({help, version, game, deal, small, large, solve, drawOne, drawThree});
    for (const auto& [name, withValue] : QtOptions()) {
        QCommandLineOption option(QString::fromLatin1(name));
        if (withValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(arguments))
        return Failure(parser.errorText());
    if (parser.isSet(help)) {
        TResult result;
        result.Kind = TResult::Exit;
        QString text = parser.helpText();
        // Without an application object Qt cannot know the program's name.
        text.replace(QStringLiteral("<executable_name>"), Program);
        if (!arguments.isEmpty())
            text.replace(QFileInfo(arguments.first()).fileName() + QLatin1Char(' '),
                         Program + QLatin1Char(' '));
        result.Output = text;
        return result;
    }
    if (parser.isSet(version)) {
        TResult result;
        result.Kind = TResult::Exit;
        result.Output = QStringLiteral("Quintaro %1\n").arg(QStringLiteral(QUINTARO_VERSION));
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return Failure(
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
    const auto once = [&parser](const QCommandLineOption& option) {
        return parser.values(option).size() <= 1;
    };
    if (!once(game) || !once(deal))
        return Failure(QStringLiteral("--game and --deal may each be given once"));
    if (parser.isSet(small) && parser.isSet(large))
        return Failure(QStringLiteral("--small and --large cannot both be given"));
    if (parser.isSet(drawOne) && parser.isSet(drawThree))
        return Failure(QStringLiteral("--draw-one and --draw-three cannot both be given"));
    if (parser.isSet(solve)) {
        if (parser.isSet(small) || parser.isSet(large))
            return Failure(QStringLiteral("--small and --large do not go with --solve"));
        if (!parser.isSet(game) || !parser.isSet(deal))
            return Failure(QStringLiteral("--solve needs --game and --deal"));
    } else if (parser.isSet(drawOne) || parser.isSet(drawThree)) {
        return Failure(QStringLiteral("--draw-one and --draw-three go with --solve"));
    }

    TResult result;
    if (!parser.isSet(game)) {
        if (parser.isSet(deal) || parser.isSet(small) || parser.isSet(large))
            return Failure(QStringLiteral("--deal, --small and --large need --game"));
        return result;
    }
    result.Start.Game = GameByName(parser.value(game));
    if (result.Start.Game < 0)
        return Failure(QStringLiteral("there is no game called \"%1\"; the games are %2")
                           .arg(parser.value(game), GameList()));
    if (parser.isSet(deal)) {
        result.Start.Deal = DealNumber::Parse(parser.value(deal));
        if (!result.Start.Deal)
            return Failure(QStringLiteral("\"%1\" is not a deal number: give a whole number from 0 to %2")
                               .arg(parser.value(deal))
                               .arg(DealNumber::Max));
    }
    if (parser.isSet(small) || parser.isSet(large))
        result.Start.Large = parser.isSet(large);
    if (parser.isSet(solve)) {
        const bool klondike = result.Start.Game == GI_KLONDIKE || result.Start.Game == GI_DBLKLONDIKE;
        if (!klondike && (parser.isSet(drawOne) || parser.isSet(drawThree)))
            return Failure(
                QStringLiteral("--draw-one and --draw-three are for Klondike and Double Klondike only"));
        result.Kind = TResult::Solve;
        result.Solving.Game = result.Start.Game;
        result.Solving.Deal = *result.Start.Deal;
        result.Solving.DrawCount = parser.isSet(drawOne) ? 1 : 3;
    }
    return result;
}

} // namespace CommandLine
