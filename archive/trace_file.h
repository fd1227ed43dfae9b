// Writing one trace file so that its final name only ever holds a whole file:
// a temporary file in the same directory, flushed to disk, renamed over the
// final name, the directory flushed after it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "archive/trace_errors.h"
#include "formats/tvx/tvx_header.h"

namespace engine {

// Writes header and samples (bytes as they are) to fullPath, which lies in
// directory. Raises TraceFileError: the open text when the file cannot be
// created or put in place, the write text when writing or flushing fails.
// Until the rename the temporary file is removed on failure and a previous
// file at fullPath stays untouched; a failure to flush the directory after
// the rename is reported as a write failure with the new file in place.
void WriteTraceFileAtomically(const std::string& directory, const std::string& fullPath,
                              const std::string& fileNamePart,
                              const char (&header)[kTraceHeaderSize], const std::int16_t* samples,
                              std::size_t sampleCount);

}  // namespace engine
