// The time window of a batch run: the command line's --start, --duration,
// --end and --since over kelvaron.ini's TIME and TIMEQTY.
#pragma once

#include <string>

#include "cli/batch_options.h"
#include "platform/calendar_text.h"
#include "platform/kelvaron_settings.h"

namespace cli {

struct BatchWindow {
    platform::CalendarFields start;
    std::string duration;      // DDD hh:mm:ss, as the duration field holds it
    double lengthSeconds = 0;  // what duration says, in seconds
};

struct ResolvedWindow {
    BatchWindow window;
    std::string usageError;    // not empty: a text that matches none of its forms
    bool invalidTime = false;  // a start or end of the right form but no such time
};

// now: the recorder's clock at this moment (LocalWallClockNow()).
ResolvedWindow ResolveBatchWindow(const BatchOptions& options,
                                  const platform::KelvaronSettings& settings,
                                  const platform::CalendarFields& now);

// sync --from: a moment in any form --start takes.
struct ResolvedMoment {
    platform::CalendarFields moment;
    std::string usageError;
    bool invalidTime = false;
};
ResolvedMoment ResolveSyncFrom(const std::string& text, const platform::CalendarFields& now);

// The machine's local wall-clock time as calendar fields, read without zone
// arithmetic: recorders keep local time and their headers carry no zone.
platform::CalendarFields LocalWallClockNow();

}  // namespace cli
