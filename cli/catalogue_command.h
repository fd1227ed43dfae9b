// kelvaron-batch catalogue init [--indexes]: the administrator's set-up of the
// catalogue that tvx.ini names.
#pragma once

namespace catalog {
class OdbcConnection;
}

namespace cli {

// indexes: --indexes. Returns the exit status: 0 done, 2 refused or a
// catalogue error (nothing changed then).
int RunCatalogueCommand(catalog::OdbcConnection& database, bool indexes);

}  // namespace cli
