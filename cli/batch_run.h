// kelvaron-batch: a time-window or file run of the engine without the dialog.
#pragma once

#include <string>
#include <vector>

namespace cli {

// args: the arguments after the program name. Returns the exit status.
int RunBatch(const std::vector<std::string>& args);

}  // namespace cli
