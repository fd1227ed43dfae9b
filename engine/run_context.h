// What one run shares with every recording it converts: the request, where
// results and events go, the stop request and the counts of the summary.
#pragma once

#include <stop_token>
#include <string>
#include <unordered_set>
#include <vector>

#include "archive/directories_made.h"
#include "archive/trace_conversion.h"
#include "engine/recording_outputs.h"
#include "engine/run_observer.h"
#include "engine/run_record.h"
#include "engine/run_request.h"
#include "engine/run_summary.h"
#include "engine/work_queue.h"
#include "platform/kelvaron_settings.h"
#include "platform/text_encoding.h"

namespace engine {

struct RunContext {
    RunContext(const RunRequest& request, RunObserver& observer, RecordingOutputs& outputs,
               std::stop_token stop)
        : request(request),
          observer(observer),
          outputs(outputs),
          stop(std::move(stop)),
          channels(CutItems(request.channels)),
          itemCarried(channels.size(), false),
          record(outputs.Catalogue(), !outputs.WritesNothing()) {}

    const RunRequest& request;
    RunObserver& observer;
    RecordingOutputs& outputs;
    std::stop_token stop;
    // The request's channel items, their texts cut to the list's width.
    std::vector<ChannelItem> channels;
    RunSummary summary;
    // Per channel item: some converted recording carried its name.
    std::vector<bool> itemCarried;
    // The recording in work (for the detail of an error that ends a station).
    std::string pathInWork;
    // The last trace attempted failed (a repeat may offer to stop).
    bool lastTraceFailed = false;
    // The trace files written so far (relative paths): two recordings of one
    // start write one file, which the summary counts once.
    std::unordered_set<std::string> tracePaths;
    // The catalogue stays out of reach or refuses writes: the run ends.
    bool catalogueGone = false;
    // The stations (or groups of picked files) shared with the run's other
    // workers; nullptr: this context takes all of them, in order.
    WorkQueue* queue = nullptr;

    // Each station's next recording is read ahead on a helper thread (see
    // EntryReadAhead).
    bool readAhead = false;

    // The data tree's directories this run has made.
    DirectoriesMade directories;

    // The record of recordings, when the catalogue has it.
    RunRecord record;
    // A recording whose trace files are all in the archive with their rows
    // is recorded, not written again (a sync over what window runs wrote).
    bool acceptArchived = false;

    bool StopRequested() const { return stop.stop_requested(); }

    // Where the traces of a station's recording go, from the request's
    // settings. A station the run was not given reads as kelvaron.ini reads
    // a missing section: USEGAIN 1.
    TraceSettings TraceSettingsFor(const std::string& station) {
        const platform::StationSettings* s = request.settings.Find(station);
        return {request.settings.dataDir, s ? s->useGain : true, &directories};
    }

private:
    static std::vector<ChannelItem> CutItems(std::vector<ChannelItem> items) {
        for (ChannelItem& item : items)
            item.text = platform::CutText8(std::move(item.text), platform::kChannelNameChars);
        return items;
    }
};

}  // namespace engine
