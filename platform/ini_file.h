// INI-syntax settings and headers: kelvaron.ini, tvx.ini and recorder files.
//
// Lookup rules: section and key names match without regard to case; the first
// matching section and the first matching key in it answer; the value is the
// text after "=" with surrounding blanks removed; a missing key gives the
// default; a longer value is cut to the maximum. Files are read as bytes, so a
// recorder file's binary data after its header does no harm. A file is read
// once, in growing pieces, only as far as the lookups so far need; every byte
// read stays in memory and is indexed once (see ini_index.h). An IniFile
// opened with a kept-bytes bound keeps at most that many leading bytes; a
// lookup that must look further streams the rest through a small buffer and
// keeps only its answer, so memory does not grow with the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// What a scan of a directory keeps of an entry while it looks for a
// recording's header: any other file, however large, is looked through in
// small pieces.
inline constexpr std::size_t kHeaderScanKeptBytes = 1 << 20;
// What a conversion keeps of a recording while its header is looked up: most
// recordings whole, so that each byte is read once; of a larger one only its
// first part (its data block is read record by record).
inline constexpr std::size_t kRecordingKeptBytes = 8 << 20;

// Answers many lookups from one file, opened once on the first lookup. A file
// that cannot be opened, or is not a regular file, answers every lookup with
// its default.
class IniFile {
public:
    explicit IniFile(std::string path);
    // Keeps at most keptLimit leading bytes for the index (see above).
    IniFile(std::string path, std::size_t keptLimit);
    // The same over bytes already in memory; name stands for the path.
    IniFile(std::string name, std::string bytes);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // The value, cut to maxChars characters; defaultValue when the key is missing.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t maxChars);
    // The value as C atoi reads it (0 without digits); defaultValue when missing.
    int GetInt(std::string_view section, std::string_view key, int defaultValue);

    // Every key of the section with its value (cut to maxChars), the first of
    // each name, in file order: what GetString would answer for each, found in
    // one pass instead of one lookup per name tried. Reads the whole file.
    std::vector<std::pair<std::string, std::string>> Keys(std::string_view section,
                                                          std::size_t maxChars);
    // Raises the kept-bytes bound to keptLimit (never lowers it): a scanned
    // header that turns out to be the recording to convert is then read on
    // in the same file.
    void KeepAtMost(std::size_t keptLimit);

    enum class Source { Readable, Unopenable, NotARegularFile };
    // Opens the file if no lookup has yet.
    Source source();
    // Why it could not be opened as a regular file (an errno value; EISDIR
    // for a directory), 0 when it could.
    int openError();

    // The whole file, as it was sized when it was opened: what the lookups
    // have not read yet is read now, in pieces, asking stop() before each.
    // Bytes that a failing read leaves out read as 0. nullopt when stopped or
    // when the file is not readable. Throws std::bad_alloc when it does not
    // fit in memory. The view lives as long as this object.
    std::optional<std::string_view> Contents(const std::function<bool()>& stop = {});

    // Bytes [offset, offset + n) of the file as it was sized when it was
    // opened, without keeping them: from the bytes the lookups kept where they
    // reach, else read now. Bytes the file no longer holds read as 0. False
    // when the file is not readable or the range lies outside it.
    bool ReadBytes(std::uint64_t offset, void* out, std::size_t n);
    // Bytes [offset, offset + n) where the lookups keep them in memory, else
    // nullptr. Valid until the next lookup or read of this file.
    const void* KeptBytes(std::uint64_t offset, std::size_t n);
    // The file's size when it was opened; 0 when it is not readable.
    std::uint64_t size();

    const std::string& path() const { return path_; }
    // Bytes read from the file so far (for the scan benchmarks and tests).
    std::uint64_t bytesRead() const;
    // The most bytes of the file held in memory at once so far.
    std::size_t peakKeptBytes() const;

private:
    struct Reader;
    Reader& reader();
    std::string path_;
    std::size_t keptLimit_ = SIZE_MAX;
    std::unique_ptr<Reader> reader_;
};

// One-shot helpers in the manner of the platform's profile functions.
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t maxChars);
int ReadIniInt(const std::string& path, std::string_view section, std::string_view key,
               int defaultValue);

// Replaces the first matching key in place, appends a missing key to its
// section and a missing section to the file, creates a missing file, keeps
// every other byte. Atomic: a temporary file beside it is renamed over it.
// Returns false (and leaves the old file untouched) when it cannot be done.
bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

// C atoi: leading blanks, optional sign, digits up to the first non-digit;
// saturates instead of overflowing.
int AtoiLike(std::string_view text);

inline constexpr const char* kDefaultKelvaronIni = "./kelvaron.ini";
// The program's own settings: the file the front end chose at start
// (UseKelvaronIni), else the one $KELVARON_INI names, else ./kelvaron.ini in
// the working directory.
std::string KelvaronIniPath();
// option: --config FILE of the command line, when given; environment:
// $KELVARON_INI. The option wins, an empty variable counts as unset.
std::string ChooseKelvaronIni(const std::optional<std::string>& option, const char* environment);
// Called once at start, before anything reads the settings (the interface
// language among them) and before any worker thread runs.
void UseKelvaronIni(std::string path);
// The data centre's tvx.ini: $TVX_INI, else /etc/tvx.ini.
std::string TvxIniPath();

}  // namespace platform
