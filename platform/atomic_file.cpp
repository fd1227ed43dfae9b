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

namespace {

std::string DirectoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
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
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return false;

    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode = 0644 & ~CurrentUmask();
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, contents) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(name.data(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(name.data());
        return false;
    }
    // Make the rename itself durable.
    int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace platform
