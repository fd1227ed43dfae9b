// The 512-byte text header of a TVX 4.0 trace file.
#include "formats/tvx/tvx_header.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "formats/date_time.h"

namespace {

// Seconds truncated toward zero, never rounded; the date stays zero where the
// conversion cannot place one.
platform::CalendarFields ClockOf(double t) {
    platform::CalendarFields c{0, 0, 0, 0, 0, 0};
    CalendarFromEpoch(t, c);
    return c;
}

}  // namespace

void BuildTraceHeader(char (&block)[kTraceHeaderSize], const std::string& station,
                      const std::string& channel, double start, double duration, double rate) {
    std::memset(block, ' ', sizeof block);
    const platform::CalendarFields begin = ClockOf(start);
    // A duration of a day or more keeps only its time of day.
    const platform::CalendarFields length = ClockOf(duration);
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
                  begin.hour, begin.minute, begin.second, begin.day, begin.month, begin.year,
                  length.hour, length.minute, length.second, rate, station.c_str(),
                  channel.c_str());
}
