#pragma once
#include <string>
#include <vector>

namespace qxed::testing {

struct RunResult {
    int ExitCode = -1;  // -1 when the program did not exit normally
    std::string Out;
    std::string Err;
};

// Runs a program with the arguments in the folder given (the current one when empty) and collects what it
// wrote to stdout and stderr.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder = {});

}  // namespace qxed::testing
