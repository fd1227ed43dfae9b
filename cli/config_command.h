// kelvaron-batch config: the settings in effect, where each came from, and
// whether the catalogue has the tables and indexes the converter needs.
#pragma once

namespace catalog {
class OdbcConnection;
}

namespace cli {

// Prints to stdout. Returns the exit status: 0, or 2 for a catalogue that
// refuses the connection.
int RunConfigCommand(catalog::OdbcConnection& database);

}  // namespace cli
