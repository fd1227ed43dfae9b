// libFuzzer target: one input is one whole recorder file, handed over as
// bytes (no file is written or opened). It goes through the
// header lookups, the station, stream, channel and event decisions, the data
// block read and the sample extraction and trace header of every channel that
// ConvertRecording hands on, once with the channel list filter off and once on.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "engine/convert_recording.h"
#include "engine/recorder_header.h"
#include "engine/recording_outputs.h"
#include "engine/trace_layout.h"
#include "engine/trace_writer.h"

namespace {

// The channel list alternates ticked and unticked items.
class FuzzFrontEnd : public bench::SilentFrontEnd {
public:
    explicit FuzzFrontEnd(std::vector<std::string> channels) : channels_(std::move(channels)) {}
    int ChannelItemCount() override { return static_cast<int>(channels_.size()); }
    bool IsChannelItemChecked(int item) override { return item % 2 == 0; }
    std::string ChannelItemText(int item) override {
        return channels_.at(static_cast<std::size_t>(item));
    }

private:
    std::vector<std::string> channels_;
};

class FuzzOutputs : public engine::RecordingOutputs {
public:
    void RegisterEvent(const std::string&, double) override {}
    void WriteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                           const std::string& channel, const std::string& station,
                           std::int32_t channelPosition, std::int32_t recordSeconds,
                           std::int32_t channelCount, std::int32_t gainFactor) override {
        if (dataSize < 0 || (dataSize > 0 && !data)) std::abort();
        // The whole block must be readable: ASan reports a block shorter than its size.
        if (dataSize > 0 && data[0] + data[dataSize - 1] == 1000) std::abort();
        (void)gainFactor;
        // What the writer does in memory before it touches the disk.
        const double rate = engine::TraceRate(data, dataSize);
        const engine::RecordLayout layout =
            engine::ComputeRecordLayout(rate, dataSize, recordSeconds, channelCount);
        const std::vector<std::int16_t> samples =
            engine::ExtractChannelSamples(data, dataSize, layout, channelPosition);
        char block[kTraceHeaderSize];
        BuildTraceHeader(block, station, channel, start, samples.size() / rate, rate);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FuzzOutputs outputs;
    for (const std::vector<std::string>& channels :
         {std::vector<std::string>{}, std::vector<std::string>{"SHZ", "SHN", "", "SHE", "BHZ"}}) {
        FuzzFrontEnd front(channels);
        platform::IniFile header("fuzz-input", bytes);
        // As a file run does: the file's own name is the station.
        engine::ConvertRecording(engine::ReadStationName(header), header, front, outputs);
    }
    return 0;
}
