#include "framework/Messages.h"
#include "shell/CommandLine.h"
#include "shell/SolveCommand.h"
#include "shell/TApplication.h"

#include <cstdio>
#include <exception>

int main(int argc, char* argv[]) {
    // The command line is read before the application object, so that a bad one is
    // told and ends the program even where no display is at hand.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine::TResult command = CommandLine::Read(arguments);
    if (command.Kind == CommandLine::TResult::Exit) {
        std::fputs(command.Output.toLocal8Bit().constData(), stdout);
        std::fputs(command.Error.toLocal8Bit().constData(), stderr);
        return command.ExitCode;
    }
    if (command.Kind == CommandLine::TResult::Solve) {
        const CommandLine::TSolveOutput solved = CommandLine::RunSolve(command.Solving);
        std::fputs(solved.Output.c_str(), stdout);
        std::fputs(solved.Error.c_str(), stderr);
        return solved.ExitCode;
    }
    TGuardedApplication app(argc, argv);
    try {
        TApplication program(nullptr, command.Start);
        return TGuardedApplication::exec();
    } catch (...) {
        // An error during start-up (or one that escaped the loop) ends the program after saying so.
        TGuardedApplication::ReportException(std::current_exception());
        return 1;
    }
}
