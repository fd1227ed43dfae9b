// The name of the machine this process runs on, as the record of recordings
// and the names of temporaries identify a converter.
#pragma once

#include <string>

namespace platform {

// gethostname(), or "localhost" when it gives nothing.
std::string HostName();

// "host:pid": this process among the converters that share a catalogue.
std::string ProcessIdentity();

}  // namespace platform
