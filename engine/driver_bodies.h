// The bodies of the kinds of run, over one run's context. RunConversion
// calls them; the scan benchmark calls ConvertStationWindow alone.
#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "archive/source_scan.h"
#include "catalog/recording_record.h"
#include "engine/convert_recording.h"
#include "engine/run_context.h"

namespace engine {

// What one worker did of a run: its counts, and which of the request's
// channel items (cut to the list's width) its recordings carried.
struct RunShare {
    RunSummary summary;
    std::vector<ChannelItem> channels;
    std::vector<bool> itemCarried;
};
// One worker's share of a run on its own outputs: the units queue hands it,
// or, without a queue, the whole run. RunFinished is left to FinishRun.
// workers: how many take shares of the run at once.
RunShare ConvertShare(const RunRequest& request, RunObserver& observer, RecordingOutputs& outputs,
                      std::stop_token stop, WorkQueue* queue, int workers);
// The end of a run that began at begin, with what its workers did added
// up: the channels none carried, the time it took, RunFinished.
RunSummary FinishRun(RunShare run, RunObserver& observer, bool stopped,
                     std::chrono::steady_clock::time_point begin);

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
// Sync over the selected stations, and one station's source directory:
// every recording new or changed since it was recorded (engine/sync_run.cpp).
void ConvertSyncThread(RunContext& run);
bool ConvertStationSync(const std::string& station, int stationNumber, RunContext& run);
// Whether a sync would convert the entry of dir, judged by the station's
// record as read (records) and the entry's header; asks no catalogue.
bool SyncWouldConvert(RunContext& run, const std::string& station, const std::string& dir,
                      const SourceEntry& entry, const DirectoryRecord& records);

// Each selected station with a source directory, in turn: convert(station,
// its number from 1) between StationBegins and StationFinished; an error
// ends the station, a lost catalogue that cannot be opened again the run.
void ForEachStation(RunContext& run,
                    const std::function<bool(const std::string& station, int number)>& convert);

// The steps every kind of run takes alike.
void ShowInputError(RunContext& run, std::string text);
// An error that ended a recording's work: its text and where it happened;
// repeated: the recording before met one too (the dialog may offer to stop).
void ReportError(RunContext& run, const std::exception& e, const std::string& station,
                 const std::string& path, bool repeated = false);
void Skip(RunContext& run, const std::string& path, SkipReason reason);
void Count(RunContext& run, const std::string& path, const RecordingOutcome& outcome);
// The station's source directory as kelvaron.ini named it when the run
// started; "" when it named none.
std::string SourceDirectoryOf(const RunContext& run, const std::string& station);
// Whether the request selects the station a file names.
bool IsSelected(const RunRequest& request, const std::string& name);

}  // namespace engine
