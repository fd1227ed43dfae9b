#include "engine/convert_recording.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "archive/trace_errors.h"
#include "formats/recorder/data_block.h"
#include "formats/recorder/record_layout.h"
#include "formats/recorder/recorder_messages.h"
#include "formats/recorder/recorder_text.h"
#include "formats/recorder/recording.h"
#include "formats/trace_making.h"
#include "platform/operator_texts.h"
#include "platform/station_order.h"
#include "platform/text_encoding.h"

namespace engine {
namespace {

// The list shows the catalogue's names (UTF-8); the header may hold the same
// name in code page 1251: both are compared as the one rule reads them.
bool Matches(const ChannelItem& item, const std::string& name) {
    return item.checked && !item.text.empty() &&
           platform::Text8ToUtf8(item.text) == platform::Text8ToUtf8(name);
}

bool AnyChannelTicked(const Recording& recording, const std::vector<ChannelItem>& items) {
    for (const RecordingChannel& channel : recording.channels) {
        if (channel.name.empty()) continue;
        for (const ChannelItem& item : items)
            if (Matches(item, channel.name)) return true;
    }
    return false;
}

// A block with fewer whole records than DATA_SEC / REC_SIZE_SEC announce: a
// copy that stopped short, or a recording still being written.
// The rate of the first record header, as the writer takes it.
double BlockRate(const DataBlock& block) {
    std::uint8_t head[kTraceHeadBytes];
    const std::int64_t headSize = std::min(block.size(), kTraceHeadBytes);
    block.Read(0, head, static_cast<std::size_t>(headSize));
    return TraceRate(head, headSize);
}

bool IsIncomplete(const DataBlock& block, const StreamHeader& stream, std::int32_t dataSeconds) {
    if (stream.recordSeconds <= 0 || dataSeconds <= 0) return false;
    const RecordLayout layout = ComputeRecordLayout(BlockRate(block), block.size(),
                                                    stream.recordSeconds, stream.channelCount);
    return layout.recordCount < dataSeconds / stream.recordSeconds;
}

// The names become directories and file names: any name of the recording.
bool HasDeceptiveNames(const Recording& recording) {
    if (HasDeceptiveCharacters(recording.station)) return true;
    for (const RecordingChannel& channel : recording.channels)
        if (HasDeceptiveCharacters(channel.name)) return true;
    return false;
}

void ShowRefusal(RunContext& run, const std::string& text) {
    RunMessage message;
    message.text = text;
    message.caption = kRecorderErrorCaption;
    run.observer.ShowMessage(message);
}

// The traces a recording's channels give, in the order they are written: a
// name ticked in two items is converted twice.
struct Dispatch {
    std::vector<ChannelTrace> traces;
    std::vector<std::optional<std::size_t>> items;  // the channel item each carries
};

Dispatch ChannelsToWrite(const Recording& recording, const std::string& station, bool incomplete,
                         const std::vector<ChannelItem>& items, const TraceSettings& settings) {
    Dispatch dispatch;
    for (const RecordingChannel& channel : recording.channels) {
        if (channel.name.empty()) continue;
        ChannelTrace trace;
        trace.start = recording.span->start;
        // The item's text is this name, perhaps in the catalogue's encoding:
        // the trace keeps the recording's own bytes.
        trace.channel = channel.name;
        trace.station = station;
        trace.channelPosition = channel.position;
        trace.recordSeconds = recording.stream.recordSeconds;
        trace.channelCount = recording.stream.channelCount;
        trace.gainFactor = channel.gainFactor;
        trace.keepLongerTrace = incomplete;
        trace.settings = settings;
        if (items.empty()) {
            dispatch.traces.push_back(trace);
            dispatch.items.emplace_back();
            continue;
        }
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!Matches(items[i], channel.name)) continue;
            dispatch.traces.push_back(trace);
            dispatch.items.emplace_back(i);
        }
    }
    return dispatch;
}

