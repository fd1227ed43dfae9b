// What a run does after a catalogue failure: a lost connection is opened
// again before the next recording or file; one that stays lost, or a
// catalogue that refuses writes, ends the run.
#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <vector>

#include "archive/source_scan.h"
#include "catalog/database_error.h"
#include "catalog/recording_record.h"
#include "engine/recording_outputs.h"
#include "engine/run_context.h"
#include "engine/run_observer.h"

namespace engine {

// platform::texts::kCatalogueLost (then the driver's text on a second line).
extern const char* const kCatalogueLostText;
// platform::texts::kCatalogueRefusesWrites (the same).
extern const char* const kCatalogueRefusesWritesText;

// Call after reporting error. True when the run may go on: the error was no
// catalogue failure that every later write would meet, or the lost
// connection is open again. False after telling the operator, once, that the
// catalogue stays out of reach or refuses writes.
bool CatalogueUsableAfter(const std::exception& error, RecordingOutputs& outputs,
                          RunObserver& observer);

// One station's scan of its source directory (a time-window run or a sync)
// as a catalogue failure finds it. records: the station's record as the scan
// read it (what a sync would still convert is judged by it).
struct StationScan {
    const std::string& station;
    const std::string& dir;
    const std::vector<SourceEntry>& entries;
    const DirectoryRecord& records;
};

// A catalogue failure met by the recording scan.entries[at] costs that
// recording: its message is shown (repeated when the recording before met
// one too, failedBefore, which this sets). True when the scan goes on with
// the next recording; false when the catalogue is gone: the run ends
// (run.catalogueGone) and the station's recordings left are counted.
bool ScanGoesOnAfter(RunContext& run, const catalog::DatabaseError& error, const StationScan& scan,
                     std::size_t at, bool& failedBefore);

}  // namespace engine
