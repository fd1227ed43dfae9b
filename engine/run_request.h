// What a front end hands the engine when a run starts: everything the run
// reads, as plain values. The dialog's controls that hold these values stay
// locked (or the file dialog stays open) for the whole run, so a copy taken
// at the start is what the run would have read anyway.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/kelvaron_settings.h"

namespace engine {

// Sync: every recording of the stations' source directories that is new or
// changed since the record of recordings last saw it, whatever its time.
enum class RunMode { Window, Files, Sync };

// One item of the channel list: its column-0 text (at most 15 characters)
// and whether it is ticked.
struct ChannelItem {
    std::string text;
    bool checked = true;
};

struct RunRequest {
    RunMode mode = RunMode::Window;
    // The selected station entries, in entry order. A time-window run scans
    // each; a file run takes a picked file whose station equals one of them
    // without regard to case.
    std::vector<std::string> stations;
    // The window (time-window run): [windowStart, windowStart + windowLength),
    // epoch seconds on the recorder's clock.
    double windowStart = 0;
    double windowLength = 0;
    // An empty list converts every channel of a recording.
    std::vector<ChannelItem> channels;
    // The picked files, full paths in the file dialog's order (file run).
    std::vector<std::string> files;
    // Sync: recordings that start before syncFrom (epoch seconds) are left
    // alone; an entry modified within the last settleSeconds may still be
    // arriving and is left for the next pass. syncEntries, when not empty:
    // the only entries to consider (full paths, each in a station's source
    // directory), for a caller that knows which files arrived.
    std::optional<double> syncFrom;
    int settleSeconds = 60;
    std::vector<std::string> syncEntries;
    // kelvaron.ini and tvx.ini as the front end read them when the run
    // started (the stations' source directories and USEGAIN, the data
    // directory): the run reads neither file itself.
    platform::RunSettings settings;
};

}  // namespace engine
