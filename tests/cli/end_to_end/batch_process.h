// Runs the built kelvaron-batch in a directory and collects what it says.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace cli_test {

struct BatchResult {
    int status = -1;     // exit status; -1 when it did not exit normally
    std::string errors;  // everything written to stderr
    std::string output;  // and to stdout
};

// env: extra "NAME=value" entries on top of this process's environment.
// whileRunning, if given, is called with the child's pid once it has started
// and before its output is read (it must not wait for much output).
BatchResult RunBatchProcess(const std::string& workDir, const std::vector<std::string>& args,
                            const std::vector<std::string>& env = {},
                            const std::function<void(pid_t)>& whileRunning = {});

// Sends SIGTERM and waits (up to five seconds) until the child has taken it
// from its pending signals and had a moment to ask its run to stop: a test
// that holds a run back and then lets it go on must not let it go before the
// stop is seen, however busy the machine is.
void AskToStop(pid_t pid);

}  // namespace cli_test
