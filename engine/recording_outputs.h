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
    // The same for a recording that holds fewer records than its header
    // announces; false when an existing longer trace was kept instead.
    virtual bool WriteIncompleteChannelTrace(const std::uint8_t* data, std::int64_t dataSize,
                                             double start, const std::string& channel,
                                             const std::string& station,
                                             std::int32_t channelPosition,
                                             std::int32_t recordSeconds, std::int32_t channelCount,
                                             std::int32_t gainFactor) {
        WriteChannelTrace(data, dataSize, start, channel, station, channelPosition, recordSeconds,
                          channelCount, gainFactor);
        return true;
    }
};

// The event table and the trace writer on theDatabase.
RecordingOutputs& CatalogueOutputs();

}  // namespace engine
