// A recorder file's header, read once into a plain value: everything the
// converter, the viewer and the fuzz target decide on before the data block.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/recorder/recorder_header.h"
#include "platform/ini_file.h"

namespace engine {

struct RecordingChannel {
    std::int32_t number = 0;    // the CH# item
    std::int32_t position = 0;  // its place in CH#: the sample block it selects
    std::string name;           // NAME of "CH<number>"; empty: not converted, keeps its place
    std::int32_t gainFactor = 1;
};

struct Recording {
    std::string station;                     // SYSTEM/NAME
    std::optional<RecordingSpan> span;       // start and DATA_SEC
    StreamHeader stream;                     // data offset and the stream FILE/STREAM picks
    std::vector<RecordingChannel> channels;  // the first N_CH items of CH#
    std::optional<double> eventTime;         // of a triggered recording
};

// Reads as far as the header lets a conversion go: nothing after a missing
// station name or start, as the conversion refuses the file there.
Recording ReadRecording(platform::IniFile& header);

}  // namespace engine
