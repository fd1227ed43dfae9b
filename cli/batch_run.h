// kelvaron-batch: a time-window or file run of the engine without the dialog.
#pragma once

#include <string>
#include <vector>

namespace catalog {
class OdbcConnection;
}

namespace cli {

// args: the arguments after the program name; database: the catalogue
// connection the commands open and close. Returns the exit status.
int RunBatch(const std::vector<std::string>& args, catalog::OdbcConnection& database);

}  // namespace cli
