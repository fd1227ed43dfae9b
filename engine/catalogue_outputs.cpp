// The outputs that write to the catalogue and the trace tree, and the dry
// run's that write nothing. Kept apart so that code with outputs of its own
// links without them.
#include "archive/trace_writer.h"
#include "catalog/event_list.h"
#include "engine/recording_outputs.h"

namespace engine {
namespace {

class Plan final : public RecordingOutputs {
public:
    void RegisterEvent(const std::string&, double) override {}
    WrittenTrace WriteChannelTrace(const ChannelTrace& trace) override {
        return {PlanTraceFile(trace, ReadTraceSettings(trace.station)).catalogPath, 0};
    }
};

}  // namespace

void CatalogueOutputs::RegisterEvent(const std::string& station, double eventStart) {
    ::RegisterEvent(database_, station, eventStart);
}

WrittenTrace CatalogueOutputs::WriteChannelTrace(const ChannelTrace& trace) {
    const TraceFileRow row = ::WriteChannelTrace(database_, trace);
    return {row.catalogPath, row.fileBytes, row.keptExisting};
}

RecordingOutputs& PlanOutputs() {
    static Plan outputs;
    return outputs;
}

}  // namespace engine
