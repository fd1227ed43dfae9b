// Replacing a file so that a crash or a full disk never leaves it half written:
// a temporary file beside it, flushed to disk, renamed over it, the directory
// flushed after the rename.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_descriptor.h"

namespace platform {

// A file being written under a temporary name beside its target. It is
// removed when it goes, unless ReplaceAtomically has put it in place.
class PendingFile {
public:
    PendingFile() = default;
    PendingFile(UniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}
    ~PendingFile();
    PendingFile(PendingFile&&) = default;
    PendingFile& operator=(PendingFile&&) = delete;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    bool valid() const { return fd_.valid(); }
    int fd() const { return fd_.get(); }
    const std::string& path() const { return path_; }

private:
    friend struct PendingFileAccess;
    UniqueFd fd_;
    std::string path_;
};

enum class ReplaceStep { Write, Sync, Rename, SyncDirectory };
struct ReplaceFailure {
    ReplaceStep step;
    int error;  // errno
};
struct ByteSpan {
    const void* data;
    std::size_t size;
};

// Writes the pieces to file, flushes and closes it, renames it over target
// (in directory) and flushes directory. nullopt when all of it was done. A
// failure before the rename removes the temporary and leaves target as it
// was; a failure to flush the directory leaves the new file in place.
std::optional<ReplaceFailure> ReplaceAtomically(PendingFile& file,
                                                std::initializer_list<ByteSpan> pieces,
                                                const std::string& target,
                                                const std::string& directory);

// Settings files: replaces path (the file a symbolic link names, keeping the
// link) with contents. On failure the temporary is removed, path is
// untouched, and false is returned. A new file gets mode 0644 less the umask;
// a replaced one keeps its mode.
bool WriteFileAtomically(const std::string& path, std::string_view contents);

}  // namespace platform
