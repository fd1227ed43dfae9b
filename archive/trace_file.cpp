#include "archive/trace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "archive/trace_temporary.h"

namespace engine {

namespace {

// A name that no trace file has (they never start with a dot), unique within
// the directory; created with the usual permissions, so the umask applies.
// Invalid, with errno set, when it cannot be created.
platform::PendingFile CreateTemporary(const std::string& directory) {
    // What killed writers left here goes before we add our own.
    RemoveStaleTemporariesOnEntering(directory);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = directory + '/' + NextTemporaryName();
        platform::UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.valid()) return platform::PendingFile(std::move(fd), std::move(path));
        if (errno != EEXIST) break;
    }
    return {};
}

}  // namespace

TraceFileWriter::TraceFileWriter(std::string directory, std::string fullPath,
                                 std::string fileNamePart)
    : directory_(std::move(directory)),
      fullPath_(std::move(fullPath)),
      fileNamePart_(std::move(fileNamePart)),
      file_(CreateTemporary(directory_)) {
    if (!file_.valid()) throw TraceOpenError(fileNamePart_, fullPath_, errno);
}

void TraceFileWriter::Append(const void* bytes, std::size_t size) {
    if (writeError_ != 0 || size == 0) return;
    if (!platform::WriteAll(file_.fd(), bytes, size)) writeError_ = errno;
}

void TraceFileWriter::StartWriteback() {
    if (writeError_ == 0) platform::StartWriteback(file_.fd());
}

void TraceFileWriter::Finish() {
    if (writeError_ != 0) {
        platform::PendingFile dropped(std::move(file_));  // the temporary goes now
        throw TraceWriteError(fileNamePart_, fullPath_, writeError_);
    }
    const std::optional<platform::ReplaceFailure> failure =
        platform::ReplaceAtomically(file_, {}, fullPath_, directory_);
    if (!failure) return;
    // A final name that cannot be replaced (a directory holds it) cannot be opened either.
    if (failure->step == platform::ReplaceStep::Rename)
        throw TraceOpenError(fileNamePart_, fullPath_, failure->error);
    throw TraceWriteError(fileNamePart_, fullPath_, failure->error);
}

}  // namespace engine
