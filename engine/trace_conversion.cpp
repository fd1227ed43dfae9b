#include "engine/trace_conversion.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/date_time.h"
#include "engine/trace_errors.h"
#include "engine/trace_file.h"
#include "engine/trace_layout.h"
#include "engine/trace_naming.h"

namespace engine {

namespace {

// Names come from recorder files and become path components.
void RefuseUnsafeNames(const ChannelTrace& trace) {
    if (!IsSafePathName(trace.station)) throw RefusedStationName(trace.station);
    if (!IsSafePathName(trace.channel)) throw RefusedChannelName(trace.channel);
}

// A start without a date would name no valid directory, so it is refused.
TraceStart PlaceStart(double start) {
    const std::optional<TraceStart> fields = TraceStartOf(start);
    if (!fields) throw UnplaceableStart(start);
    return *fields;
}

}  // namespace

TraceFileRow WriteTraceFile(const ChannelTrace& trace, const TraceSettings& settings) {
    RefuseUnsafeNames(trace);
    const TraceStart start = PlaceStart(trace.start);
    const TraceLocation location = ComposeTraceLocation(WithTrailingSeparator(settings.dataDir),
                                                        trace.station, trace.channel, start);
    if (!FitsPathLimit(location)) throw TraceOpenError(location.fileNamePart);

    const std::int64_t size = trace.data != nullptr ? std::max<std::int64_t>(trace.dataSize, 0) : 0;
    const RecordLayout layout = ComputeRecordLayout(TraceRate(trace.data, size), size,
                                                    trace.recordSeconds, trace.channelCount);
    const std::vector<std::int16_t> samples =
        ExtractChannelSamples(trace.data, size, layout, trace.channelPosition);
    const double duration =
        samples.empty() ? 0.0 : static_cast<double>(samples.size()) / layout.rate;

    // Failures (also "already exists") show up as the open failure below.
    ::mkdir(location.stationDir.c_str(), 0777);
    ::mkdir(location.hourDir.c_str(), 0777);

    char header[kTraceHeaderSize];
    BuildTraceHeader(header, trace.station, trace.channel, trace.start, duration, layout.rate);
    WriteTraceFileAtomically(location.hourDir, location.fullPath, location.fileNamePart, header,
                             samples.data(), samples.size());

    TraceFileRow row;
    row.station = trace.station;
    row.start = trace.start;
    row.duration = duration;
    row.channel = trace.channel;
    row.rate = layout.rate;
    row.gain = settings.useGain ? trace.gainFactor : 1;
    row.catalogPath = location.catalogPath;
    return row;
}

}  // namespace engine
