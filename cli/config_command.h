// kelvaron-batch config: the settings in effect, where each came from, and
// whether the catalogue has the tables and indexes the converter needs.
#pragma once

#include <string>
#include <vector>

namespace cli {

extern const char* const kConfigUsage;

// args: what follows "config". Prints to stdout. Returns the exit status:
// 0, or 2 for a usage error or a catalogue that refuses the connection.
int RunConfigCommand(const std::vector<std::string>& args);

}  // namespace cli
