// What a run that the catalogue ends leaves behind: the recordings it would
// still have converted, counted by station into its summary, so that none is
// dropped without being named. Only headers are read; the catalogue is not
// asked.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "archive/source_scan.h"
#include "catalog/recording_record.h"
#include "engine/run_context.h"

namespace engine {

// Time-window run or sync: the station's entries of dir from `from` on that
// the run would have converted. records: the station's record as a sync read
// it; a sync that could not read it (a station after the one the catalogue
// failed in) counts each settled recording of the station.
void CountStationLeft(RunContext& run, const std::string& station, const std::string& dir,
                      const std::vector<SourceEntry>& entries, std::size_t from,
                      const DirectoryRecord& records = {});
// Time-window run or sync: the request's stations of these indices.
void CountStationsLeft(RunContext& run, const std::vector<std::size_t>& stations);
// File run: the picked files of these indices that are recordings of a
// selected station.
void CountFilesLeft(RunContext& run, const std::vector<std::size_t>& files);

}  // namespace engine
