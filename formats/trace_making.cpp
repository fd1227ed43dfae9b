#include "formats/trace_making.h"

#include <algorithm>

namespace engine {

TraceShape ShapeTrace(const std::uint8_t* head, std::int64_t blockSize,
                      const TraceChannel& channel) {
    if (head == nullptr) blockSize = 0;
    blockSize = std::max<std::int64_t>(blockSize, 0);
    TraceShape shape;
    shape.layout = ComputeRecordLayout(TraceRate(head, std::min(blockSize, kTraceHeadBytes)),
                                       blockSize, channel.recordSeconds, channel.channelCount);
    shape.sampleCount = ChannelSampleCount(shape.layout, blockSize, channel.position);
    shape.duration =
        shape.sampleCount == 0 ? 0.0 : static_cast<double>(shape.sampleCount) / shape.layout.rate;
    BuildTraceHeader(shape.header, channel.station, channel.channel, channel.start, shape.duration,
                     shape.layout.rate);
    return shape;
}

MadeTrace MakeTrace(const std::uint8_t* data, std::int64_t size, const TraceChannel& channel) {
    MadeTrace trace;
    trace.shape = ShapeTrace(data, size, channel);
    if (data != nullptr && size > 0)
        trace.samples = ExtractChannelSamples(data, size, trace.shape.layout, channel.position);
    return trace;
}

}  // namespace engine
