// The one owned file descriptor of the program, and the loops every caller of
// read(2) and write(2) needs around them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Closes its descriptor when it goes; -1 holds nothing.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int Release();
    void Reset();
    // Closes and reports the result: close(2) is where some file systems
    // (NFS, quotas) report a failed write. errno is set on failure.
    bool Close();

private:
    int fd_ = -1;
};

// Opens an existing file for reading without blocking on a FIFO or a device
// (it is opened non-blocking and never becomes the controlling terminal).
// Invalid on failure, with errno set.
UniqueFd OpenForReading(const std::string& path);

// Writes all of bytes, continuing short writes and retrying interrupted
// ones. False with errno set on failure (ENOSPC for a write that stops short).
bool WriteAll(int fd, const void* bytes, std::size_t size);

// Asks the kernel to start writing what was written to fd to the disk now,
// without waiting: a later fsync finds less to wait for, and the disk works
// while the caller goes on. Durability still comes from fsync alone.
void StartWriteback(int fd);

// Reads up to size bytes at offset, continuing short reads; stops at the end
// of the file or at an error. Returns the bytes read.
std::size_t ReadAt(int fd, void* bytes, std::size_t size, std::uint64_t offset);

// fsync of a directory, so that a rename in it survives a power cut. File
// systems that cannot sync a directory count as done. False with errno set.
bool SyncDirectory(const std::string& directory);

}  // namespace platform
