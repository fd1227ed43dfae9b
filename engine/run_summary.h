// What a run did, counted by the engine and shown by both front ends.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Why a directory entry or a picked file was not converted.
enum class SkipReason {
    OtherStation,     // the recording names another station
    OutsideWindow,    // its span does not overlap the window
    NoNameDateTime,   // no SYSTEM/NAME, FILE/DATE_INT or FILE/TIME_INT
    Unreadable,       // not a regular file, or its data block cannot be read
    NoTickedChannel,  // none of its channels is ticked in the channel list
    Unchanged,        // as the record of recordings last saw it (sync)
    Settling,         // modified too recently: it may still be arriving (sync)
    Claimed,          // another converter is converting it (sync)
    InArchive,        // its trace files and rows are there already (sync)
};
inline constexpr std::size_t kSkipReasonCount = 9;

// The operator's text of a reason.
const char* SkipReasonText(SkipReason reason);

struct RunSummary {
    int entries = 0;           // directory entries looked at, or files picked
    int converted = 0;         // every trace file it was to write was written
    int partlyConverted = 0;   // some of its trace files written, others failed or stopped
    int failedRecordings = 0;  // none of its trace files written, through failures
    std::array<int, kSkipReasonCount> skipped{};
    int traces = 0;          // trace files written, a path written twice in the run once
    int tracesReplaced = 0;  // later writes of a path the run had written already
    int traceFailures = 0;
    int sourceDirectoryErrors = 0;  // stations whose source directory could not be listed
    int catalogueErrors = 0;        // database errors
    int memoryErrors = 0;           // a recording that did not fit in memory
    int otherErrors = 0;            // other unexpected errors
    int interrupted = 0;            // recordings a stop request cut short
    std::int64_t bytesIn = 0;       // data blocks read
    std::int64_t bytesOut = 0;      // trace files written, headers included
    double seconds = 0;             // elapsed
    bool stopped = false;           // ended by a stop request
    // Ticked channel items that no converted recording carried.
    std::vector<std::string> channelsNotCarried;
    // When the catalogue ended the run (out of reach, or refusing writes):
    // the recordings it did not get to, by station in the order met.
    struct StationLeft {
        std::string station;
        int recordings = 0;
    };
    std::vector<StationLeft> leftUnconverted;

    int SkippedTotal() const;
    // Something the operator asked for was not done: a failure or a stop.
    bool Failed() const;
    int& Skipped(SkipReason reason) { return skipped[static_cast<std::size_t>(reason)]; }
    int Skipped(SkipReason reason) const { return skipped[static_cast<std::size_t>(reason)]; }
};

// Adds the counts of another worker of the same run (the elapsed time, the
// stop and the channels not carried are the whole run's, set at its end).
void AddUp(RunSummary& total, const RunSummary& part);

// One line for the status bar and the batch command's last line, failures and
// a stop first; say, when given, puts each of its texts into the operator's
// language.
std::string SummaryLine(const RunSummary& summary, std::string (*say)(std::string_view) = nullptr);

}  // namespace engine
