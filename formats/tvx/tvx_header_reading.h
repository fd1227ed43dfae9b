// Reading back the 512-byte text header of a TVX 4.0 trace file: the exact
// shape the writer produces, from bytes, without opening anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "formats/tvx/trace_naming.h"

namespace engine {

struct TraceHeaderFields {
    TraceStart start;  // Start time= and Start date=
    std::int32_t durationHour = 0, durationMinute = 0, durationSecond = 0;
    std::string rateText;  // SpS= as printed
    double rate = 0;       // and as a number
    std::string station;   // bytes as written
    std::string channel;
};

// The fields of a header of exactly the writer's shape: the ten lines in
// order, each ended by CR LF, the fixed values as written, then one zero byte
// and spaces up to byte 511. nullopt for anything else, also for fewer than
// 512 bytes.
std::optional<TraceHeaderFields> ParseTraceHeader(const char* bytes, std::size_t size);

// "hh mm ss" of a duration the way the header's writer shows it (whole days
// dropped, seconds truncated).
struct DurationClock {
    std::int32_t hour = 0, minute = 0, second = 0;
    bool operator==(const DurationClock&) const = default;
};
DurationClock DurationClockOf(double seconds);

}  // namespace engine
