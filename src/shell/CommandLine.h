#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// The program's command line:
//     quintaro [--game "<name as in the list>" [--deal N] [--small | --large]]
// opens that game (the selector still appears), its first deal deal N, at
// that card size this once. Qt's own options (-platform, -style, ...) pass.
//     quintaro --solve --game "<name>" --deal N [--draw-one | --draw-three]
// tells whether that deal can be won, and how, without opening a window.
// New options go to Options() and Read().
namespace CommandLine {

struct TStart {
    int Game = -1; // list index; -1: the selector alone
    std::optional<std::uint32_t> Deal;
    std::optional<bool> Large; // none: the card size preference
};

// --solve: which deal to solve, and the rules the windows would use for a new player.
struct TSolve {
    int Game = -1;
    std::uint32_t Deal = 0;
    int DrawCount = 3; // the Klondike games
};

struct TResult {
    enum TKind { Run, Exit, Solve } Kind = Run;
    int ExitCode = 0; // with Exit: 0 after --help or --version, 2 for a bad command line
    QString Output;   // for standard output (help, version)
    QString Error;    // for standard error
    TStart Start;
    TSolve Solving; // with Solve
};

// `arguments` as main() gets them, the program's name first.
TResult Read(const QStringList& arguments);

// The game whose list name is `name`, letter case aside; -1 when none is.
int GameByName(const QString& name);

} // namespace CommandLine
