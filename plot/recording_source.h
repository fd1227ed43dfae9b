// What the viewer and kelvaron-plot draw, read without Qt: a recorder file's
// header facts and its channels as they will be written (the writer's own
// extraction), or a TVX trace file; and a station's recordings listed from
// their headers alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plot {

struct PlotChannel {
    std::string name;
    std::int32_t number = 0;      // the CH# item; 0 for a trace file
    std::int32_t gainFactor = 1;  // 2 ^ GAIN of its group; 1 for a trace file
    std::vector<std::int16_t> samples;
    // Whether the archive holds its trace; unknown where nobody asked.
    std::optional<bool> converted;
};

struct PlotRecording {
    std::string path;
    bool traceFile = false;  // a TVX trace file rather than a recording
    std::string station;
    double start = 0;  // epoch seconds
    std::int32_t dataSeconds = 0;
    double rate = 0;  // samples per second
    bool trigger = false;
    std::optional<double> eventTime;
    std::vector<PlotChannel> channels;  // in CH# order, named ones only
};

enum class LoadFailure {
    None,
    CannotOpen,       // the file cannot be read (LoadResult::error says why)
    NotARecording,    // no NAME, DATE_INT or TIME_INT: no recorder header at all
    NoStation,        // no SYSTEM/NAME (or Station= of a trace)
    NoStartTime,      // no DATE_INT/TIME_INT (or start lines of a trace)
    BadDataOffset,    // the data offset lies outside the file
    OutOfMemory,      // the data block does not fit in memory
    NotATraceHeader,  // begins with "[TVX4.0]" but the header is not of the writer's shape
};

struct LoadResult {
    std::optional<PlotRecording> recording;
    LoadFailure failure = LoadFailure::None;
    int error = 0;  // the errno of CannotOpen
};

// A file that begins with "[TVX4.0]" is read as a trace file, anything else as
// a recording.
LoadResult LoadRecording(const std::string& path);

// One entry of a station's source directory, from its header alone.
struct RecordingEntry {
    std::string name;  // file name in the directory
    std::string path;
    double start = 0;
    std::int32_t dataSeconds = 0;
    // The names of the channels a conversion would write, in CH# order.
    std::vector<std::string> channels;
    // How many seconds of samples the data block holds (whole records), or
    // -1 when the block cannot be measured; REC_SIZE_SEC, the grain of it.
    double samplesSeconds = -1;
    std::int32_t recordSeconds = 0;
};

// An entry of the directory that is not one of the station's recordings.
struct LeftOutEntry {
    enum class Reason {
        NotAFile,       // a directory, pipe, device...
        Unreadable,     // cannot be opened (error: errno)
        NotARecording,  // no station name in it: not a recorder's file
        OtherStation,   // another station's recording
        NoStart,        // the station's, but without a start time
    };
    std::string name;
    Reason reason = Reason::NotAFile;
    int error = 0;
};

struct StationListing {
    std::vector<RecordingEntry> recordings;  // in the order the directory lists them
    std::vector<LeftOutEntry> leftOut;
};

// The recordings of `station` in `dir` (ending in "/"): regular files whose
// SYSTEM/NAME equals the station exactly and that have a start; every other
// entry with the reason it was left out. nullopt when the directory cannot be
// listed. stop() is asked between entries.
std::optional<StationListing> ListStationRecordings(const std::string& dir,
                                                    const std::string& station,
                                                    bool (*stop)(void*) = nullptr,
                                                    void* stopContext = nullptr);

}  // namespace plot
