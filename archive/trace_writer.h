// One channel of a recorder data block -> one TVX 4.0 trace file + its FILELIST row.
#pragma once

#include <cstddef>

#include "archive/trace_conversion.h"
#include "archive/trace_errors.h"

// Puts trace i of the batch in place, then registers it; returns the row it
// registered (keptExisting, with no row replaced, when a longer trace was
// kept). Raises TraceFileError on a file failure; catalog::DatabaseError
// passes through.
engine::TraceFileRow WriteChannelTrace(engine::TraceFileBatch& batch, std::size_t i);
