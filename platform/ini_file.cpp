#include "platform/ini_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "platform/file_descriptor.h"
#include "platform/ini_index.h"
#include "platform/ini_syntax.h"

namespace platform {

namespace {

// The first piece covers any recorder header; later pieces double, so that a
// key that is missing costs a pass over the file in few reads.
constexpr std::size_t kFirstPiece = 8 * 1024;
constexpr std::size_t kLargestPiece = 8 << 20;
constexpr std::size_t kLinesPerStep = 8;
// What a lookup beyond the kept bytes reads at a time.
constexpr std::size_t kStreamPiece = 64 * 1024;

// The buffer of the last file a thread read far, for its next file to read
// into: a conversion reads one recording of megabytes after another, and
// every page of a fresh allocation that size costs a page fault when first
// written (on a virtual machine, more than the read itself). A thread keeps
// one such buffer, of at most kRecordingKeptBytes, until it ends.
struct SpareBuffer {
    std::unique_ptr<char[]> bytes;
    std::size_t capacity = 0;
};
thread_local SpareBuffer theSpareBuffer;

std::string LookupKey(std::string_view section, std::string_view key) {
    std::string folded;
    folded.reserve(section.size() + 1 + key.size());
    for (const std::string_view part : {section, std::string_view("\0", 1), key})
        for (const char c : part) folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return folded;
}

}  // namespace

struct IniFile::Reader {
    Reader(const std::string& path, std::size_t keptLimit)
        : fd(OpenForReading(path)), keptLimit(std::max(keptLimit, kFirstPiece)) {
        struct stat st {};
        if (!fd.valid() || ::fstat(fd.get(), &st) != 0) {
            source = Source::Unopenable;
            openError = errno;
        } else if (!S_ISREG(st.st_mode)) {
            // A FIFO or a device: nothing is read from it.
            source = Source::NotARegularFile;
            openError = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
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

    // Room for n bytes; beyond the first piece, room for the whole file (or
    // for as much of it as may be kept).
    void Reserve(std::size_t n) {
        if (n <= capacity) return;
        const std::size_t room =
            capacity == 0 && n <= kFirstPiece ? n : std::max(n, std::min(size, keptLimit));
        SpareBuffer& spare = theSpareBuffer;
        std::size_t roomMade = room;
        std::unique_ptr<char[]> bigger;
        if (room > kFirstPiece && spare.capacity >= room) {
            bigger = std::move(spare.bytes);
            roomMade = std::exchange(spare.capacity, 0);
        } else {
            bigger = std::make_unique_for_overwrite<char[]>(room);
        }
        if (have > 0) std::memcpy(bigger.get(), buffer.get(), have);
        buffer = std::move(bigger);
        capacity = roomMade;
        // What this file needed, not what the spare happened to hold.
        needed = room;
        peakKept = std::max(peakKept, needed);
    }

    ~Reader() {
        SpareBuffer& spare = theSpareBuffer;
        if (buffer && capacity > kFirstPiece && capacity <= kRecordingKeptBytes &&
            capacity > spare.capacity) {
            spare.bytes = std::move(buffer);
            spare.capacity = capacity;
        }
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
            if (index.ExtendLines(Text(), end, kLinesPerStep)) continue;
            if (!end && have >= keptLimit) return FindBeyondKept(section, key);
            ReadMore(std::min(std::clamp(have, kFirstPiece, kLargestPiece), keptLimit - have));
        }
    }

    // The same lookup over the bytes after the kept ones, read through a small
    // buffer; only the answer is kept. A section found missing there is
    // remembered, so that its other keys cost no further pass.
    std::optional<std::string_view> FindBeyondKept(std::string_view section, std::string_view key) {
        const std::string folded = LookupKey(section, key);
        if (const auto known = beyond.find(folded); known != beyond.end())
            return known->second ? std::optional<std::string_view>(*known->second) : std::nullopt;
        const std::string foldedSection = LookupKey(section, {});
        const IniIndex::Position at = index.PositionFor(Text(), section);
        if (!at.seen && absentBeyond.count(foldedSection)) return std::nullopt;
        // A whole pass has seen every section name there: one it did not see
        // is missing without another pass (a header without GROUP sections).
        if (!at.seen && beyondComplete && !sectionsBeyond.count(foldedSection)) return std::nullopt;

        bool seen = at.seen, inBody = at.inBody;
        std::optional<std::string> answer;
        bool decided = false;
        // One line at a time; only its first kMaxKeptLine bytes are parsed.
        auto takeLine = [&](std::string_view line) {
            const IniLine parsed = ParseIniLine(line.substr(0, IniIndex::kMaxKeptLine));
            if (parsed.kind == IniLine::Kind::Section) {
                if (sectionsBeyond.size() < kMostSectionsBeyond)
                    sectionsBeyond.insert(LookupKey(parsed.name, {}));
                else
                    sectionsOverflow = true;
                // The first section of the name ends at the next section line;
                // a later one of the same name is never consulted.
                if (inBody) decided = true;
                inBody = EqualsNoCase(parsed.name, section);
                seen = seen || inBody;
            } else if (parsed.kind == IniLine::Kind::Key && inBody &&
                       EqualsNoCase(parsed.name, key)) {
                answer.emplace(parsed.value);
                decided = true;
            }
        };
        auto piece = std::make_unique_for_overwrite<char[]>(kStreamPiece);
        // The line the kept bytes end inside goes on from what is kept of it.
        const std::string_view started = Text().substr(at.next);
        std::string line(started.substr(0, IniIndex::kMaxKeptLine));
        std::size_t lineLength = started.size();
        std::size_t offset = have;
        while (!decided && offset < size) {
            const std::size_t want = std::min(kStreamPiece, size - offset);
            const std::size_t got = ReadAt(fd.get(), piece.get(), want, offset);
            bytesRead += got;
            offset += got;
            for (std::string_view rest(piece.get(), got); !rest.empty() && !decided;) {
                const std::size_t nl = rest.find('\n');
                const std::string_view part = rest.substr(0, nl);
                if (lineLength < IniIndex::kMaxKeptLine)
                    line.append(part.substr(0, IniIndex::kMaxKeptLine - lineLength));
                lineLength += part.size();
                if (nl == std::string_view::npos) break;
                takeLine(line);
                line.clear();
                lineLength = 0;
                rest.remove_prefix(nl + 1);
            }
            peakKept = std::max(peakKept, needed + kStreamPiece + line.capacity());
            if (got < want) break;
        }
        if (!decided && lineLength > 0) takeLine(line);
        if (!decided && offset >= size && !sectionsOverflow) beyondComplete = true;
        if (!answer && !seen) absentBeyond.insert(foldedSection);
        const auto& stored = beyond.emplace(folded, std::move(answer)).first->second;
        return stored ? std::optional<std::string_view>(*stored) : std::nullopt;
    }

    std::optional<std::string_view> Contents(const std::function<bool()>& stop) {
        if (source != Source::Readable) return std::nullopt;
        if (!end) Reserve(size);  // past any bound on the kept bytes: asked for all of it
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

    bool ReadBytes(std::uint64_t offset, char* out, std::size_t n) {
        if (source != Source::Readable || offset > size || n > size - offset) return false;
        const std::string_view known = Text();
        std::size_t done = 0;
        if (offset < known.size()) {
            done = std::min(n, known.size() - static_cast<std::size_t>(offset));
            std::memcpy(out, known.data() + offset, done);
        }
        if (done < n && fd.valid()) {
            const std::size_t got = ReadAt(fd.get(), out + done, n - done, offset + done);
            bytesRead += got;
            done += got;
        }
        std::memset(out + done, 0, n - done);
        return true;
    }

    UniqueFd fd;
    Source source = Source::Readable;
    int openError = 0;
    std::string memory;  // the bytes of an IniFile made from memory
    std::unique_ptr<char[]> buffer;
    std::size_t size = 0;      // of the file when it was opened
    std::size_t capacity = 0;  // of buffer
    std::size_t needed = 0;    // of buffer, for this file (a spare may hold more)
    std::size_t have = 0;      // bytes read into buffer
    bool end = false;          // nothing more will be read
    std::uint64_t bytesRead = 0;
    std::size_t keptLimit = SIZE_MAX;  // most leading bytes kept in buffer
    std::size_t peakKept = 0;
    IniIndex index;
    // Lookups answered after the kept bytes (folded section and key), and the
    // sections found to have no first occurrence there.
    std::unordered_map<std::string, std::optional<std::string>> beyond;
    std::unordered_set<std::string> absentBeyond;
    // Section names (folded) a pass after the kept bytes has met, and whether
    // one pass went to the end of the file meeting no more than the set holds.
    static constexpr std::size_t kMostSectionsBeyond = 4096;
    std::unordered_set<std::string> sectionsBeyond;
    bool sectionsOverflow = false;
    bool beyondComplete = false;
};

IniFile::IniFile(std::string path) : path_(std::move(path)) {}
IniFile::IniFile(std::string path, std::size_t keptLimit)
    : path_(std::move(path)), keptLimit_(keptLimit) {}
IniFile::IniFile(std::string name, std::string bytes)
    : path_(std::move(name)),
      reader_(std::make_unique<Reader>(Reader::InMemory{}, std::move(bytes))) {}
IniFile::~IniFile() = default;

void IniFile::KeepAtMost(std::size_t keptLimit) {
    keptLimit_ = std::max(keptLimit_, keptLimit);
    if (reader_) reader_->keptLimit = std::max(reader_->keptLimit, keptLimit);
}

IniFile::Reader& IniFile::reader() {
    if (!reader_) reader_ = std::make_unique<Reader>(path_, keptLimit_);
    return *reader_;
}

std::uint64_t IniFile::bytesRead() const { return reader_ ? reader_->bytesRead : 0; }
std::size_t IniFile::peakKeptBytes() const { return reader_ ? reader_->peakKept : 0; }

IniFile::Source IniFile::source() { return reader().source; }
int IniFile::openError() { return reader().openError; }

bool IniFile::ReadBytes(std::uint64_t offset, void* out, std::size_t n) {
    return reader().ReadBytes(offset, static_cast<char*>(out), n);
}

const void* IniFile::KeptBytes(std::uint64_t offset, std::size_t n) {
    const std::string_view kept = reader().Text();
    if (offset > kept.size() || n > kept.size() - offset) return nullptr;
    return kept.data() + offset;
}

std::uint64_t IniFile::size() {
    Reader& r = reader();
    return r.source == Source::Readable ? r.size : 0;
}

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

std::vector<std::pair<std::string, std::string>> IniFile::Keys(std::string_view section,
                                                               std::size_t maxChars) {
    Reader& r = reader();
    std::vector<std::pair<std::string, std::string>> keys;
    const std::optional<std::string_view> text = r.Contents({});
    if (!text) return keys;
    r.index.Extend(r.Text(), true);
    for (const IniIndex::KeyValue& kv : r.index.Keys(r.Text(), section))
        keys.emplace_back(kv.key, kv.value.substr(0, maxChars));
    return keys;
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

std::string ChooseKelvaronIni(const std::optional<std::string>& option, const char* environment) {
    if (option) return *option;
    if (environment && *environment) return environment;
    return kDefaultKelvaronIni;
}

namespace {

std::string& ChosenKelvaronIni() {
    static std::string path = ChooseKelvaronIni(std::nullopt, std::getenv("KELVARON_INI"));
    return path;
}

}  // namespace

std::string KelvaronIniPath() { return ChosenKelvaronIni(); }

void UseKelvaronIni(std::string path) { ChosenKelvaronIni() = std::move(path); }

std::string TvxIniPath() {
    const char* env = std::getenv("TVX_INI");
    return env && *env ? std::string(env) : std::string("/etc/tvx.ini");
}

}  // namespace platform
