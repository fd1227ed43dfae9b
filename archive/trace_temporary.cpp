#include "archive/trace_temporary.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/host_name.h"

namespace engine {

namespace {

constexpr std::string_view kPrefix = ".kelvaron-";
constexpr std::string_view kSuffix = ".tmp";

std::string ThisHost() {
    std::string host = platform::HostName();
    // A host name is one path component here, whatever the resolver allows.
    for (char& c : host)
        if (c == '/' || static_cast<unsigned char>(c) < 0x21) c = '_';
    return host;
}

// Field 22 of /proc/PID/stat: when the process started, in clock ticks since
// boot. nullopt when there is no such process (or no /proc).
std::optional<std::uint64_t> ProcessStartTicks(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!stat || !std::getline(stat, text)) return std::nullopt;
    // The command name in parentheses may hold blanks and ')'.
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::size_t pos = close + 1;
    for (int field = 3; field <= 22; ++field) {
        while (pos < text.size() && text[pos] == ' ') ++pos;
        const std::size_t end = text.find(' ', pos);
        if (field == 22) {
            std::uint64_t ticks = 0;
            const std::string_view value(text.data() + pos,
                                         (end == std::string::npos ? text.size() : end) - pos);
            if (std::from_chars(value.data(), value.data() + value.size(), ticks).ec != std::errc{})
                return std::nullopt;
            return ticks;
        }
        if (end == std::string::npos) return std::nullopt;
        pos = end;
    }
    return std::nullopt;
}

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

template <class T>
T Number(std::string_view digits) {
    T value{};
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

struct TemporaryOwner {
    std::optional<std::string> host;  // absent in the earlier names
    long pid = 0;
    std::uint64_t startTicks = 0;
};

// Splits "HOST-PID-TICKS-N" (host may hold "-") or the earlier "PID-N".
std::optional<TemporaryOwner> ParseOwner(std::string_view name) {
    if (name.size() <= kPrefix.size() + kSuffix.size() ||
        name.substr(0, kPrefix.size()) != kPrefix ||
        name.substr(name.size() - kSuffix.size()) != kSuffix)
        return std::nullopt;
    std::string_view rest =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    std::vector<std::string_view> numbers;
    while (numbers.size() < 3) {
        const std::size_t dash = rest.rfind('-');
        if (dash == std::string_view::npos) break;
        if (!AllDigits(rest.substr(dash + 1))) return std::nullopt;
        numbers.push_back(rest.substr(dash + 1));
        rest = rest.substr(0, dash);
    }
    TemporaryOwner owner;
    if (numbers.size() == 1 && AllDigits(rest)) {  // "PID-N"
        owner.pid = Number<long>(rest);
        return owner;
    }
    if (numbers.size() != 3 || rest.empty()) return std::nullopt;
    owner.host = std::string(rest);
    owner.startTicks = Number<std::uint64_t>(numbers[1]);
    owner.pid = Number<long>(numbers[2]);
    return owner;
}

bool WriterIsRunning(const TemporaryOwner& owner) {
    if (owner.pid <= 0) return false;
    if (const std::optional<std::uint64_t> ticks = ProcessStartTicks(owner.pid))
        return owner.startTicks == 0 || *ticks == owner.startTicks;
    // No /proc entry: gone, unless /proc cannot tell us at all.
    return ::kill(static_cast<pid_t>(owner.pid), 0) == 0 || errno == EPERM;
}

}  // namespace

std::string NextTemporaryName() {
    static const std::string host = ThisHost();
    static const std::uint64_t ticks = ProcessStartTicks(::getpid()).value_or(0);
    static std::atomic<unsigned> counter{0};
    return std::string(kPrefix) + host + '-' + std::to_string(::getpid()) + '-' +
           std::to_string(ticks) + '-' + std::to_string(counter.fetch_add(1)) +
           std::string(kSuffix);
}

bool IsTraceTemporaryName(std::string_view name) { return ParseOwner(name).has_value(); }

bool IsStaleTemporary(const std::string& directory, std::string_view name, std::time_t now) {
    const std::optional<TemporaryOwner> owner = ParseOwner(name);
    if (!owner) return false;
    struct stat st {};
    if (::lstat((directory + '/' + std::string(name)).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    static const std::string host = ThisHost();
    if (owner->host == host) return !WriterIsRunning(*owner);
    return now - st.st_mtime >= kForeignTemporaryAge;
}

int RemoveStaleTemporaries(const std::string& directory) {
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr) return 0;
    const std::time_t now = std::time(nullptr);
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.substr(0, kPrefix.size()) == kPrefix && IsStaleTemporary(directory, name, now))
            stale.emplace_back(name);
    }
    ::closedir(dir);
    int removed = 0;
    for (const std::string& name : stale)
        if (::unlink((directory + '/' + name).c_str()) == 0) ++removed;
    return removed;
}

void RemoveStaleTemporariesOnEntering(const std::string& directory) {
    static std::mutex mutex;
    static std::string lastCleaned;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (directory == lastCleaned) return;
        lastCleaned = directory;
    }
    RemoveStaleTemporaries(directory);
}

}  // namespace engine
