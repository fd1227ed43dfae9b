#include "platform/directory_watch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

// A written file is whole once its writer closed it; a file renamed into the
// directory (the usual way to deliver one) is whole when it appears.
constexpr std::uint32_t kArrivalEvents = IN_CLOSE_WRITE | IN_MOVED_TO;

}  // namespace

DirectoryWatch::DirectoryWatch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

bool DirectoryWatch::Add(const std::string& directory) {
    if (!fd_.valid()) return false;
    std::string withSlash = directory;
    if (withSlash.empty() || withSlash.back() != '/') withSlash += '/';
    const int descriptor =
        inotify_add_watch(fd_.get(), withSlash.c_str(), kArrivalEvents | IN_ONLYDIR);
    if (descriptor < 0) return false;
    // Two names of one directory share one watch descriptor.
    const bool known = std::any_of(watched_.begin(), watched_.end(),
                                   [&](const Watched& w) { return w.descriptor == descriptor; });
    if (!known) watched_.push_back({descriptor, std::move(withSlash)});
    return true;
}

void DirectoryWatch::Clear() {
    for (const Watched& w : watched_) inotify_rm_watch(fd_.get(), w.descriptor);
    watched_.clear();
}

DirectoryWatch::Arrivals DirectoryWatch::Wait(std::chrono::milliseconds timeout) {
    Arrivals arrivals;
    if (!fd_.valid()) return arrivals;
    pollfd waiting{fd_.get(), POLLIN, 0};
    if (poll(&waiting, 1, static_cast<int>(timeout.count())) <= 0) return arrivals;
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t got = read(fd_.get(), buffer, sizeof buffer);
        if (got <= 0) break;  // EAGAIN: everything queued has been read
        for (ssize_t at = 0; at < got;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof event;
            at += static_cast<ssize_t>(sizeof event + event.len);
            if (event.mask & IN_Q_OVERFLOW) {
                arrivals.overflowed = true;
                continue;
            }
            if (!(event.mask & kArrivalEvents) || (event.mask & IN_ISDIR) || event.len == 0)
                continue;
            const auto w = std::find_if(watched_.begin(), watched_.end(),
                                        [&](const Watched& x) { return x.descriptor == event.wd; });
            if (w != watched_.end()) arrivals.paths.push_back(w->directory + name);
        }
    }
    return arrivals;
}

}  // namespace platform
