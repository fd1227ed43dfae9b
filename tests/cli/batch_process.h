// Runs the built kelvaron-batch in a directory and collects what it says.
#pragma once

#include <string>
#include <vector>

namespace cli_test {

struct BatchResult {
    int status = -1;     // exit status; -1 when it did not exit normally
    std::string errors;  // everything written to stderr
};

// env: extra "NAME=value" entries on top of this process's environment.
BatchResult RunBatchProcess(const std::string& workDir, const std::vector<std::string>& args,
                            const std::vector<std::string>& env = {});

}  // namespace cli_test
