#include "framework/Messages.h"
#include "shell/TApplication.h"

#include <exception>

int main(int argc, char* argv[]) {
    TGuardedApplication app(argc, argv);
    try {
        TApplication program;
        return TGuardedApplication::exec();
    } catch (...) {
        // An error during start-up (or one that escaped the loop) ends the program after saying so.
        TGuardedApplication::ReportException(std::current_exception());
        return 1;
    }
}
