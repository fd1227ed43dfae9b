#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/file_descriptor.h"

namespace platform {

std::optional<std::uint64_t> FreeBytesForCaller(const std::string& path) {
    struct statvfs info {};
    if (::statvfs(path.empty() ? "." : path.c_str(), &info) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
}

bool CreateDirectoryLevel(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool IsSymbolicLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool ResolvesInside(const std::string& path, const std::string& root) {
    auto resolve = [](const std::string& p) -> std::optional<std::string> {
        char* resolved = ::realpath(p.empty() ? "." : p.c_str(), nullptr);
        if (!resolved) return std::nullopt;
        std::string text(resolved);
        std::free(resolved);
        return text;
    };
    const std::optional<std::string> target = resolve(path);
    const std::optional<std::string> base = resolve(root);
    if (!target || !base) return true;
    if (*base == "/") return true;
    return *target == *base || target->rfind(*base + "/", 0) == 0;
}

ReadResult ReadWholeFile(const std::string& path, std::uint64_t maxSize, std::string& out) {
    out.clear();
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || static_cast<std::uint64_t>(st.st_size) > maxSize)
        return ReadResult::Failed;
    char buffer[64 * 1024];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return ReadResult::Failed;
        if (n == 0) break;
        out.append(buffer, static_cast<std::size_t>(n));
        if (out.size() > maxSize) return ReadResult::Failed;
    }
    return ReadResult::Ok;
}

}  // namespace platform
