// Where ConvertRecording sends a recording's results: by default the event
// table and the trace writer; a dry run, tests and the fuzz target put their
// own here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// The trace files of one recording, their samples written as its records
// were read.
class RecordingTraces {
public:
    virtual ~RecordingTraces() = default;
    // Trace i in place with its row, as WriteChannelTrace: TraceFileError for
    // a file failure, database errors pass.
    virtual WrittenTrace Finish(std::size_t i) = 0;
};

class RecordingOutputs {
public:
    virtual ~RecordingOutputs() = default;
    // As RegisterEvent of the event table.
    virtual void RegisterEvent(const std::string& station, double eventStart) = 0;
    // Reads the block once, record by record, writing every trace as it goes;
    // nullptr when stop() ended the reading. A trace's failure waits for its
    // Finish, which the caller asks in the traces' order.
    virtual std::unique_ptr<RecordingTraces> WriteTraces(const DataBlock& block,
                                                         const std::vector<ChannelTrace>& traces,
                                                         const std::function<bool()>& stop) = 0;
    // The catalogue connection these outputs write through (to be opened
    // again after a lost connection); nullptr when they write to none.
    virtual catalog::OdbcConnection* Catalogue() { return nullptr; }
    // True for the dry run: the catalogue, if any, is only read.
    virtual bool WritesNothing() const { return false; }
};

// For outputs that look at each trace with its block in memory (tests, the
// fuzz target, benchmarks): the block is read whole, in pieces, asking stop()
// before each, and `finish` gets each trace with data and dataSize set.
std::unique_ptr<RecordingTraces> TracesInMemory(
    const DataBlock& block, const std::vector<ChannelTrace>& traces,
    const std::function<bool()>& stop, std::function<WrittenTrace(const ChannelTrace&)> finish);

// The event table and the trace writer on one catalogue connection.
class CatalogueOutputs final : public RecordingOutputs {
public:
    explicit CatalogueOutputs(catalog::OdbcConnection& database) : database_(database) {}
    void RegisterEvent(const std::string& station, double eventStart) override;
    std::unique_ptr<RecordingTraces> WriteTraces(const DataBlock& block,
                                                 const std::vector<ChannelTrace>& traces,
                                                 const std::function<bool()>& stop) override;
    catalog::OdbcConnection* Catalogue() override { return &database_; }

private:
    catalog::OdbcConnection& database_;
};

// The same decisions without a file or a row: each trace's path is planned
// from the data directory it carries, nothing is written (the dry run).
RecordingOutputs& PlanOutputs();

// The dry run's outputs that read database's record of recordings, so that
// a sync's plan makes the decisions the sync would; nothing is written.
class PlanOnCatalogue final : public RecordingOutputs {
public:
    explicit PlanOnCatalogue(catalog::OdbcConnection& database) : database_(database) {}
    void RegisterEvent(const std::string& station, double eventStart) override;
    std::unique_ptr<RecordingTraces> WriteTraces(const DataBlock& block,
                                                 const std::vector<ChannelTrace>& traces,
                                                 const std::function<bool()>& stop) override;
    catalog::OdbcConnection* Catalogue() override { return &database_; }
    bool WritesNothing() const override { return true; }

private:
    catalog::OdbcConnection& database_;
};

}  // namespace engine
