#include "plot/recording_source.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <stdexcept>

#include "archive/source_scan.h"
#include "formats/date_time.h"
#include "formats/recorder/data_block.h"
#include "formats/recorder/record_layout.h"
#include "formats/recorder/recording.h"
#include "formats/trace_making.h"
#include "formats/tvx/tvx_header.h"
#include "formats/tvx/tvx_header_reading.h"
#include "platform/ini_file.h"

namespace plot {

namespace {

constexpr char kTraceMagic[] = "[TVX4.0]";

bool StartsWithTraceMagic(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[sizeof kTraceMagic - 1] = {};
    in.read(head, sizeof head);
    return in.gcount() == static_cast<std::streamsize>(sizeof head) &&
           std::memcmp(head, kTraceMagic, sizeof head) == 0;
}

// Read as the archive check reads it: only a header of the writer's own shape
// says where the samples are and at what rate.
LoadResult LoadTraceFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) return {std::nullopt, LoadFailure::CannotOpen};
    const std::optional<engine::TraceHeaderFields> header =
        engine::ParseTraceHeader(bytes.data(), bytes.size());
    if (!header) return {std::nullopt, LoadFailure::NotATraceHeader};

    PlotRecording r;
    r.path = path;
    r.traceFile = true;
    r.station = header->station;
    if (r.station.empty()) return {std::nullopt, LoadFailure::NoStation};
    const engine::TraceStart& t = header->start;
    r.start = EpochFromCalendar(t);
    r.rate = header->rate;

    PlotChannel channel;
    channel.name = header->channel;
    const std::size_t count = (bytes.size() - kTraceHeaderSize) / 2;
    channel.samples.resize(count);
    std::memcpy(channel.samples.data(), bytes.data() + kTraceHeaderSize,
                count * sizeof(std::int16_t));
    r.dataSeconds = r.rate > 0 ? static_cast<std::int32_t>(count / r.rate) : 0;
    r.channels.push_back(std::move(channel));
    return {std::move(r), LoadFailure::None};
}

// Without a station name, a date or a time it is no recorder's header at all,
// as a file run judges a picked file.
bool LooksLikeRecording(platform::IniFile& header) {
    return !header.GetString("FILE", "DATE_INT", "", 31).empty() ||
           !header.GetString("FILE", "TIME_INT", "", 31).empty();
}

LoadResult LoadRecorderFile(const std::string& path) {
    // Only the header is kept: the block is read once, into the samples' buffer.
    platform::IniFile header(path, platform::kRecordingKeptBytes);
    if (header.source() != platform::IniFile::Source::Readable)
        return {std::nullopt, LoadFailure::CannotOpen, header.openError()};
    const engine::Recording recording = engine::ReadRecording(header);
    PlotRecording r;
    r.path = path;
    r.station = recording.station;
    if (r.station.empty())
        return {std::nullopt,
                LooksLikeRecording(header) ? LoadFailure::NoStation : LoadFailure::NotARecording};
    if (!recording.span) return {std::nullopt, LoadFailure::NoStartTime};
    r.start = recording.span->start;
    r.dataSeconds = recording.span->dataSeconds;
    const engine::StreamHeader& stream = recording.stream;
    r.trigger = stream.trigger;
    r.eventTime = recording.eventTime;

    const std::optional<engine::DataBlock> located =
        engine::LocateDataBlock(header, stream.dataOffset);
    if (!located) return {std::nullopt, LoadFailure::BadDataOffset};
    // The viewer draws every sample, so the block is read whole.
    std::vector<std::uint8_t> block(static_cast<std::size_t>(located->size()));
    located->Read(0, block.data(), block.size());
    const auto size = static_cast<std::int64_t>(block.size());
    r.rate = engine::ComputeRecordLayout(engine::TraceRate(block.data(), size), size,
                                         stream.recordSeconds, stream.channelCount)
                 .rate;
    for (const engine::RecordingChannel& c : recording.channels) {
        if (c.name.empty()) continue;  // not converted, but it keeps its place
        PlotChannel channel;
        channel.name = c.name;
        channel.number = c.number;
        channel.gainFactor = c.gainFactor;
        // The writer's own trace, so that the picture shows the samples
        // exactly as the trace files will hold them.
        channel.samples = engine::MakeTrace(block.data(), size,
                                            {r.station, c.name, r.start, c.position,
                                             stream.recordSeconds, stream.channelCount})
                              .samples;
        r.channels.push_back(std::move(channel));
    }
    return {std::move(r), LoadFailure::None};
}

}  // namespace

