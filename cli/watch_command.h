// kelvaron-batch watch [STATION...]: runs until stopped, converting
// recordings as they arrive in the stations' source directories.
#pragma once

#include <functional>
#include <optional>

#include "catalog/odbc_connection.h"
#include "engine/run_request.h"

namespace cli {

struct WatchOptions {
    int settleSeconds = 60;     // an arrival waits this long without change
    int fullPassSeconds = 300;  // a full sync pass at least this often
    int workers = 1;            // stations synced at once, each on its own connection
};

// Reads the settings files and builds the sync request, as a sync run would
// (its settle time is the arrivals' too): called at the start and again on
// SIGHUP. An exit status when the settings
// do not allow a run (the reason has been printed).
using PrepareSync = std::function<std::optional<int>(engine::RunRequest& request)>;

// A sync pass at the start, then each arrival once it has settled, and a
// full pass every fullPassSeconds and after the kernel lost events. SIGTERM
// or SIGINT: the trace in hand is finished and the watch ends with 0.
// SIGHUP: the settings are read again. The catalogue is opened (and, when
// lost, opened again) here.
int RunWatch(catalog::OdbcConnection& database, const PrepareSync& prepare,
             const WatchOptions& options);

}  // namespace cli
