#include "platform/ini_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/file_descriptor.h"
#include "platform/ini_index.h"

namespace platform {

namespace {

// The first piece covers any recorder header; later pieces double, so that a
// key that is missing costs a pass over the file in few reads.
constexpr std::size_t kFirstPiece = 8 * 1024;
constexpr std::size_t kLargestPiece = 8 << 20;
constexpr std::size_t kLinesPerStep = 8;

}  // namespace

struct IniFile::Reader {
    explicit Reader(const std::string& path) : fd(OpenForReading(path)) {
        struct stat st {};
        if (!fd.valid() || ::fstat(fd.get(), &st) != 0) {
            source = Source::Unopenable;
        } else if (!S_ISREG(st.st_mode)) {
            // A FIFO or a device: nothing is read from it.
            source = Source::NotARegularFile;
        } else {
            size = static_cast<std::size_t>(st.st_size);
            end = size == 0;
            return;
        }
        fd.Reset();
        end = true;
    }
    struct InMemory {};
    Reader(InMemory, std::string bytes) : memory(std::move(bytes)) {
        size = have = memory.size();
        end = true;
    }

    std::string_view Text() const { return {buffer ? buffer.get() : memory.data(), have}; }

    // Room for n bytes; beyond the first piece, room for the whole file.
    void Reserve(std::size_t n) {
        if (n <= capacity) return;
        const std::size_t room = capacity == 0 && n <= kFirstPiece ? n : size;
        auto bigger = std::make_unique_for_overwrite<char[]>(room);
        if (have > 0) std::memcpy(bigger.get(), buffer.get(), have);
        buffer = std::move(bigger);
        capacity = room;
    }

    // Reads up to want more bytes; sets end when no more will come.
    void ReadMore(std::size_t want) {
        want = std::min(want, size - have);
        if (end || want == 0) {
            end = true;
            return;
        }
        Reserve(have + want);
        const std::size_t got = ReadAt(fd.get(), buffer.get() + have, want, have);
        have += got;
        bytesRead += got;
        if (got < want || have == size) end = true;
    }

    // Indexes only as far as the lookup needs: a few lines at a time, and a
    // further piece of the file only when the bytes read so far are indexed.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) {
        if (source != Source::Readable) return std::nullopt;
        for (;;) {
            std::string_view value;
            switch (index.Find(Text(), section, key, value)) {
                case IniIndex::Answer::Found:
                    return value;
                case IniIndex::Answer::Missing:
                    return std::nullopt;
                case IniIndex::Answer::NeedMore:
                    break;
            }
            if (!index.ExtendLines(Text(), end, kLinesPerStep))
                ReadMore(std::clamp(have, kFirstPiece, kLargestPiece));
        }
    }

    std::optional<std::string_view> Contents(const std::function<bool()>& stop) {
        if (source != Source::Readable) return std::nullopt;
        while (!end) {
            if (stop && stop()) return std::nullopt;
            ReadMore(kLargestPiece);
        }
        if (buffer || size > memory.size()) {
            Reserve(size);
            std::memset(buffer.get() + have, 0, size - have);
            return std::string_view(buffer.get(), size);
        }
        return std::string_view(memory);
    }

    UniqueFd fd;
    Source source = Source::Readable;
    std::string memory;  // the bytes of an IniFile made from memory
    std::unique_ptr<char[]> buffer;
    std::size_t size = 0;      // of the file when it was opened
    std::size_t capacity = 0;  // of buffer
    std::size_t have = 0;      // bytes read into buffer
    bool end = false;          // nothing more will be read
    std::uint64_t bytesRead = 0;
    IniIndex index;
};

IniFile::IniFile(std::string path) : path_(std::move(path)) {}
IniFile::IniFile(std::string name, std::string bytes)
    : path_(std::move(name)),
      reader_(std::make_unique<Reader>(Reader::InMemory{}, std::move(bytes))) {}
IniFile::~IniFile() = default;

IniFile::Reader& IniFile::reader() {
    if (!reader_) reader_ = std::make_unique<Reader>(path_);
    return *reader_;
}

std::uint64_t IniFile::bytesRead() const { return reader_ ? reader_->bytesRead : 0; }

IniFile::Source IniFile::source() { return reader().source; }

std::optional<std::string_view> IniFile::Contents(const std::function<bool()>& stop) {
    return reader().Contents(stop);
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view defaultValue, std::size_t maxChars) {
    const std::optional<std::string_view> value = reader().Find(section, key);
    std::string result(value ? *value : defaultValue);
    if (result.size() > maxChars) result.resize(maxChars);
    return result;
}

int IniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) {
    const std::optional<std::string_view> value = reader().Find(section, key);
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
