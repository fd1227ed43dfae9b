// The hidden temporary file a trace is written to before its rename, and how
// to tell one that its writer left behind for good.
//
// Name: ".kelvaron-HOST-PID-STARTTICKS-N.tmp". HOST and PID say whose it is;
// STARTTICKS (the process's start time since boot) tells a reused process id
// apart from the writer; N counts the writer's temporaries.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace engine {

// A temporary of another host (or of a release that wrote no host) is stale
// once it has not been written to for this long: its writer cannot be asked.
inline constexpr std::time_t kForeignTemporaryAge = 6 * 3600;

// The next temporary name of this process (no directory, no leading "/").
std::string NextTemporaryName();

// True for the names our writers give their temporaries (this release's and
// the earlier ".kelvaron-PID-N.tmp").
bool IsTraceTemporaryName(std::string_view name);

// True when the temporary `name` in `directory` belongs to no running writer:
// this host's and its process is gone (or is another process by now), or
// another host's (or of unknown host) and unchanged for kForeignTemporaryAge
// at `now`. A name that is not a temporary's, or a file that cannot be
// examined, is never stale.
bool IsStaleTemporary(const std::string& directory, std::string_view name, std::time_t now);

// Removes the stale temporaries of one directory; returns how many. Never
// raises: a directory that cannot be listed has none.
int RemoveStaleTemporaries(const std::string& directory);

// RemoveStaleTemporaries before a writer's first write into a directory:
// skipped while the writes of this process stay in the directory cleaned
// last (the channels of one recording, the recordings of one hour).
void RemoveStaleTemporariesOnEntering(const std::string& directory);

}  // namespace engine
