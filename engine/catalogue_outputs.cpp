// The outputs that write to the catalogue and the trace tree, and the dry
// run's that write nothing. Kept apart so that code with outputs of its own
// links without them.
#include "archive/trace_writer.h"
#include "catalog/event_list.h"
#include "engine/recording_outputs.h"

namespace engine {
namespace {

class Catalogue final : public RecordingOutputs {
public:
    void RegisterEvent(const std::string& station, double eventStart) override {
        ::RegisterEvent(station, eventStart);
    }
    WrittenTrace WriteChannelTrace(const ChannelTrace& trace) override {
        const TraceFileRow row = ::WriteChannelTrace(trace);
        return {row.catalogPath, row.fileBytes, row.keptExisting};
    }
};

class Plan final : public RecordingOutputs {
public:
    void RegisterEvent(const std::string&, double) override {}
    WrittenTrace WriteChannelTrace(const ChannelTrace& trace) override {
        return {PlanTraceFile(trace, trace.settings).catalogPath, 0};
    }
};

}  // namespace

RecordingOutputs& CatalogueOutputs() {
    static Catalogue outputs;
    return outputs;
}

RecordingOutputs& PlanOutputs() {
    static Plan outputs;
    return outputs;
}

}  // namespace engine