enum class TraceResult { Written, Failed, Stopped };

// The detail of a trace file's failure: the file's full path and the
// system's reason, then the recording it came from.
std::string TraceFailureDetail(const TraceFileError& e, const ChannelTrace& trace,
                               const std::string& path) {
    const std::string recording = platform::texts::RecordingDetail(trace.station, path);
    return e.detail().empty() ? recording : e.detail() + "; " + recording;
}

// Puts trace i in place and tells the run.
TraceResult Finish(RecordingTraces& written, std::size_t i, const ChannelTrace& trace,
                   const std::string& path, RunContext& run, RecordingOutcome& outcome) {
    if (run.StopRequested()) return TraceResult::Stopped;
    try {
        const WrittenTrace done = written.Finish(i);
        outcome.traces.push_back({trace.channel, done.catalogPath});
        if (done.keptExisting) {
            ShowRefusal(run, IncompleteRecordingMessage(path, trace.channel));
            return TraceResult::Written;
        }
        if (run.tracePaths.insert(done.catalogPath).second)
            ++run.summary.traces;
        else
            ++run.summary.tracesReplaced;
        run.summary.bytesOut += done.bytes;
        run.lastTraceFailed = false;
        run.observer.TraceWritten(done.catalogPath);
    } catch (const TraceFileError& e) {
        ++run.summary.traceFailures;
        if (outcome.failedTraces++ == 0) outcome.failure = e.what();
        RunMessage message;
        message.text = e.what();
        message.detail = TraceFailureDetail(e, trace, path);
        message.caption = platform::kApplicationTitle;
        message.repeated = run.lastTraceFailed;
        run.lastTraceFailed = true;
        run.observer.ShowMessage(message);
        return TraceResult::Failed;
    }
    return TraceResult::Written;
}

RecordingOutcome Skipped(SkipReason reason, std::optional<FileRefusal> refusal = std::nullopt) {
    RecordingOutcome outcome;
    outcome.reason = reason;
    outcome.refusal = refusal;
    return outcome;
}

// The traces' paths as a run would write them, and whether each is in the
// archive with its row; false when any is not (or none would be written).
bool AllInArchive(const Dispatch& dispatch, RunContext& run,
                  std::vector<catalog::RecordedTrace>& traces) {
    if (dispatch.traces.empty()) return false;
    try {
        for (const ChannelTrace& trace : dispatch.traces) {
            const TraceLocation location = PlanTraceFile(trace, trace.settings);
            if (!run.record.TraceInArchive(trace.station, trace.channel, trace.start,
                                           location.fullPath, location.catalogPath))
                return false;
            traces.push_back({trace.channel, location.catalogPath});
        }
    } catch (const TraceFileError&) {
        return false;  // the conversion names it
    }
    return true;
}

