#include "formats/recorder/recording.h"

namespace engine {

Recording ReadRecording(platform::IniFile& header) {
    Recording r;
    r.station = ReadStationName(header);
    if (r.station.empty()) return r;
    r.span = ReadRecordingSpan(header);
    if (!r.span) return r;
    r.stream = ReadStreamHeader(header);
    // The list holds at most 64 items, so N_CH cannot make the walk long.
    const std::vector<std::int32_t> numbers =
        ListedChannels(r.stream.channelList, r.stream.channelCount);
    for (std::size_t p = 0; p < numbers.size(); ++p) {
        RecordingChannel channel;
        channel.number = numbers[p];
        channel.position = static_cast<std::int32_t>(p);
        channel.name = ReadChannelName(header, numbers[p]);
        // An unnamed channel is never written, so its group is not looked up.
        if (!channel.name.empty()) channel.gainFactor = ChannelGainFactor(numbers[p], header);
        r.channels.push_back(std::move(channel));
    }
    if (r.stream.trigger) r.eventTime = ReadEventTime(header);
    return r;
}

}  // namespace engine
