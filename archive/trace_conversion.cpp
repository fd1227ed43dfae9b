#include "archive/trace_conversion.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <vector>

#include "archive/trace_errors.h"
#include "archive/trace_file.h"
#include "formats/date_time.h"
#include "formats/trace_making.h"
#include "formats/tvx/trace_naming.h"
#include "platform/file_descriptor.h"
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

// Makes dir in parent and refuses a link out, once per run when the run keeps
// its directories. A directory that cannot be made fails the trace with the
// system's reason for it (a read-only tree, a full disk), not with the
// "no such directory" its file's creation would then meet; "already exists"
// (a file in the way too) shows up as the open failure. A directory made here
// is flushed into its parent before any trace goes into it: a trace's own
// flushes keep its name in the hour directory, not the hour directory's name
// in the station directory, and no row may name a file that a power cut
// could take away with its directory.
void MakeDirectory(const std::string& dir, const std::string& parent, const std::string& dataDir,
                   const TraceLocation& location, DirectoriesMade* made) {
    if (made && made->Contains(dir)) return;
    if (::mkdir(dir.c_str(), 0777) == 0) {
        if (!platform::SyncDirectory(parent))
            throw TraceOpenError(location.fileNamePart, location.fullPath, errno);
    } else if (errno != EEXIST) {
        throw TraceOpenError(location.fileNamePart, location.fullPath, errno);
    }
    RefuseLinkOut(dir, dataDir, location);
    if (made) made->Add(dir);
}

