// Replacing a file so that a crash or a full disk never leaves it half written.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes a temporary file beside path, flushes it to disk and renames it over
// path. On failure the temporary is removed, path is untouched, and false is
// returned. A new file gets mode 0644 less the umask; a replaced one keeps its mode.
bool WriteFileAtomically(const std::string& path, std::string_view contents);

}  // namespace platform
