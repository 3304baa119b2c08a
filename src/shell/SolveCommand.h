#pragma once

#include "shell/CommandLine.h"

#include <string>

// quintaro --solve: runs the solver on the calling thread and says what it found.
namespace CommandLine {

struct TSolveOutput {
    int ExitCode = 3;   // 0 winnable, 1 not winnable, 3 unknown
    std::string Output; // the verdict, then a win's actions one a line
    std::string Error;  // why the verdict is unknown
};

TSolveOutput RunSolve(const TSolve& solve);

} // namespace CommandLine