// The trace's station directory in the data directory, its hour directory in that.
void MakeTraceDirectories(const TraceLocation& location, const std::string& dataDir,
                          DirectoriesMade* made) {
    MakeDirectory(location.stationDir, dataDir, dataDir, location, made);
    MakeDirectory(location.hourDir, location.stationDir, dataDir, location, made);
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

namespace {

// What one pass reads at a time (at least one record).
constexpr std::int64_t kPassBytes = 1 << 20;

}  // namespace

struct TraceFileBatch::Pending {
    ChannelTrace trace;
    std::exception_ptr error;  // a TraceFileError, raised by Finish
    TraceLocation location;
    TraceShape shape;
    bool keptExisting = false;
    std::unique_ptr<TraceFileWriter> file;
    std::int64_t written = 0;

    bool Active() const { return file != nullptr; }
};

TraceFileBatch::TraceFileBatch(const DataBlock& block, const std::vector<ChannelTrace>& traces,
                               const TraceSettings& settings)
    : block_(block), settings_(settings) {
    const std::string dataDir = WithTrailingSeparator(settings.dataDir);
    std::uint8_t head[kTraceHeadBytes];
    const std::int64_t headSize = std::min(block.size(), kTraceHeadBytes);
    block.Read(0, head, static_cast<std::size_t>(headSize));
    for (const ChannelTrace& trace : traces) {
        auto p = std::make_unique<Pending>();
        p->trace = trace;
        p->trace.data = nullptr;
        try {
            p->location = PlanTraceFile(trace, settings);
            const TraceLocation& location = p->location;
            p->shape = ShapeTrace(head, block.size(),
                                  {trace.station, trace.channel, trace.start, trace.channelPosition,
                                   trace.recordSeconds, trace.channelCount});
            DirectoriesMade* made = settings.made;
            const bool madeBefore = made && made->Contains(location.hourDir);
            MakeTraceDirectories(location, dataDir, made);
            if (trace.keepLongerTrace &&
                HoldsMoreSamples(location.fullPath,
                                 static_cast<std::size_t>(p->shape.sampleCount))) {
                p->keptExisting = true;
            } else {
                const auto create = [&] {
                    p->file = std::make_unique<TraceFileWriter>(location.hourDir, location.fullPath,
                                                                location.fileNamePart);
                };
                try {
                    create();
                } catch (const TraceFileError&) {
                    if (!madeBefore || IsDirectory(location.hourDir)) throw;
                    // Made by an earlier trace of this run and removed since:
                    // made again, as a trace that makes its own directories would.
                    made->Forget(location.stationDir);
                    made->Forget(location.hourDir);
                    MakeTraceDirectories(location, dataDir, made);
                    create();
                }
                p->file->Append(p->shape.header, kTraceHeaderSize);
            }
        } catch (const TraceFileError&) {
            p->error = std::current_exception();
        }
        traces_.push_back(std::move(p));
    }
}

TraceFileBatch::~TraceFileBatch() = default;

bool TraceFileBatch::WriteRecords(const std::function<bool()>& stop) {
    const std::int64_t size = block_.size();
    std::vector<std::uint8_t> window;
    // One trace's samples of the records in hand, written before the next
    // trace's are taken: one buffer serves them all.
    std::vector<std::int16_t> samples;
    // Traces of one record shape share each piece read; a batch holds one shape
    // unless its caller mixed them.
    std::vector<Pending*> left;
    for (const auto& p : traces_)
        if (p->Active()) left.push_back(p.get());
    while (!left.empty()) {
        const RecordLayout layout = left.front()->shape.layout;
        std::vector<Pending*> pass, later;
        for (Pending* p : left) {
            const RecordLayout& l = p->shape.layout;
            const bool same =
                l.recordSeconds == layout.recordSeconds && l.channelCount == layout.channelCount;
            (same ? pass : later).push_back(p);
        }
        left = std::move(later);
        if (layout.samplesPerRecord <= 0) continue;
        const std::int64_t step = std::max<std::int64_t>(1, kPassBytes / layout.recordLength);
        std::vector<bool> ended(pass.size(), false);
        for (std::int64_t r0 = 0; r0 < layout.recordCount; r0 += step) {
            if (stop && stop()) return false;
            if (std::find(ended.begin(), ended.end(), false) == ended.end()) break;
            const std::int64_t r1 = std::min(layout.recordCount, r0 + step);
            // The bytes the samples of these records lie in, for every trace.
            std::int64_t first = size, end = 0;
            for (std::size_t t = 0; t < pass.size(); ++t) {
                if (ended[t]) continue;
                const std::int32_t position = pass[t]->trace.channelPosition;
                for (std::int64_t r = r0; r < r1; ++r) {
                    const std::int64_t n = SamplesInRecord(layout, size, position, r);
                    if (n > 0) {
                        const ByteRange bytes = RecordSampleBytes(layout, position, r, n);
                        first = std::min(first, bytes.first);
                        end = std::max(end, bytes.end);
                    }
                    if (n < layout.samplesPerRecord) break;
                }
            }
            const std::uint8_t* bytes =
                end > first ? block_.View(first, static_cast<std::size_t>(end - first), window)
                            : nullptr;
            for (std::size_t t = 0; t < pass.size(); ++t) {
                if (ended[t]) continue;
                Pending& p = *pass[t];
                const std::int32_t position = p.trace.channelPosition;
                for (std::int64_t r = r0; r < r1 && !ended[t]; ++r) {
                    const std::int64_t n = SamplesInRecord(layout, size, position, r);
                    AppendRecordSamples(bytes, first, layout, position, r, n, samples);
                    // A sample outside the block ends the trace, not just the record.
                    ended[t] = n < layout.samplesPerRecord;
                }
                p.file->Append(samples.data(), samples.size() * sizeof(std::int16_t));
                p.written += static_cast<std::int64_t>(samples.size());
                samples.clear();
            }
        }
    }
    // Each trace is then made durable in turn: the later ones go to the disk
    // while the first is waited for.
    for (const auto& p : traces_)
        if (p->Active()) p->file->StartWriteback();
    recordsWritten_ = true;
    return true;
}

TraceFileRow TraceFileBatch::Finish(std::size_t i) {
    Pending& p = *traces_.at(i);
    if (p.error) std::rethrow_exception(p.error);
    TraceFileRow row;
    row.catalogPath = p.location.catalogPath;
    if (p.keptExisting) {
        row.keptExisting = true;
        return row;
    }
    if (!recordsWritten_ || p.written != p.shape.sampleCount)
        throw std::logic_error("trace finished before its records were written");
    const std::unique_ptr<TraceFileWriter> file = std::move(p.file);
    file->Finish();

    const ChannelTrace& trace = p.trace;
    row.station = trace.station;
    row.start = trace.start;
    row.duration = p.shape.duration;
    row.channel = trace.channel;
    row.rate = p.shape.layout.rate;
    row.gain = settings_.useGain ? trace.gainFactor : 1;
    row.fileBytes = kTraceHeaderSize + p.written * static_cast<std::int64_t>(sizeof(std::int16_t));
    return row;
}

TraceFileRow WriteTraceFile(const ChannelTrace& trace, const TraceSettings& settings) {
    const DataBlock block(trace.data, trace.dataSize);
    TraceFileBatch batch(block, {trace}, settings);
    batch.WriteRecords();
    return batch.Finish(0);
}

}  // namespace engine
