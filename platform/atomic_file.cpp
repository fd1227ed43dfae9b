#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace platform {

struct PendingFileAccess {
    static UniqueFd& Fd(PendingFile& file) { return file.fd_; }
    // After the rename the name is the target's: nothing to remove any more.
    static void Placed(PendingFile& file) { file.path_.clear(); }
};

PendingFile::~PendingFile() {
    fd_.Reset();
    if (!path_.empty()) ::unlink(path_.c_str());
}

std::optional<ReplaceFailure> ReplaceAtomically(PendingFile& file,
                                                std::initializer_list<ByteSpan> pieces,
                                                const std::string& target,
                                                const std::string& directory) {
    UniqueFd& fd = PendingFileAccess::Fd(file);
    for (const ByteSpan& piece : pieces)
        if (!WriteAll(fd.get(), piece.data, piece.size))
            return ReplaceFailure{ReplaceStep::Write, errno};
    if (::fsync(fd.get()) != 0 || !fd.Close()) return ReplaceFailure{ReplaceStep::Sync, errno};
    if (::rename(file.path().c_str(), target.c_str()) != 0)
        return ReplaceFailure{ReplaceStep::Rename, errno};
    PendingFileAccess::Placed(file);
    if (!SyncDirectory(directory)) return ReplaceFailure{ReplaceStep::SyncDirectory, errno};
    return std::nullopt;
}

namespace {

std::string DirectoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The process umask, read without changing it: umask(2) can only be read by
// setting it, which would briefly apply to files other threads create.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    return 022;
}

// A settings file reached through a symbolic link is replaced where it lies,
// keeping the link.
std::string LinkTarget(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

}  // namespace

bool WriteFileAtomically(const std::string& linkOrPath, std::string_view contents) {
    const std::string path = LinkTarget(linkOrPath);
    std::vector<char> name(path.begin(), path.end());
    const char suffix[] = ".tmp.XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    UniqueFd fd(::mkostemp(name.data(), O_CLOEXEC));
    if (!fd.valid()) return false;
    PendingFile file(std::move(fd), name.data());

    struct stat old {};
    const mode_t mode =
        ::stat(path.c_str(), &old) == 0 ? old.st_mode & 07777 : 0644 & ~CurrentUmask();
    if (::fchmod(file.fd(), mode) != 0) return false;
    const std::optional<ReplaceFailure> failure =
        ReplaceAtomically(file, {{contents.data(), contents.size()}}, path, DirectoryOf(path));
    // A directory that cannot be flushed still holds the new file.
    return !failure || failure->step == ReplaceStep::SyncDirectory;
}

}  // namespace platform
