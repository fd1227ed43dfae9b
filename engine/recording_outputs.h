// Where ConvertRecording sends a recording's results: by default the event
// table and the trace writer; tests and the fuzz target put their own here.
#pragma once

#include <cstdint>
#include <string>

namespace engine {

class RecordingOutputs {
public:
    virtual ~RecordingOutputs() = default;
    // As RegisterEvent of the event table.
    virtual void RegisterEvent(const std::string& station, double eventStart) = 0;
    // As WriteChannelTrace: TraceFileError for a file failure, database errors pass.
    virtual void WriteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                                   const std::string& channel, const std::string& station,
                                   std::int32_t channelPosition, std::int32_t recordSeconds,
                                   std::int32_t channelCount, std::int32_t gainFactor) = 0;
};

// The event table and the trace writer on theDatabase.
RecordingOutputs& CatalogueOutputs();

}  // namespace engine
