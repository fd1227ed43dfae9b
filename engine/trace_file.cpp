#include "engine/trace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "engine/trace_errors.h"
#include "engine/trace_temporary.h"

namespace engine {

namespace {

// Owns a descriptor and, until released, the temporary file's name.
class TemporaryFile {
public:
    TemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    // Close reports late write errors (NFS, quotas), so it is checked.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void keep() { path_.clear(); }

private:
    int fd_;
    std::string path_;
};

// A name that no trace file has (they never start with a dot), unique within
// the directory; created with the usual permissions, so the umask applies.
TemporaryFile CreateTemporary(const std::string& directory) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = directory + '/' + NextTemporaryName();
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return TemporaryFile(fd, std::move(path));
        if (errno != EEXIST) break;
    }
    return TemporaryFile(-1, {});
}

// One logical write; a short write is continued, an interrupted one retried.
bool WriteAll(int fd, const void* bytes, std::size_t size) {
    const char* p = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t done = ::write(fd, p, size);
        if (done < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (done == 0) return false;
        p += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

// Makes the rename itself survive a power cut.
bool SyncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot
    ::close(fd);
    return synced;
}

}  // namespace

void WriteTraceFileAtomically(const std::string& directory, const std::string& fullPath,
                              const std::string& fileNamePart,
                              const char (&header)[kTraceHeaderSize], const std::int16_t* samples,
                              std::size_t sampleCount) {
    // What killed writers left here goes before we add our own.
    RemoveStaleTemporariesOnEntering(directory);
    TemporaryFile file = CreateTemporary(directory);
    if (file.fd() < 0) throw TraceOpenError(fileNamePart);

    if (!WriteAll(file.fd(), header, kTraceHeaderSize) ||
        !WriteAll(file.fd(), samples, sampleCount * sizeof(std::int16_t)) ||
        ::fsync(file.fd()) != 0 || !file.close())
        throw TraceWriteError(fileNamePart);

    // Replaces an earlier trace of the same name in one step.
    if (::rename(file.path().c_str(), fullPath.c_str()) != 0) throw TraceOpenError(fileNamePart);
    file.keep();
    if (!SyncDirectory(directory)) throw TraceWriteError(fileNamePart);
}

}  // namespace engine
