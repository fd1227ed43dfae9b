// Writing one trace file so that its final name only ever holds a whole file:
// a temporary file in the same directory, written piece by piece, flushed to
// disk, renamed over the final name, the directory flushed after it.
#pragma once

#include <cstddef>
#include <string>

#include "archive/trace_errors.h"
#include "platform/atomic_file.h"

namespace engine {

class TraceFileWriter {
public:
    // Creates the temporary in directory, where fullPath lies (the stale
    // temporaries of killed writers are removed first). Raises the open
    // TraceFileError when it cannot be created.
    TraceFileWriter(std::string directory, std::string fullPath, std::string fileNamePart);

    // Appends bytes as they are; a failure is kept for Finish, and later
    // pieces are not written.
    void Append(const void* bytes, std::size_t size);

    // Puts the file in place. Raises TraceFileError: the write text when
    // writing or flushing failed, the open text when the final name cannot be
    // replaced. Until the rename a failure removes the temporary and leaves a
    // previous file at fullPath untouched (so does a writer destroyed before
    // Finish); a failure to flush the directory after the rename is a write
    // failure with the new file in place.
    void Finish();

    // Starts writing what was appended to the disk without waiting for it,
    // so that the disk works while the caller goes on (other traces' Finish);
    // Finish still waits for it all.
    void StartWriteback();

private:
    std::string directory_, fullPath_, fileNamePart_;
    platform::PendingFile file_;
    int writeError_ = 0;  // errno of the first failed Append
};

}  // namespace engine
