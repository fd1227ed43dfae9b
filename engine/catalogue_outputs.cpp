// The outputs that write to the catalogue and the trace tree, and the dry
// run's that write nothing. Kept apart so that code with outputs of its own
// links without them.
#include "archive/trace_writer.h"
#include "catalog/event_list.h"
#include "engine/recording_outputs.h"

namespace engine {
namespace {

// A recording's traces are all its station's, with the settings the run
// resolved for it.
TraceSettings SettingsFor(const std::vector<ChannelTrace>& traces) {
    return traces.empty() ? TraceSettings{} : traces.front().settings;
}

class CatalogueTraces final : public RecordingTraces {
public:
    CatalogueTraces(catalog::OdbcConnection& database, const DataBlock& block,
                    const std::vector<ChannelTrace>& traces)
        : database_(database), batch_(block, traces, SettingsFor(traces)) {}
    bool WriteRecords(const std::function<bool()>& stop) { return batch_.WriteRecords(stop); }
    WrittenTrace Finish(std::size_t i) override {
        const TraceFileRow row = ::WriteChannelTrace(database_, batch_, i);
        return {row.catalogPath, row.fileBytes, row.keptExisting};
    }

private:
    catalog::OdbcConnection& database_;
    TraceFileBatch batch_;
};

class PlannedTraces final : public RecordingTraces {
public:
    explicit PlannedTraces(const std::vector<ChannelTrace>& traces)
        : traces_(traces), settings_(SettingsFor(traces)) {}
    WrittenTrace Finish(std::size_t i) override {
        return {PlanTraceFile(traces_.at(i), settings_).catalogPath, 0};
    }

private:
    std::vector<ChannelTrace> traces_;
    TraceSettings settings_;
};

class Plan final : public RecordingOutputs {
public:
    bool WritesNothing() const override { return true; }
    void RegisterEvent(const std::string&, double) override {}
    std::unique_ptr<RecordingTraces> WriteTraces(const DataBlock&,
                                                 const std::vector<ChannelTrace>& traces,
                                                 const std::function<bool()>&) override {
        return std::make_unique<PlannedTraces>(traces);
    }
};

}  // namespace

void CatalogueOutputs::RegisterEvent(const std::string& station, double eventStart) {
    ::RegisterEvent(database_, station, eventStart);
}

std::unique_ptr<RecordingTraces> CatalogueOutputs::WriteTraces(
    const DataBlock& block, const std::vector<ChannelTrace>& traces,
    const std::function<bool()>& stop) {
    auto written = std::make_unique<CatalogueTraces>(database_, block, traces);
    if (!written->WriteRecords(stop)) return nullptr;
    return written;
}

RecordingOutputs& PlanOutputs() {
    static Plan outputs;
    return outputs;
}

void PlanOnCatalogue::RegisterEvent(const std::string& station, double eventStart) {
    PlanOutputs().RegisterEvent(station, eventStart);
}

std::unique_ptr<RecordingTraces> PlanOnCatalogue::WriteTraces(
    const DataBlock& block, const std::vector<ChannelTrace>& traces,
    const std::function<bool()>& stop) {
    return PlanOutputs().WriteTraces(block, traces, stop);
}

}  // namespace engine
