#include "archive/trace_writer.h"

#include "archive/trace_conversion.h"
#include "catalog/file_list.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"

namespace {

engine::ChannelTrace Trace(const std::uint8_t* data, std::int64_t dataSize, double start,
                           const std::string& channel, const std::string& station,
                           std::int32_t channelPosition, std::int32_t recordSeconds,
                           std::int32_t channelCount, std::int32_t gainFactor) {
    engine::ChannelTrace trace;
    trace.data = data;
    trace.dataSize = dataSize;
    trace.start = start;
    trace.channel = channel;
    trace.station = station;
    trace.channelPosition = channelPosition;
    trace.recordSeconds = recordSeconds;
    trace.channelCount = channelCount;
    trace.gainFactor = gainFactor;
    // Called alone, outside a run: the settings are read for the one trace.
    trace.settings.dataDir =
        platform::ReadDataDirectory(platform::TvxIniPath(), platform::kDataDirectoryChars);
    trace.settings.useGain = platform::ReadUseGain(platform::KelvaronIniPath(), station);
    return trace;
}

}  // namespace

void WriteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                       const std::string& channel, const std::string& station,
                       std::int32_t channelPosition, std::int32_t recordSeconds,
                       std::int32_t channelCount, std::int32_t gainFactor) {
    WriteChannelTrace(Trace(data, dataSize, start, channel, station, channelPosition, recordSeconds,
                            channelCount, gainFactor));
}

namespace engine {

bool WriteIncompleteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                                 const std::string& channel, const std::string& station,
                                 std::int32_t channelPosition, std::int32_t recordSeconds,
                                 std::int32_t channelCount, std::int32_t gainFactor) {
    ChannelTrace trace = Trace(data, dataSize, start, channel, station, channelPosition,
                               recordSeconds, channelCount, gainFactor);
    trace.keepLongerTrace = true;
    return !WriteChannelTrace(trace).keptExisting;
}

}  // namespace engine

engine::TraceFileRow WriteChannelTrace(const engine::ChannelTrace& trace) {
    const engine::TraceFileRow row = WriteTraceFile(trace, trace.settings);
    if (row.keptExisting) return row;
    // Only a complete file on disk gets its row; a catalogue error passes on.
    RegisterTraceFile(row.station, row.start, row.duration, row.channel, row.rate, row.gain,
                      row.catalogPath);
    return row;
}
