#include "archive/archive_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "archive/trace_temporary.h"

namespace engine {

namespace {

enum class Type { Directory, File, Other };

Type TypeOf(int dirFd, const dirent& entry) {
    if (entry.d_type == DT_DIR) return Type::Directory;
    if (entry.d_type == DT_REG) return Type::File;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return Type::Other;
    // A link counts as what it points at, but a link to a directory is not
    // walked (it could lead out of the tree, or round in a circle).
    struct stat st {};
    if (::fstatat(dirFd, entry.d_name, &st, 0) != 0) return Type::Other;
    if (S_ISREG(st.st_mode)) return Type::File;
    if (S_ISDIR(st.st_mode) && entry.d_type == DT_UNKNOWN) {
        struct stat own {};
        if (::fstatat(dirFd, entry.d_name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(own.st_mode))
            return Type::Directory;
    }
    return Type::Other;
}

}  // namespace

ArchiveWalk::ArchiveWalk(std::string dataDir, const std::vector<std::string>& stations)
    : dataDir_(std::move(dataDir)) {
    Frame root;
    if (stations.empty()) {
        int error = 0;
        if (!Enter("", true, error)) frames_.clear();
        return;
    }
    for (const std::string& station : stations) {
        struct stat st {};
        if (::lstat((dataDir_ + station).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            root.children.push_back({station + '/', true});
    }
    std::sort(root.children.begin(), root.children.end(),
              [](const Child& a, const Child& b) { return a.key < b.key; });
    root.children.erase(std::unique(root.children.begin(), root.children.end(),
                                    [](const Child& a, const Child& b) { return a.key == b.key; }),
                        root.children.end());
    frames_.push_back(std::move(root));
}

bool ArchiveWalk::Enter(const std::string& relative, bool directoriesOnly, int& error) {
    const std::string path = dataDir_ + relative;
    DIR* dir = ::opendir(path.empty() ? "." : path.c_str());
    if (dir == nullptr) {
        error = errno;
        return false;
    }
    Frame frame;
    frame.relative = relative;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const Type type = TypeOf(::dirfd(dir), *entry);
        if (type == Type::Directory)
            frame.children.push_back({name + '/', true});
        else if (type == Type::File && !directoriesOnly)
            frame.children.push_back({name, false});
    }
    const int listError = errno;
    ::closedir(dir);
    if (listError != 0) {
        error = listError;
        return false;
    }
    // Sorting by name with "/" after a directory's name orders the whole
    // paths bytewise: everything below "A/" comes before the file "A0".
    std::sort(frame.children.begin(), frame.children.end(),
              [](const Child& a, const Child& b) { return a.key < b.key; });
    frames_.push_back(std::move(frame));
    return true;
}

bool ArchiveWalk::Next(ArchiveEntry& entry) {
    while (!frames_.empty()) {
        Frame& frame = frames_.back();
        if (frame.next == frame.children.size()) {
            frames_.pop_back();
            continue;
        }
        const Child child = frame.children[frame.next++];
        const std::string relative = frame.relative + child.key;
        if (child.directory) {
            int error = 0;
            if (!Enter(relative, false, error)) {
                entry = {ArchiveEntry::Kind::Unreadable, relative, error};
                return true;
            }
            continue;
        }
        entry.kind = IsTraceTemporaryName(child.key) ? ArchiveEntry::Kind::Temporary
                                                     : ArchiveEntry::Kind::File;
        entry.relative = relative;
        entry.error = 0;
        return true;
    }
    return false;
}

}  // namespace engine
