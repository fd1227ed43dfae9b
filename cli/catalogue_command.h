// kelvaron-batch catalogue init [--indexes]: the administrator's set-up of the
// catalogue that tvx.ini names.
#pragma once

#include <string>
#include <vector>

namespace cli {

extern const char* const kCatalogueUsage;

// args: what follows "catalogue". Returns the exit status: 0 done, 2 refused,
// a usage error or a catalogue error (nothing changed then).
int RunCatalogueCommand(const std::vector<std::string>& args);

}  // namespace cli
