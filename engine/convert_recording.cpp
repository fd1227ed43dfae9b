#include "engine/convert_recording.h"

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/data_block.h"
#include "engine/recorder_header.h"
#include "engine/recorder_messages.h"
#include "engine/run_control.h"
#include "engine/trace_layout.h"
#include "engine/trace_writer.h"
#include "platform/text_encoding.h"

namespace engine {
namespace {

// The channel list's column-0 texts are read into a 16-byte buffer.
constexpr std::size_t kChannelItemChars = 15;

struct ChannelItem {
    bool checked;
    std::string text;
};

// The list cannot change during a run (it is locked), so one read serves the file.
std::vector<ChannelItem> ReadChannelItems(FrontEnd& dialog) {
    std::vector<ChannelItem> items;
    const int count = dialog.ChannelItemCount();
    for (int i = 0; i < count; ++i) {
        std::string text = platform::CutText8(dialog.ChannelItemText(i), kChannelItemChars);
        items.push_back({dialog.IsChannelItemChecked(i), std::move(text)});
    }
    return items;
}

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

void ShowRefusal(FrontEnd& dialog, const std::string& text) {
    dialog.ShowMessage(text, kRecorderErrorCaption, platform::MessageIcon::Error);
}

class ChannelDispatch {
public:
    ChannelDispatch(platform::IniFile& header, const std::string& station, double start,
                    const StreamHeader& stream, const DataBlock& block, bool incomplete,
                    FrontEnd& dialog, RecordingOutputs& outputs)
        : header_(header),
          station_(station),
          start_(start),
          stream_(stream),
          block_(block),
          incomplete_(incomplete),
          dialog_(dialog),
          outputs_(outputs) {}

    // False when a stop request ends the walk.
    bool Write(const std::string& channelName, std::int32_t channel, std::int32_t position) {
        if (StopRequested()) return false;
        const std::int32_t gain = ChannelGainFactor(channel, header_);
        try {
            if (!incomplete_) {
                outputs_.WriteChannelTrace(block_.bytes, block_.size, start_, channelName, station_,
                                           position, stream_.recordSeconds, stream_.channelCount,
                                           gain);
            } else if (!outputs_.WriteIncompleteChannelTrace(
                           block_.bytes, block_.size, start_, channelName, station_, position,
                           stream_.recordSeconds, stream_.channelCount, gain)) {
                ShowRefusal(dialog_, IncompleteRecordingMessage(header_.path(), channelName));
                return true;
            }
            ++written_;
        } catch (const TraceFileError& e) {
            dialog_.ShowMessage(e.what(), platform::kApplicationTitle,
                                platform::MessageIcon::Error);
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
    FrontEnd& dialog_;
    RecordingOutputs& outputs_;
    int written_ = 0;
};

}  // namespace

int ConvertRecording(const std::string& station, platform::IniFile& header, FrontEnd& dialog,
                     RecordingOutputs& outputs) {
    const std::string name = ReadStationName(header);
    if (name.empty() || name != station) return 0;
    const std::optional<RecordingSpan> span = ReadRecordingSpan(header);
    if (!span) return 0;
    // A time that is no number (TIME_INT=05:15:nan) cannot be stored or placed.
    if (!std::isfinite(span->start)) {
        ShowRefusal(dialog, NonFiniteStartMessage(header.path()));
        return 0;
    }
    const StreamHeader stream = ReadStreamHeader(header);
    // The list holds at most 64 items, so N_CH cannot make the walk long.
    const std::vector<std::int32_t> channels =
        ListedChannels(stream.channelList, stream.channelCount);

    const std::vector<ChannelItem> items = ReadChannelItems(dialog);
    const bool filter = !items.empty();
    if (filter && (stream.channelCount < 1 || !AnyChannelTicked(header, channels, items))) return 0;

    if (stream.trigger) {
        if (const std::optional<double> eventTime = ReadEventTime(header)) {
            if (!std::isfinite(*eventTime)) {
                ShowRefusal(dialog, NonFiniteEventMessage(header.path()));
                return 0;
            }
            outputs.RegisterEvent(name, *eventTime);
        }
    }

    const std::optional<DataBlock> block = ReadDataBlock(header, stream.dataOffset);
    if (!block) return 0;

    ChannelDispatch dispatch(header, station, span->start, stream, *block,
                             IsIncomplete(*block, stream, span->dataSeconds), dialog, outputs);
    for (std::size_t p = 0; p < channels.size(); ++p) {
        const std::int32_t k = channels[p];
        const std::string channelName = ReadChannelName(header, k);
        if (channelName.empty()) continue;
        bool go = true;
        if (filter) {
            // A name ticked in two items is converted twice. The item's text
            // is this name, perhaps in the catalogue's encoding: the trace
            // keeps the recording's own bytes.
            for (const ChannelItem& item : items)
                if (go && Matches(item, channelName))
                    go = dispatch.Write(channelName, k, static_cast<std::int32_t>(p));
        } else {
            go = dispatch.Write(channelName, k, static_cast<std::int32_t>(p));
        }
        if (!go) break;
    }
    dialog.RecordingConverted(header.path(), block->size, dispatch.written());
    return 1;
}

}  // namespace engine
