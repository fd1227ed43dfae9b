#include "formats/recorder/recorder_header.h"

#include <limits>

#include "formats/recorder/recorder_text.h"

namespace {

constexpr int kGroupCount = 6;
constexpr int kGroupItemsLooked = 3;

}  // namespace

std::int32_t ChannelGainFactor(std::int32_t channel, platform::IniFile& header) {
    std::int32_t exponent = 0;
    for (int g = 1; g <= kGroupCount; ++g) {
        const std::string section = "GROUP" + std::to_string(g);
        const std::string list = header.GetString(section, "CH#", "", 127);
        if (list.empty()) continue;
        const std::string gain = header.GetString(section, "GAIN", "", 15);
        if (gain.empty()) continue;
        exponent = platform::AtoiLike(gain);
        for (std::int32_t item : engine::ListedChannels(list, kGroupItemsLooked))
            if (item == channel) return engine::GainFactorFromExponent(exponent);
    }
    return engine::GainFactorFromExponent(exponent);
}

namespace engine {

std::string ReadStationName(platform::IniFile& header) {
    return header.GetString("SYSTEM", "NAME", "", 31);
}

std::optional<RecordingSpan> ReadRecordingSpan(platform::IniFile& header) {
    const std::string date = header.GetString("FILE", "DATE_INT", "", 31);
    if (date.empty()) return std::nullopt;
    const std::string time = header.GetString("FILE", "TIME_INT", "", 31);
    if (time.empty()) return std::nullopt;
    RecordingSpan span;
    span.dataSeconds = platform::AtoiLike(header.GetString("FILE", "DATA_SEC", "", 31));
    span.start = ParseRecorderDate(date) + ParseRecorderTime(time);
    span.possible = IsPossibleRecorderDate(date) && IsPossibleRecorderTime(time);
    return span;
}

StreamHeader ReadStreamHeader(platform::IniFile& header) {
    StreamHeader stream;
    // 64-bit: the offset of a data block may lie beyond 2 GiB.
    stream.dataOffset = AtoiLike64(header.GetString("HEADER", "OFFSET_TO_DATA", "", 63));
    const int n = platform::AtoiLike(header.GetString("FILE", "STREAM", "", 31));
    const std::string section = "STREAM" + std::to_string(n);
    stream.channelCount = platform::AtoiLike(header.GetString(section, "N_CH", "", 63));
    stream.trigger = header.GetString(section, "TYPE", "", 63) == "TRIGGER";
    stream.recordSeconds = platform::AtoiLike(header.GetString(section, "REC_SIZE_SEC", "", 63));
    stream.channelList = header.GetString(section, "CH#", "", 127);
    return stream;
}

std::vector<std::int32_t> ListedChannels(std::string_view list, std::int64_t limit) {
    std::vector<std::int32_t> channels;
    std::size_t pos = 0;
    while (static_cast<std::int64_t>(channels.size()) < limit && pos < list.size())
        channels.push_back(NextListNumber(list, pos));
    return channels;
}

std::string ReadChannelName(platform::IniFile& header, std::int32_t channel) {
    return header.GetString("CH" + std::to_string(channel), "NAME", "", 31);
}

std::optional<double> ReadEventTime(platform::IniFile& header) {
    const std::string channel = header.GetString("EVENT", "CH#", "", 15);
    if (channel.empty()) return std::nullopt;
    const std::string j = std::to_string(platform::AtoiLike(channel));
    const std::string date = header.GetString("EVENT", "DATE_CH" + j, "", 63);
    const std::string time = header.GetString("EVENT", "TIME_CH" + j, "", 63);
    // Without both texts the time would be a date of year 0: register nothing.
    if (date.empty() || time.empty()) return std::nullopt;
    if (!IsPossibleRecorderDate(date) || !IsPossibleRecorderTime(time))
        return std::numeric_limits<double>::quiet_NaN();
    return ParseRecorderDate(date) + ParseRecorderTime(time);
}

}  // namespace engine