RecordingOutcome ConvertRead(const std::string& station, platform::IniFile& header,
                             const Recording& recording, RunContext& run) {
    if (recording.station.empty()) return Skipped(SkipReason::NoNameDateTime);
    if (!platform::SameStationText(recording.station, station))
        return Skipped(SkipReason::OtherStation);
    if (!recording.span) return Skipped(SkipReason::NoNameDateTime, FileRefusal::NoSpan);
    // A time that is no number (TIME_INT=05:15:nan) cannot be stored or placed.
    if (!std::isfinite(recording.span->start)) {
        ShowRefusal(run, NonFiniteStartMessage(header.path()));
        return Skipped(SkipReason::NoNameDateTime);
    }
    // Month 13 or hour 25 would be carried into a date no recorder wrote.
    if (!recording.span->possible) {
        ShowRefusal(run, ImpossibleStartMessage(header.path()));
        return Skipped(SkipReason::NoNameDateTime);
    }
    if (HasDeceptiveNames(recording)) {
        ShowRefusal(run, DeceptiveNamesMessage(header.path()));
        return Skipped(SkipReason::NoNameDateTime);
    }
    const StreamHeader& stream = recording.stream;

    const std::vector<ChannelItem>& items = run.channels;
    if (!items.empty() && (stream.channelCount < 1 || !AnyChannelTicked(recording, items)))
        return Skipped(SkipReason::NoTickedChannel, FileRefusal::NoTickedChannel);

    // The block is found before the event is registered, so that a rate no
    // recorder has refuses the file before anything is written.
    const std::optional<DataBlock> block = LocateDataBlock(header, stream.dataOffset);
    if (block) {
        const double rate = BlockRate(*block);
        if (!(rate > 0) || !std::isfinite(rate)) {
            ShowRefusal(run, ImpossibleSampleRateMessage(header.path()));
            return Skipped(SkipReason::NoNameDateTime);
        }
    }

    if (run.acceptArchived) {
        RecordingOutcome archived = Skipped(SkipReason::InArchive);
        const Dispatch planned =
            ChannelsToWrite(recording, station, false, items, run.TraceSettingsFor(station));
        if (AllInArchive(planned, run, archived.traces)) return archived;
    }

    if (recording.eventTime) {
        if (!std::isfinite(*recording.eventTime)) {
            ShowRefusal(run, NonFiniteEventMessage(header.path()));
            return Skipped(SkipReason::NoNameDateTime);
        }
        run.outputs.RegisterEvent(recording.station, *recording.eventTime);
    }

    if (!block) return Skipped(SkipReason::Unreadable, FileRefusal::DataOffsetOutside);
    const Dispatch dispatch = ChannelsToWrite(
        recording, station, IsIncomplete(*block, stream, recording.span->dataSeconds), items,
        run.TraceSettingsFor(station));
    // Every trace's samples are written as the records are read; each trace
    // is then put in place, its row written and its outcome told, in turn.
    const std::unique_ptr<RecordingTraces> written =
        run.outputs.WriteTraces(*block, dispatch.traces, [&run] { return run.StopRequested(); });
    if (!written) {
        if (run.StopRequested()) {
            RecordingOutcome stopped;
            stopped.stopped = true;
            return stopped;
        }
        return Skipped(SkipReason::Unreadable, FileRefusal::DataUnreadable);
    }
    run.summary.bytesIn += block->size();

    RecordingOutcome converted;
    int count = 0, failed = 0;
    bool stopped = false;
    for (std::size_t i = 0; i < dispatch.traces.size() && !stopped; ++i) {
        if (dispatch.items[i]) run.itemCarried[*dispatch.items[i]] = true;
        switch (Finish(*written, i, dispatch.traces[i], header.path(), run, converted)) {
            case TraceResult::Written:
                ++count;
                break;
            case TraceResult::Failed:
                ++failed;
                break;
            case TraceResult::Stopped:
                stopped = true;
                break;
        }
    }
    if (failed > 0 || stopped) {
        run.observer.RecordingNotConverted(header.path(), count, failed);
        converted.partly = count > 0;
        converted.failed = count == 0 && failed > 0;
        converted.stopped = count == 0 && failed == 0;
        return converted;
    }
    run.observer.RecordingConverted(header.path(), count);
    converted.converted = true;
    // N_CH <= 0, a missing stream section, or no channel number that names a
    // channel: the event stands and the block was read, but no trace came of
    // it, which a file run names.
    if (dispatch.traces.empty()) converted.refusal = FileRefusal::NoChannel;
    return converted;
}

}  // namespace

RecordingOutcome ConvertRecording(const std::string& station, platform::IniFile& header,
                                  RunContext& run) {
    const Recording recording = ReadRecording(header);
    RecordingOutcome outcome = ConvertRead(station, header, recording, run);
    if (recording.span && std::isfinite(recording.span->start)) {
        outcome.start = recording.span->start;
        outcome.spanSeconds = recording.span->dataSeconds;
    }
    return outcome;
}

}  // namespace engine
