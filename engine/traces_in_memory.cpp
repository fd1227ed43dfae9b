#include <algorithm>

#include "engine/recording_outputs.h"

namespace engine {

namespace {

constexpr std::size_t kPiece = 8 << 20;

class InMemory final : public RecordingTraces {
public:
    InMemory(std::vector<std::uint8_t> bytes, const std::vector<ChannelTrace>& traces,
             std::function<WrittenTrace(const ChannelTrace&)> finish)
        : bytes_(std::move(bytes)), traces_(traces), finish_(std::move(finish)) {
        for (ChannelTrace& trace : traces_) {
            trace.data = bytes_.data();
            trace.dataSize = static_cast<std::int64_t>(bytes_.size());
        }
    }
    WrittenTrace Finish(std::size_t i) override { return finish_(traces_.at(i)); }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<ChannelTrace> traces_;
    std::function<WrittenTrace(const ChannelTrace&)> finish_;
};

}  // namespace

std::unique_ptr<RecordingTraces> TracesInMemory(
    const DataBlock& block, const std::vector<ChannelTrace>& traces,
    const std::function<bool()>& stop, std::function<WrittenTrace(const ChannelTrace&)> finish) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(block.size()));
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        if (stop && stop()) return nullptr;
        block.Read(static_cast<std::int64_t>(at), bytes.data() + at,
                   std::min(kPiece, bytes.size() - at));
    }
    return std::make_unique<InMemory>(std::move(bytes), traces, std::move(finish));
}

}  // namespace engine
