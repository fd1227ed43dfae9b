#include "plot/recording_source.h"

#include <cstdio>
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
#include "formats/recorder/recorder_header.h"
#include "formats/recorder/recorder_text.h"
#include "platform/ini_file.h"

namespace plot {

namespace {

constexpr std::size_t kTraceHeaderBytes = 512;
constexpr char kTraceMagic[] = "[TVX4.0]";

bool StartsWithTraceMagic(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[sizeof kTraceMagic - 1] = {};
    in.read(head, sizeof head);
    return in.gcount() == static_cast<std::streamsize>(sizeof head) &&
           std::memcmp(head, kTraceMagic, sizeof head) == 0;
}

// The value of a "Key=value" line of a trace header, "" when absent.
std::string TraceValue(const std::string& header, const char* key) {
    const std::string prefix = std::string(key) + "=";
    std::size_t pos = 0;
    while (pos < header.size()) {
        std::size_t end = header.find("\r\n", pos);
        if (end == std::string::npos) end = header.size();
        if (header.compare(pos, prefix.size(), prefix) == 0)
            return header.substr(pos + prefix.size(), end - pos - prefix.size());
        pos = end + 2;
    }
    return {};
}

LoadResult LoadTraceFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) return {std::nullopt, LoadFailure::CannotOpen};
    std::string header = bytes.substr(0, std::min(bytes.size(), kTraceHeaderBytes));
    header.resize(std::strlen(header.c_str()));  // the text ends at its zero byte

    PlotRecording r;
    r.path = path;
    r.traceFile = true;
    r.station = TraceValue(header, "Station");
    if (r.station.empty()) return {std::nullopt, LoadFailure::NoStation};
    int hour = 0, minute = 0, second = 0, day = 0, month = 0, year = 0;
    if (std::sscanf(TraceValue(header, "Start time").c_str(), "%d %d %d", &hour, &minute,
                    &second) != 3 ||
        std::sscanf(TraceValue(header, "Start date").c_str(), "%d %d %d", &day, &month, &year) != 3)
        return {std::nullopt, LoadFailure::NoStartTime};
    r.start = EpochFromCalendar(year, month, day, hour, minute, static_cast<float>(second));
    r.rate = std::atof(TraceValue(header, "SpS").c_str());
    const std::int64_t offset = engine::AtoiLike64(TraceValue(header, "Data offset"));
    if (offset < 0 || offset > static_cast<std::int64_t>(bytes.size()))
        return {std::nullopt, LoadFailure::BadDataOffset};

    PlotChannel channel;
    channel.name = TraceValue(header, "Channel");
    const std::size_t count = (bytes.size() - static_cast<std::size_t>(offset)) / 2;
    channel.samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto lo = static_cast<unsigned char>(bytes[offset + 2 * i]);
        const auto hi = static_cast<unsigned char>(bytes[offset + 2 * i + 1]);
        channel.samples[i] = static_cast<std::int16_t>(lo | (hi << 8));
    }
    r.dataSeconds = r.rate > 0 ? static_cast<std::int32_t>(count / r.rate) : 0;
    r.channels.push_back(std::move(channel));
    return {std::move(r), LoadFailure::None};
}

LoadResult LoadRecorderFile(const std::string& path) {
    platform::IniFile header(path);
    PlotRecording r;
    r.path = path;
    r.station = engine::ReadStationName(header);
    if (r.station.empty()) {
        std::ifstream probe(path, std::ios::binary);
        return {std::nullopt, probe ? LoadFailure::NoStation : LoadFailure::CannotOpen};
    }
    const std::optional<engine::RecordingSpan> span = engine::ReadRecordingSpan(header);
    if (!span) return {std::nullopt, LoadFailure::NoStartTime};
    r.start = span->start;
    r.dataSeconds = span->dataSeconds;
    const engine::StreamHeader stream = engine::ReadStreamHeader(header);
    r.trigger = stream.trigger;
    if (stream.trigger) r.eventTime = engine::ReadEventTime(header);

    const std::optional<engine::DataBlock> block = engine::ReadDataBlock(header, stream.dataOffset);
    if (!block) return {std::nullopt, LoadFailure::BadDataOffset};
    // The writer's arithmetic and extraction, so that the picture shows the
    // samples exactly as the trace files will hold them.
    const engine::RecordLayout layout =
        engine::ComputeRecordLayout(engine::TraceRate(block->bytes, block->size), block->size,
                                    stream.recordSeconds, stream.channelCount);
    r.rate = layout.rate;
    const std::vector<std::int32_t> numbers =
        engine::ListedChannels(stream.channelList, stream.channelCount);
    for (std::size_t p = 0; p < numbers.size(); ++p) {
        PlotChannel channel;
        channel.name = engine::ReadChannelName(header, numbers[p]);
        if (channel.name.empty()) continue;  // not converted, but it keeps its place
        channel.number = numbers[p];
        channel.gainFactor = ChannelGainFactor(numbers[p], header);
        channel.samples = engine::ExtractChannelSamples(block->bytes, block->size, layout,
                                                        static_cast<std::int32_t>(p));
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

std::optional<std::vector<RecordingEntry>> ListStationRecordings(const std::string& dir,
                                                                 const std::string& station,
                                                                 bool (*stop)(void*),
                                                                 void* stopContext) {
    const auto stopped = [&] { return stop && stop(stopContext); };
    const std::optional<std::vector<engine::SourceEntry>> entries =
        engine::ListSourceDirectory(dir, stopped);
    if (!entries) return std::nullopt;
    std::vector<RecordingEntry> out;
    for (const engine::SourceEntry& entry : *entries) {
        if (stopped()) break;
        const engine::SourceRecording found = engine::ExamineSourceEntry(dir, entry, station);
        if (found.verdict != engine::SourceRecording::Verdict::Recording) continue;
        out.push_back({entry.name, found.path, found.span.start, found.span.dataSeconds});
    }
    return out;
}

}  // namespace plot
