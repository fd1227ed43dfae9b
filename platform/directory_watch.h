// Hears of files that arrive in a set of directories (inotify): a file counts
// as arrived once a writer has closed it or it was moved in under its name.
// What arrived is a hint, not a listing: a full pass over the directories
// stays the authority, and an overflowed event queue says that one is due.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/file_descriptor.h"

namespace platform {

class DirectoryWatch {
public:
    // False with errno set when the system refuses an inotify instance.
    DirectoryWatch();
    bool valid() const { return fd_.valid(); }

    // Watches one more directory (a trailing slash is allowed). False with
    // errno set when the system refuses (missing, not a directory, no watches
    // left); the directory is then heard of only by full passes.
    bool Add(const std::string& directory);
    // Forgets every directory (the settings named others).
    void Clear();

    struct Arrivals {
        std::vector<std::string> paths;  // full paths, in the order heard
        bool overflowed = false;         // some events were lost: list again
    };
    // Waits at most timeout for events and returns those heard; empty when
    // none came in time or the wait was interrupted by a signal.
    Arrivals Wait(std::chrono::milliseconds timeout);

private:
    struct Watched {
        int descriptor;
        std::string directory;  // with a trailing slash
    };
    UniqueFd fd_;
    std::vector<Watched> watched_;
};

}  // namespace platform
