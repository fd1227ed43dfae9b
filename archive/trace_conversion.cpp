#include "archive/trace_conversion.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <vector>

#include "archive/trace_errors.h"
#include "archive/trace_file.h"
#include "formats/date_time.h"
#include "formats/recorder/record_layout.h"
#include "formats/tvx/trace_naming.h"
#include "formats/tvx/tvx_header.h"
#include "platform/file_system.h"

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

// The data centre may link a station or hour directory elsewhere in its tree,
// but a link that leads out of the data directory is not written through.
void RefuseLinkOut(const std::string& dir, const std::string& dataDir,
                   const TraceLocation& location) {
    if (platform::IsSymbolicLink(dir) && !platform::ResolvesInside(dir, dataDir))
        throw LinkOutOfDataDirectory(location.fileNamePart, location.fullPath);
}

// Makes dir (failures, "already exists" too, show up as the open failure)
// and refuses a link out, once per run when the run keeps its directories.
void MakeDirectory(const std::string& dir, const std::string& dataDir,
                   const TraceLocation& location, DirectoriesMade* made) {
    if (made && made->Contains(dir)) return;
    ::mkdir(dir.c_str(), 0777);
    RefuseLinkOut(dir, dataDir, location);
    if (made) made->Add(dir);
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// An existing trace at the path with more samples than count.
bool HoldsMoreSamples(const std::string& fullPath, std::size_t count) {
    struct stat st {};
    return ::stat(fullPath.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           static_cast<std::uint64_t>(st.st_size) >
               kTraceHeaderSize + sizeof(std::int16_t) * static_cast<std::uint64_t>(count);
}

}  // namespace

TraceLocation PlanTraceFile(const ChannelTrace& trace, const TraceSettings& settings) {
    RefuseUnsafeNames(trace);
    const TraceStart start = PlaceStart(trace.start);
    const TraceLocation location = ComposeTraceLocation(WithTrailingSeparator(settings.dataDir),
                                                        trace.station, trace.channel, start);
    if (!FitsPathLimit(location))
        throw TraceOpenError(location.fileNamePart, location.fullPath, ENAMETOOLONG);
    return location;
}

TraceFileRow WriteTraceFile(const ChannelTrace& trace, const TraceSettings& settings) {
    const TraceLocation location = PlanTraceFile(trace, settings);
    const std::string dataDir = WithTrailingSeparator(settings.dataDir);

    const std::int64_t size = trace.data != nullptr ? std::max<std::int64_t>(trace.dataSize, 0) : 0;
    const RecordLayout layout = ComputeRecordLayout(TraceRate(trace.data, size), size,
                                                    trace.recordSeconds, trace.channelCount);
    const std::vector<std::int16_t> samples =
        ExtractChannelSamples(trace.data, size, layout, trace.channelPosition);
    const double duration =
        samples.empty() ? 0.0 : static_cast<double>(samples.size()) / layout.rate;

    const bool madeBefore = settings.made && settings.made->Contains(location.hourDir);
    MakeDirectory(location.stationDir, dataDir, location, settings.made);
    MakeDirectory(location.hourDir, dataDir, location, settings.made);

    TraceFileRow row;
    if (trace.keepLongerTrace && HoldsMoreSamples(location.fullPath, samples.size())) {
        row.keptExisting = true;
        row.catalogPath = location.catalogPath;
        return row;
    }

    char header[kTraceHeaderSize];
    BuildTraceHeader(header, trace.station, trace.channel, trace.start, duration, layout.rate);
    const auto write = [&] {
        WriteTraceFileAtomically(location.hourDir, location.fullPath, location.fileNamePart, header,
                                 samples.data(), samples.size());
    };
    try {
        write();
    } catch (const TraceFileError&) {
        if (!madeBefore || IsDirectory(location.hourDir)) throw;
        // Made by an earlier trace of this run and removed since: made again,
        // as a trace that makes its own directories would.
        settings.made->Forget(location.stationDir);
        settings.made->Forget(location.hourDir);
        MakeDirectory(location.stationDir, dataDir, location, settings.made);
        MakeDirectory(location.hourDir, dataDir, location, settings.made);
        write();
    }

    row.station = trace.station;
    row.start = trace.start;
    row.duration = duration;
    row.channel = trace.channel;
    row.rate = layout.rate;
    row.gain = settings.useGain ? trace.gainFactor : 1;
    row.catalogPath = location.catalogPath;
    row.fileBytes =
        kTraceHeaderSize + static_cast<std::int64_t>(samples.size() * sizeof(std::int16_t));
    return row;
}

}  // namespace engine
