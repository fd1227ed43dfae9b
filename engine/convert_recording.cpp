#include "engine/convert_recording.h"

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "archive/trace_writer.h"
#include "formats/recorder/data_block.h"
#include "formats/recorder/record_layout.h"
#include "formats/recorder/recorder_header.h"
#include "formats/recorder/recorder_messages.h"
#include "platform/operator_texts.h"
#include "platform/text_encoding.h"

namespace engine {
namespace {

// The list shows the catalogue's names (UTF-8); the header may hold the same
// name in code page 1251: both are compared as the one rule reads them.
bool Matches(const ChannelItem& item, const std::string& name) {
    return item.checked && !item.text.empty() &&
           platform::Text8ToUtf8(item.text) == platform::Text8ToUtf8(name);
}

bool AnyChannelTicked(platform::IniFile& header, const std::vector<std::int32_t>& channels,
                      const std::vector<ChannelItem>& items) {
    for (std::int32_t k : channels) {
        const std::string name = ReadChannelName(header, k);
        if (name.empty()) continue;
        for (const ChannelItem& item : items)
            if (Matches(item, name)) return true;
    }
    return false;
}

// A block with fewer whole records than DATA_SEC / REC_SIZE_SEC announce: a
// copy that stopped short, or a recording still being written.
bool IsIncomplete(const DataBlock& block, const StreamHeader& stream, std::int32_t dataSeconds) {
    if (stream.recordSeconds <= 0 || dataSeconds <= 0) return false;
    const RecordLayout layout = ComputeRecordLayout(TraceRate(block.bytes, block.size), block.size,
                                                    stream.recordSeconds, stream.channelCount);
    return layout.recordCount < dataSeconds / stream.recordSeconds;
}

void ShowRefusal(RunContext& run, const std::string& text) {
    RunMessage message;
    message.text = text;
    message.caption = kRecorderErrorCaption;
    run.observer.ShowMessage(message);
}

class ChannelDispatch {
public:
    ChannelDispatch(platform::IniFile& header, const std::string& station, double start,
                    const StreamHeader& stream, const DataBlock& block, bool incomplete,
                    RunContext& run)
        : header_(header),
          station_(station),
          start_(start),
          stream_(stream),
          block_(block),
          incomplete_(incomplete),
          run_(run) {}

    // False when a stop request ends the walk.
    bool Write(const std::string& channelName, std::int32_t channel, std::int32_t position) {
        if (run_.StopRequested()) return false;
        ChannelTrace trace;
        trace.data = block_.bytes;
        trace.dataSize = block_.size;
        trace.start = start_;
        trace.channel = channelName;
        trace.station = station_;
        trace.channelPosition = position;
        trace.recordSeconds = stream_.recordSeconds;
        trace.channelCount = stream_.channelCount;
        trace.gainFactor = ChannelGainFactor(channel, header_);
        trace.settings = run_.TraceSettingsFor(station_);
        try {
            trace.keepLongerTrace = incomplete_;
            const WrittenTrace written = run_.outputs.WriteChannelTrace(trace);
            if (written.keptExisting) {
                ShowRefusal(run_, IncompleteRecordingMessage(header_.path(), channelName));
                return true;
            }
            ++written_;
            ++run_.summary.traces;
            run_.summary.bytesOut += written.bytes;
            run_.lastTraceFailed = false;
            run_.observer.TraceWritten(written.catalogPath);
        } catch (const TraceFileError& e) {
            ++run_.summary.traceFailures;
            RunMessage message;
            message.text = e.what();
            message.detail = platform::texts::RecordingDetail(station_, header_.path());
            message.caption = platform::kApplicationTitle;
            message.repeated = run_.lastTraceFailed;
            run_.lastTraceFailed = true;
            run_.observer.ShowMessage(message);
        }
        return true;
    }
    int written() const { return written_; }

private:
    platform::IniFile& header_;
    const std::string& station_;
    double start_;
    const StreamHeader& stream_;
    const DataBlock& block_;
    bool incomplete_;
    RunContext& run_;
    int written_ = 0;
};

}  // namespace

RecordingOutcome ConvertRecording(const std::string& station, platform::IniFile& header,
                                  RunContext& run) {
    const std::string name = ReadStationName(header);
    if (name.empty()) return {false, SkipReason::NoNameDateTime};
    if (name != station) return {false, SkipReason::OtherStation};
    const std::optional<RecordingSpan> span = ReadRecordingSpan(header);
    if (!span) return {false, SkipReason::NoNameDateTime};
    // A time that is no number (TIME_INT=05:15:nan) cannot be stored or placed.
    if (!std::isfinite(span->start)) {
        ShowRefusal(run, NonFiniteStartMessage(header.path()));
        return {false, SkipReason::NoNameDateTime};
    }
    const StreamHeader stream = ReadStreamHeader(header);
    // The list holds at most 64 items, so N_CH cannot make the walk long.
    const std::vector<std::int32_t> channels =
        ListedChannels(stream.channelList, stream.channelCount);

    const std::vector<ChannelItem>& items = run.channels;
    const bool filter = !items.empty();
    if (filter && (stream.channelCount < 1 || !AnyChannelTicked(header, channels, items)))
        return {false, SkipReason::NoTickedChannel};

    if (stream.trigger) {
        if (const std::optional<double> eventTime = ReadEventTime(header)) {
            if (!std::isfinite(*eventTime)) {
                ShowRefusal(run, NonFiniteEventMessage(header.path()));
                return {false, SkipReason::NoNameDateTime};
            }
            run.outputs.RegisterEvent(name, *eventTime);
        }
    }

    const std::optional<DataBlock> block =
        ReadDataBlock(header, stream.dataOffset, [&run] { return run.StopRequested(); });
    if (!block) return {false, SkipReason::Unreadable};
    run.summary.bytesIn += block->size;

    ChannelDispatch dispatch(header, station, span->start, stream, *block,
                             IsIncomplete(*block, stream, span->dataSeconds), run);
    for (std::size_t p = 0; p < channels.size(); ++p) {
        const std::int32_t k = channels[p];
        const std::string channelName = ReadChannelName(header, k);
        if (channelName.empty()) continue;
        bool go = true;
        if (filter) {
            // A name ticked in two items is converted twice. The item's text
            // is this name, perhaps in the catalogue's encoding: the trace
            // keeps the recording's own bytes.
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (!go || !Matches(items[i], channelName)) continue;
                run.itemCarried[i] = true;
                go = dispatch.Write(channelName, k, static_cast<std::int32_t>(p));
            }
        } else {
            go = dispatch.Write(channelName, k, static_cast<std::int32_t>(p));
        }
        if (!go) break;
    }
    run.observer.RecordingConverted(header.path(), dispatch.written());
    return {true, SkipReason::Unreadable};
}

}  // namespace engine
