// Where ConvertRecording sends a recording's results: by default the event
// table and the trace writer; a dry run, tests and the fuzz target put their
// own here.
#pragma once

#include <cstdint>
#include <string>

#include "archive/trace_conversion.h"

namespace catalog {
class OdbcConnection;
}

namespace engine {

// A trace file that was written (or would be).
struct WrittenTrace {
    std::string catalogPath;  // relative to the data directory
    std::int64_t bytes = 0;
    // Nothing written: the recording is incomplete and a longer trace with its
    // row was kept.
    bool keptExisting = false;
};

class RecordingOutputs {
public:
    virtual ~RecordingOutputs() = default;
    // As RegisterEvent of the event table.
    virtual void RegisterEvent(const std::string& station, double eventStart) = 0;
    // As WriteChannelTrace: TraceFileError for a file failure, database errors pass.
    virtual WrittenTrace WriteChannelTrace(const ChannelTrace& trace) = 0;
    // The catalogue connection these outputs write through (to be opened
    // again after a lost connection); nullptr when they write to none.
    virtual catalog::OdbcConnection* Catalogue() { return nullptr; }
};

// The event table and the trace writer on one catalogue connection.
class CatalogueOutputs final : public RecordingOutputs {
public:
    explicit CatalogueOutputs(catalog::OdbcConnection& database) : database_(database) {}
    void RegisterEvent(const std::string& station, double eventStart) override;
    WrittenTrace WriteChannelTrace(const ChannelTrace& trace) override;
    catalog::OdbcConnection* Catalogue() override { return &database_; }

private:
    catalog::OdbcConnection& database_;
};

// The same decisions without a file or a row: each trace's path is planned
// from tvx.ini's data directory, nothing is written (the dry run).
RecordingOutputs& PlanOutputs();

}  // namespace engine