LoadResult LoadRecording(const std::string& path) {
    try {
        return StartsWithTraceMagic(path) ? LoadTraceFile(path) : LoadRecorderFile(path);
    } catch (const std::bad_alloc&) {
        return {std::nullopt, LoadFailure::OutOfMemory};
    } catch (const std::length_error&) {
        return {std::nullopt, LoadFailure::OutOfMemory};
    }
}

namespace {

// Seconds of samples the block holds, as the writer would take them from its
// first named channel; -1 when the block or its rate cannot be read.
// What the timeline needs beyond the span: the names a conversion would
// write (no gains, no event: a listing of thousands reads only these) and
// the seconds of samples the block holds, as the writer would take them from
// the first named channel; -1 when the block or its rate cannot be read.
void ReadChannelsAndLength(platform::IniFile& header, RecordingEntry& entry) {
    const engine::StreamHeader stream = engine::ReadStreamHeader(header);
    entry.recordSeconds = stream.recordSeconds;
    const std::vector<std::int32_t> numbers =
        engine::ListedChannels(stream.channelList, stream.channelCount);
    std::int32_t position = -1;
    for (std::size_t p = 0; p < numbers.size(); ++p) {
        std::string name = engine::ReadChannelName(header, numbers[p]);
        if (name.empty()) continue;
        if (position < 0) position = static_cast<std::int32_t>(p);
        entry.channels.push_back(std::move(name));
    }
    const std::optional<engine::DataBlock> block =
        engine::LocateDataBlock(header, stream.dataOffset);
    if (!block) return;
    std::uint8_t first[engine::kRecordHeaderSize] = {};
    const auto head =
        static_cast<std::size_t>(std::min<std::int64_t>(block->size(), engine::kRecordHeaderSize));
    block->Read(0, first, head);
    const double rate = engine::TraceRate(first, static_cast<std::int64_t>(head));
    const engine::RecordLayout layout =
        engine::ComputeRecordLayout(rate, block->size(), stream.recordSeconds, stream.channelCount);
    if (!(layout.rate > 0)) return;
    entry.samplesSeconds = static_cast<double>(engine::ChannelSampleCount(layout, block->size(),
                                                                          std::max(position, 0))) /
                           layout.rate;
}

LeftOutEntry::Reason ReasonOf(engine::SourceRecording::Verdict verdict) {
    using Verdict = engine::SourceRecording::Verdict;
    switch (verdict) {
        case Verdict::NotRegular:
            return LeftOutEntry::Reason::NotAFile;
        case Verdict::OtherStation:
            return LeftOutEntry::Reason::OtherStation;
        case Verdict::NoSpan:
            return LeftOutEntry::Reason::NoStart;
        case Verdict::NoStation:
        case Verdict::Recording:
            break;
    }
    return LeftOutEntry::Reason::NotARecording;
}

}  // namespace

std::optional<StationListing> ListStationRecordings(const std::string& dir,
                                                    const std::string& station, bool (*stop)(void*),
                                                    void* stopContext) {
    const auto stopped = [&] { return stop && stop(stopContext); };
    const std::optional<std::vector<engine::SourceEntry>> entries =
        engine::ListSourceDirectory(dir, stopped);
    if (!entries) return std::nullopt;
    StationListing out;
    for (const engine::SourceEntry& entry : *entries) {
        if (stopped()) break;
        const engine::SourceRecording found = engine::ExamineSourceEntry(dir, entry, station);
        if (found.verdict != engine::SourceRecording::Verdict::Recording) {
            LeftOutEntry left{entry.name, ReasonOf(found.verdict), 0};
            if (found.header && found.header->source() != platform::IniFile::Source::Readable) {
                left.reason = LeftOutEntry::Reason::Unreadable;
                left.error = found.header->openError();
            }
            out.leftOut.push_back(std::move(left));
            continue;
        }
        RecordingEntry listed;
        listed.name = entry.name;
        listed.path = found.path;
        listed.start = found.span.start;
        listed.dataSeconds = found.span.dataSeconds;
        ReadChannelsAndLength(*found.header, listed);
        out.recordings.push_back(std::move(listed));
    }
    return out;
}

}  // namespace plot
