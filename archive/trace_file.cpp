#include "archive/trace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "archive/trace_errors.h"
#include "archive/trace_temporary.h"
#include "formats/tvx/tvx_header.h"
#include "platform/atomic_file.h"

namespace engine {

namespace {

// A name that no trace file has (they never start with a dot), unique within
// the directory; created with the usual permissions, so the umask applies.
platform::PendingFile CreateTemporary(const std::string& directory) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = directory + '/' + NextTemporaryName();
        platform::UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.valid()) return platform::PendingFile(std::move(fd), std::move(path));
        if (errno != EEXIST) break;
    }
    return {};
}

}  // namespace

void WriteTraceFileAtomically(const std::string& directory, const std::string& fullPath,
                              const std::string& fileNamePart,
                              const char (&header)[kTraceHeaderSize], const std::int16_t* samples,
                              std::size_t sampleCount) {
    // What killed writers left here goes before we add our own.
    RemoveStaleTemporariesOnEntering(directory);
    platform::PendingFile file = CreateTemporary(directory);
    if (!file.valid()) throw TraceOpenError(fileNamePart, fullPath, errno);

    const std::optional<platform::ReplaceFailure> failure = platform::ReplaceAtomically(
        file, {{header, kTraceHeaderSize}, {samples, sampleCount * sizeof(std::int16_t)}}, fullPath,
        directory);
    if (!failure) return;
    // A final name that cannot be replaced (a directory holds it) cannot be opened either.
    if (failure->step == platform::ReplaceStep::Rename)
        throw TraceOpenError(fileNamePart, fullPath, failure->error);
    throw TraceWriteError(fileNamePart, fullPath, failure->error);
}

}  // namespace engine
