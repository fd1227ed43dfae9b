#include "platform/ini_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

#include "platform/ini_syntax.h"

namespace platform {

namespace {

// Reads are done in blocks; the first kCachedBlocks stay in memory so that a
// header answers many lookups from one read, while a missing section in a big
// recorder file costs a pass over it but no more memory than one block.
constexpr std::size_t kBlockSize = 8 * 1024;
constexpr std::size_t kCachedBlocks = 128;
// Longest line part kept for parsing; the rest of a longer line is skipped.
constexpr std::size_t kMaxKeptLine = 64 * 1024;

}  // namespace

struct IniFile::Scanner {
    struct Section {
        std::string name;
        std::uint64_t bodyBegin;
    };

    explicit Scanner(const std::string& path) { fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }
    ~Scanner() {
        if (fd >= 0) ::close(fd);
    }

    // The bytes of block b, or nullptr past the end of the file.
    const std::vector<char>* Block(std::uint64_t b) {
        if (auto it = cache.find(b); it != cache.end()) return &it->second;
        if (fd < 0 || (endBlock && b >= *endBlock)) return nullptr;
        std::vector<char> data(kBlockSize);
        std::size_t got = 0;
        while (got < kBlockSize) {
            ssize_t n = ::pread(fd, data.data() + got, kBlockSize - got,
                                static_cast<off_t>(b * kBlockSize + got));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        bytesRead += got;
        if (got < kBlockSize) endBlock = b + (got > 0 ? 1 : 0);
        if (got == 0) return nullptr;
        data.resize(got);
        if (b >= kCachedBlocks) cache.erase(lastUncached), lastUncached = b;
        return &(cache[b] = std::move(data));
    }

    // Reads the line starting at offset: its (possibly cut) text without the
    // line break, and the offset of the next line. False at the end of file.
    bool ReadLine(std::uint64_t offset, std::string& line, std::uint64_t& next) {
        line.clear();
        std::uint64_t pos = offset;
        bool any = false;
        for (;;) {
            const std::vector<char>* block = Block(pos / kBlockSize);
            if (!block) break;
            std::size_t in = pos % kBlockSize;
            if (in >= block->size()) break;
            any = true;
            const char* begin = block->data() + in;
            const char* end = block->data() + block->size();
            const char* nl = std::find(begin, end, '\n');
            std::size_t take = std::min<std::size_t>(
                nl - begin, kMaxKeptLine - std::min(kMaxKeptLine, line.size()));
            line.append(begin, take);
            pos += static_cast<std::uint64_t>(nl - begin);
            if (nl != end) {
                next = pos + 1;
                return true;
            }
        }
        next = pos;
        return any;
    }

    // Index sections up to and including the first one named `section`.
    const Section* FindSection(std::string_view section) {
        for (const Section& s : sections)
            if (EqualsNoCase(s.name, section)) return &s;
        std::string line;
        std::uint64_t next = 0;
        while (!scanComplete) {
            if (!ReadLine(scannedTo, line, next)) {
                scanComplete = true;
                break;
            }
            Note(line, next);
            if (!sections.empty() && sections.back().bodyBegin == next &&
                EqualsNoCase(sections.back().name, section))
                return &sections.back();
        }
        return nullptr;
    }

    // Keep the section index growing as lines past the scanned part are seen.
    void Note(const std::string& line, std::uint64_t next) {
        if (next <= scannedTo) return;
        IniLine parsed = ParseIniLine(line);
        if (parsed.kind == IniLine::Kind::Section)
            sections.push_back({std::string(parsed.name), next});
        scannedTo = next;
    }

    std::optional<std::string> Lookup(std::string_view section, std::string_view key) {
        const Section* s = FindSection(section);
        if (!s) return std::nullopt;
        std::string line;
        std::uint64_t offset = s->bodyBegin, next = 0;
        while (ReadLine(offset, line, next)) {
            Note(line, next);
            IniLine parsed = ParseIniLine(line);
            if (parsed.kind == IniLine::Kind::Section) break;
            if (parsed.kind == IniLine::Kind::Key && EqualsNoCase(parsed.name, key))
                return std::string(parsed.value);
            offset = next;
        }
        if (offset >= scannedTo) scanComplete = true;
        return std::nullopt;
    }

    int fd = -1;
    std::map<std::uint64_t, std::vector<char>> cache;
    std::uint64_t lastUncached = UINT64_MAX;
    std::optional<std::uint64_t> endBlock;
    std::uint64_t bytesRead = 0;
    std::vector<Section> sections;
    std::uint64_t scannedTo = 0;
    bool scanComplete = false;
};

IniFile::IniFile(std::string path) : path_(std::move(path)) {}
IniFile::~IniFile() = default;

std::uint64_t IniFile::bytesRead() const { return scanner_ ? scanner_->bytesRead : 0; }

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view defaultValue, std::size_t maxChars) {
    if (!scanner_) scanner_ = std::make_unique<Scanner>(path_);
    std::optional<std::string> value = scanner_->Lookup(section, key);
    std::string result = value ? std::move(*value) : std::string(defaultValue);
    if (result.size() > maxChars) result.resize(maxChars);
    return result;
}

int IniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) {
    if (!scanner_) scanner_ = std::make_unique<Scanner>(path_);
    std::optional<std::string> value = scanner_->Lookup(section, key);
    return value ? AtoiLike(*value) : defaultValue;
}

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t maxChars) {
    return IniFile(path).GetString(section, key, defaultValue, maxChars);
}

int ReadIniInt(const std::string& path, std::string_view section, std::string_view key,
               int defaultValue) {
    return IniFile(path).GetInt(section, key, defaultValue);
}

int AtoiLike(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

std::string KelvaronIniPath() { return "./kelvaron.ini"; }

std::string TvxIniPath() {
    const char* env = std::getenv("TVX_INI");
    return env && *env ? std::string(env) : std::string("/etc/tvx.ini");
}

}  // namespace platform
