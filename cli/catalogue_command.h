// kelvaron-batch catalogue init [--indexes] and catalogue upgrade: the
// administrator's set-up of the catalogue that tvx.ini names.
#pragma once

namespace catalog {
class OdbcConnection;
}

namespace cli {

// indexes: --indexes. Returns the exit status: 0 done, 2 refused or a
// catalogue error (nothing changed then).
int RunCatalogueCommand(catalog::OdbcConnection& database, bool indexes);

// Adds the record of recordings to a catalogue made before it. The same
// exit statuses.
int RunCatalogueUpgrade(catalog::OdbcConnection& database);

}  // namespace cli
