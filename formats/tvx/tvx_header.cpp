// The 512-byte text header of a TVX 4.0 trace file.
#include "formats/tvx/tvx_header.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "formats/date_time.h"

namespace {

struct Clock {
    std::int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
    float seconds = 0;
    // Truncated toward zero, never rounded.
    int wholeSeconds() const { return static_cast<int>(std::trunc(seconds)); }
};

// Fields stay zero where the conversion cannot place a date.
Clock ClockOf(double t) {
    Clock c;
    CalendarFromEpoch(t, c.year, c.month, c.day, c.hour, c.minute, c.seconds);
    return c;
}

}  // namespace

void BuildTraceHeader(char (&block)[kTraceHeaderSize], const std::string& station,
                      const std::string& channel, double start, double duration, double rate) {
    std::memset(block, ' ', sizeof block);
    const Clock begin = ClockOf(start);
    // A duration of a day or more keeps only its time of day.
    const Clock length = ClockOf(duration);
    // One NUL-terminated text: the zero byte after the last CR LF stays in
    // the block, the spaces after it are the padding.
    std::snprintf(block, sizeof block,
                  "[TVX4.0]\r\n"
                  "Data offset=512\r\n"
                  "Start time=%02d %02d %02d\r\n"
                  "Start date=%02d %02d %04d\r\n"
                  "Time duration=%02d %02d %02d\r\n"
                  "Data Type=SHORT\r\n"
                  "SpS=%lf\r\n"
                  "Gain=1\r\n"
                  "Station=%s\r\n"
                  "Channel=%s\r\n",
                  begin.hour, begin.minute, begin.wholeSeconds(), begin.day, begin.month,
                  begin.year, length.hour, length.minute, length.wholeSeconds(), rate,
                  station.c_str(), channel.c_str());
}
