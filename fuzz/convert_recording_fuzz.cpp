// libFuzzer target: one input is one whole recorder file, handed over as
// bytes (no file is written or opened). It goes through the
// header lookups, the station, stream, channel and event decisions, the data
// block read and the sample extraction and trace header of every channel that
// ConvertRecording hands on, once with the channel list filter off and once on.
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "engine/convert_recording.h"
#include "engine/recording_outputs.h"
#include "formats/date_time.h"
#include "formats/recorder/record_layout.h"
#include "formats/recorder/recorder_header.h"
#include "formats/recorder/recorder_text.h"
#include "formats/trace_making.h"

namespace {

const double kEarliestStart = EpochFromCalendar(1899, 12, 31, 0, 0, 0.0f);
const double kLatestStart = EpochFromCalendar(2101, 1, 1, 0, 0, 0.0f);

class FuzzOutputs : public engine::RecordingOutputs {
public:
    void RegisterEvent(const std::string&, double time) override {
        if (!(time >= kEarliestStart && time < kLatestStart)) std::abort();
    }
    std::unique_ptr<engine::RecordingTraces> WriteTraces(
        const engine::DataBlock& block, const std::vector<engine::ChannelTrace>& traces,
        const std::function<bool()>& stop) override {
        return engine::TracesInMemory(block, traces, stop, [](const engine::ChannelTrace& trace) {
            const std::uint8_t* data = trace.data;
            const std::int64_t dataSize = trace.dataSize;
            if (dataSize < 0 || (dataSize > 0 && !data)) std::abort();
            // The whole block must be readable: ASan reports a block shorter than its size.
            if (dataSize > 0 && data[0] + data[dataSize - 1] == 1000) std::abort();
            // No trace of a header no recorder writes: a start on a recorder's
            // clock (00.01.1900 to 31.12.2100), a positive rate, plain names.
            if (!(trace.start >= kEarliestStart && trace.start < kLatestStart)) std::abort();
            if (HasDeceptiveCharacters(trace.station) || HasDeceptiveCharacters(trace.channel))
                std::abort();
            if (!(engine::TraceRate(data, dataSize) > 0)) std::abort();
            // What the writer does in memory before it touches the disk.
            const engine::MadeTrace made =
                engine::MakeTrace(data, dataSize,
                                  {trace.station, trace.channel, trace.start, trace.channelPosition,
                                   trace.recordSeconds, trace.channelCount});
            // The count a streaming writer puts in the header first is the count it takes.
            if (made.shape.sampleCount != static_cast<std::int64_t>(made.samples.size()))
                std::abort();
            return engine::WrittenTrace{};
        });
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FuzzOutputs outputs;
    for (const std::vector<std::string>& channels :
         {std::vector<std::string>{}, std::vector<std::string>{"SHZ", "SHN", "", "SHE", "BHZ"}}) {
        // The channel list alternates ticked and unticked items.
        engine::RunRequest request;
        for (std::size_t i = 0; i < channels.size(); ++i)
            request.channels.push_back({channels[i], i % 2 == 0});
        bench::SilentFrontEnd front;
        engine::RunContext run(request, front, outputs, {});
        platform::IniFile header("fuzz-input", bytes);
        // As a file run does: the file's own name is the station.
        engine::ConvertRecording(engine::ReadStationName(header), header, run);
    }
    return 0;
}
