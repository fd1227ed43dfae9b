// The bodies of the two kinds of run, over one run's context. RunConversion
// calls them; the scan benchmark calls ConvertStationWindow alone.
#pragma once

#include <string>

#include "engine/run_context.h"

namespace engine {

// File run: each picked file of a selected station.
void ConvertSelectedFiles(RunContext& run);
// Time-window run over the selected stations.
void ConvertWindowThread(RunContext& run);
// One station's source directory: every recording of the station that
// overlaps [start, start + length). A catalogue failure costs the recording
// in hand (one that ends the run sets run.catalogueGone); memory and other
// errors leave it.
// False when an error or a stop request ended the scan early.
bool ConvertStationWindow(const std::string& station, int stationNumber, double start,
                          double length, RunContext& run);

// The station's source directory as kelvaron.ini named it when the run
// started; "" when it named none.
std::string SourceDirectoryOf(const RunContext& run, const std::string& station);
// Whether the request selects the station a file names.
bool IsSelected(const RunRequest& request, const std::string& name);

}  // namespace engine
