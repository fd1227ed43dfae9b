// kelvaron-batch check [STATION...] [--fix]: the data tree of tvx.ini
// against its FILELIST.
#pragma once

#include <string>
#include <vector>

namespace catalog {
class OdbcConnection;
}

namespace cli {

// stations: the operands after "check"; fix: --fix. Returns the exit status:
// 0 everything agrees, 1 something does not, 2 usage or catalogue error.
int RunCheck(catalog::OdbcConnection& database, const std::vector<std::string>& stations, bool fix);

}  // namespace cli
