// The operator's texts of TraceFileError.
#pragma once

#include <string>

#include "engine/trace_writer.h"

namespace engine {

// fileNamePart is the "/hhmmss-DDMMYYYY.CHN" part of the trace file's path.
TraceFileError TraceOpenError(const std::string& fileNamePart);
TraceFileError TraceWriteError(const std::string& fileNamePart);
// A station or channel name that would lead out of the data directory.
TraceFileError RefusedStationName(const std::string& station);
TraceFileError RefusedChannelName(const std::string& channel);
// A start that has no calendar date (far outside any recorder's clock).
TraceFileError UnplaceableStart(double start);

}  // namespace engine
