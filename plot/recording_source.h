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
    CannotOpen,       // the file cannot be read
    NoStation,        // no SYSTEM/NAME (or Station= of a trace)
    NoStartTime,      // no DATE_INT/TIME_INT (or start lines of a trace)
    BadDataOffset,    // the data offset lies outside the file
    OutOfMemory,      // the data block does not fit in memory
    NotATraceHeader,  // begins with "[TVX4.0]" but the header is not of the writer's shape
};

struct LoadResult {
    std::optional<PlotRecording> recording;
    LoadFailure failure = LoadFailure::None;
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
};

// The recordings of `station` in `dir` (ending in "/"): regular files whose
// SYSTEM/NAME equals the station exactly and that have a start, in the order
// the directory lists them; nullopt when the directory cannot be listed.
// stop() is asked between entries.
std::optional<std::vector<RecordingEntry>> ListStationRecordings(const std::string& dir,
                                                                 const std::string& station,
                                                                 bool (*stop)(void*) = nullptr,
                                                                 void* stopContext = nullptr);

}  // namespace plot
