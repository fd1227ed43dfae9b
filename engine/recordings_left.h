// What a run that the catalogue ends leaves behind: the recordings it would
// still have converted, counted by station into its summary, so that none is
// dropped without being named. Only headers are read; the catalogue is not
// asked.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "archive/source_scan.h"
#include "engine/run_context.h"

namespace engine {

// Time-window run: the station's entries of dir from `from` on.
void CountStationLeft(RunContext& run, const std::string& station, const std::string& dir,
                      const std::vector<SourceEntry>& entries, std::size_t from);
// Time-window run: the request's stations of these indices.
void CountStationsLeft(RunContext& run, const std::vector<std::size_t>& stations);
// File run: the picked files of these indices that are recordings of a
// selected station.
void CountFilesLeft(RunContext& run, const std::vector<std::size_t>& files);

}  // namespace engine
