// kelvaron-batch status [--max-age LENGTH] [--failed] [--json] [STATION...]:
// per station, what the record of recordings says and what still waits in
// its source directory; a check a monitoring system can run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/odbc_connection.h"

namespace cli {

struct StatusRequest {
    std::vector<std::string> stations;  // empty: every station of kelvaron.ini
    std::optional<std::int64_t> maxAgeSeconds;
    bool failed = false;  // list failed and incomplete recordings
    bool json = false;
};

// 0 every station delivers and nothing failed, 1 a station's newest
// converted recording is older than the maximum age (or it has none) or a
// recording failed, 2 the status could not be read.
int RunStatus(catalog::OdbcConnection& database, const StatusRequest& request);

}  // namespace cli
