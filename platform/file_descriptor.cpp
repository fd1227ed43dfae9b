#include "platform/file_descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        Reset();
        fd_ = other.Release();
    }
    return *this;
}

int UniqueFd::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::Reset() {
    if (fd_ >= 0) ::close(Release());
}

bool UniqueFd::Close() { return fd_ < 0 || ::close(Release()) == 0; }

UniqueFd OpenForReading(const std::string& path) {
    return UniqueFd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
}

void StartWriteback(int fd) {
    // Only a hint: where the file system lacks it, the fsync writes it all.
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

bool WriteAll(int fd, const void* bytes, std::size_t size) {
    const char* p = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t done = ::write(fd, p, size);
        if (done < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (done == 0) {
            errno = ENOSPC;
            return false;
        }
        p += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

std::size_t ReadAt(int fd, void* bytes, std::size_t size, std::uint64_t offset) {
    char* p = static_cast<char*>(bytes);
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, p + got, size - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

bool SyncDirectory(const std::string& directory) {
    UniqueFd dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid()) return false;
    return ::fsync(dir.get()) == 0 || errno == EINVAL;
}

}  // namespace platform
