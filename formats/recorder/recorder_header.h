// The keys KELVARON reads from a recorder file's INI-syntax header. Every
// function takes the file's IniFile, so one open answers all lookups.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_file.h"

// Gain factor of a channel from the file's GROUP1..GROUP6 sections: 2 to the
// power GAIN of the group that lists it among its first three CH# items, else
// of the last group with both keys, else 1.
std::int32_t ChannelGainFactor(std::int32_t channel, platform::IniFile& header);

namespace engine {

// SYSTEM/NAME, at most 31 characters.
std::string ReadStationName(platform::IniFile& header);

// Start (epoch seconds) and DATA_SEC of a recording; nullopt when DATE_INT or
// TIME_INT is missing or empty.
struct RecordingSpan {
    double start = 0;
    std::int32_t dataSeconds = 0;
    bool possible = true;  // DATE_INT and TIME_INT within a recorder's bounds
};
std::optional<RecordingSpan> ReadRecordingSpan(platform::IniFile& header);

// The data offset and the stream section named by FILE/STREAM.
struct StreamHeader {
    std::int64_t dataOffset = 0;     // HEADER/OFFSET_TO_DATA
    std::int32_t channelCount = 0;   // N_CH
    bool trigger = false;            // TYPE is exactly "TRIGGER"
    std::int32_t recordSeconds = 0;  // REC_SIZE_SEC
    std::string channelList;         // CH#
};
StreamHeader ReadStreamHeader(platform::IniFile& header);

// The first `limit` channel numbers of a CH# list (fewer when it ends first).
std::vector<std::int32_t> ListedChannels(std::string_view list, std::int64_t limit);

// NAME of section "CH<channel>", at most 31 characters.
std::string ReadChannelName(platform::IniFile& header, std::int32_t channel);

// The trigger time of a triggered recording's EVENT section; nullopt when
// EVENT/CH# is empty, or when the named channel's date or time is missing;
// NaN when they are no recorder's date and time, so that the event is refused.
std::optional<double> ReadEventTime(platform::IniFile& header);

}  // namespace engine
