#include "archive/trace_writer.h"

#include "archive/trace_conversion.h"
#include "archive/trace_settings.h"
#include "catalog/file_list.h"

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
    return trace;
}

}  // namespace

void WriteChannelTrace(catalog::OdbcConnection& database, const std::uint8_t* data,
                       std::int64_t dataSize, double start, const std::string& channel,
                       const std::string& station, std::int32_t channelPosition,
                       std::int32_t recordSeconds, std::int32_t channelCount,
                       std::int32_t gainFactor) {
    WriteChannelTrace(database, Trace(data, dataSize, start, channel, station, channelPosition,
                                      recordSeconds, channelCount, gainFactor));
}

namespace engine {

bool WriteIncompleteChannelTrace(catalog::OdbcConnection& database, const std::uint8_t* data,
                                 std::int64_t dataSize, double start, const std::string& channel,
                                 const std::string& station, std::int32_t channelPosition,
                                 std::int32_t recordSeconds, std::int32_t channelCount,
                                 std::int32_t gainFactor) {
    ChannelTrace trace = Trace(data, dataSize, start, channel, station, channelPosition,
                               recordSeconds, channelCount, gainFactor);
    trace.keepLongerTrace = true;
    return !WriteChannelTrace(database, trace).keptExisting;
}

}  // namespace engine

engine::TraceFileRow WriteChannelTrace(catalog::OdbcConnection& database,
                                       const engine::ChannelTrace& trace) {
    // Settings are read anew for every trace: the operator may change them
    // between runs without restarting.
    const engine::TraceFileRow row =
        WriteTraceFile(trace, engine::ReadTraceSettings(trace.station));
    if (row.keptExisting) return row;
    // Only a complete file on disk gets its row; a catalogue error passes on.
    RegisterTraceFile(database, row.station, row.start, row.duration, row.channel, row.rate,
                      row.gain, row.catalogPath);
    return row;
}
