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
    parser.addOptions({help, version, game, deal, small, large});
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
    return result;
}

} // namespace CommandLine
