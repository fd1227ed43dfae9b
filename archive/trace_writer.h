// A recording's channels -> TVX 4.0 trace files + their FILELIST rows.
#pragma once

#include <cstddef>

#include "archive/trace_conversion.h"
#include "archive/trace_errors.h"

namespace catalog {
class OdbcConnection;
}

// Puts trace i of the batch in place, then registers it on database; returns
// the row it registered (keptExisting, with no row replaced, when a longer
// trace was kept). Raises TraceFileError on a file failure;
// catalog::DatabaseError passes through.
engine::TraceFileRow WriteChannelTrace(catalog::OdbcConnection& database,
                                       engine::TraceFileBatch& batch, std::size_t i);
