#include "platform/kelvaron_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/ini_file.h"
#include "platform/ini_syntax.h"
#include "platform/operator_texts.h"
#include "platform/station_order.h"
#include "platform/system_reason.h"
#include "platform/text_encoding.h"

namespace platform {

namespace {

// i for a key that "STA%d" writes for i >= 0 (any case, no sign, no leading
// zero), nullopt for any other key.
std::optional<int> StationKeyIndex(std::string_view key) {
    if (key.size() < 4 || key.size() > 13 || !EqualsNoCase(key.substr(0, 3), "STA"))
        return std::nullopt;
    const std::string_view digits = key.substr(3);
    if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
    long long i = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        i = i * 10 + (c - '0');
    }
    if (i > INT_MAX) return std::nullopt;
    return static_cast<int>(i);
}

// The key under which sections of equal names without regard to (ASCII)
// case meet.
std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

}  // namespace

std::vector<std::string> RemoveDuplicateStations(std::vector<std::string>& stations) {
    // Sorted, a name's duplicates stand right after it: one pass finds them.
    SortStations(stations);
    std::vector<std::string> kept, duplicates;
    for (std::string& s : stations) {
        const bool again = !kept.empty() && StationEquals(kept.back(), s);
        (again ? duplicates : kept).push_back(std::move(s));
    }
    stations = std::move(kept);
    return duplicates;
}

KelvaronSettings ReadKelvaronSettings(const std::string& kelvaronIni) {
    IniFile ini(kelvaronIni);
    return ReadKelvaronSettings(ini);
}

KelvaronSettings ReadKelvaronSettings(IniFile& ini) {
    KelvaronSettings settings;
    const int count = AtoiLike(ini.GetString("KELVARON", "NSTA", "0", 63));
    // STA0 .. STA(NSTA-1), found among the keys that are there rather than
    // asked for one by one: NSTA may be any number up to INT_MAX.
    for (auto& [key, name] : ini.Keys("KELVARON", kStationReadChars)) {
        const std::optional<int> i = StationKeyIndex(key);
        if (i && *i < count && !name.empty()) settings.stations.push_back(std::move(name));
    }
    settings.duplicates = RemoveDuplicateStations(settings.stations);
    ScanStartText(ini.GetString("KELVARON", "TIME", kDefaultStartText, 31), settings.start);
    settings.duration =
        RepairDurationText(ini.GetString("KELVARON", "TIMEQTY", kDefaultDurationText, 31));
    return settings;
}

void RunSettings::Add(StationSettings station) {
    // The first of names equal without regard to case answers for them, as
    // the first section of such names does.
    byName_.emplace(FoldedName(station.name), stations.size());
    stations.push_back(std::move(station));
}

const StationSettings* RunSettings::Find(const std::string& station) const {
    const auto found = byName_.find(FoldedName(station));
    return found == byName_.end() ? nullptr : &stations[found->second];
}

RunSettings ResolveRunSettings(IniFile& kelvaronIni, IniFile& tvxIni,
                               const std::vector<std::string>& stations) {
    RunSettings settings;
    settings.stations.reserve(stations.size());
    settings.kelvaronIni = kelvaronIni.path();
    settings.tvxIni = tvxIni.path();
    settings.dataDir = ReadDataDirectory(tvxIni, kDataDirectoryChars);
    for (const std::string& station : stations)
        settings.Add({station, ReadSourceDirectory(kelvaronIni, station, kSourceDirectoryChars),
                      ReadUseGain(kelvaronIni, station)});
    return settings;
}

RunSettings ResolveRunSettings(const std::vector<std::string>& stations) {
    IniFile kelvaronIni(KelvaronIniPath());
    IniFile tvxIni(TvxIniPath());
    return ResolveRunSettings(kelvaronIni, tvxIni, stations);
}

std::string ReadSourceDirectory(const std::string& kelvaronIni, const std::string& station,
                                std::size_t maxChars) {
    IniFile ini(kelvaronIni);
    return ReadSourceDirectory(ini, station, maxChars);
}

std::string ReadSourceDirectory(IniFile& ini, const std::string& station, std::size_t maxChars) {
    std::string dir = ini.GetString(station, "DIR", "", maxChars);
    if (dir.empty()) dir = ini.GetString("KELVARON", "DIR", "", maxChars);
    return dir;
}

bool ReadUseGain(const std::string& kelvaronIni, const std::string& station) {
    IniFile ini(kelvaronIni);
    return ReadUseGain(ini, station);
}

bool ReadUseGain(IniFile& kelvaronIni, const std::string& station) {
    return kelvaronIni.GetInt(station, "USEGAIN", 1) != 0;
}

std::string ReadDataDirectory(const std::string& tvxIni, std::size_t maxChars) {
    IniFile ini(tvxIni);
    return ReadDataDirectory(ini, maxChars);
}

std::string ReadDataDirectory(IniFile& tvxIni, std::size_t maxChars) {
    return tvxIni.GetString("DATA", "DIR", "", maxChars);
}

std::string SettingsFileProblem(const std::string& path, bool mustExist) {
    // Reading one byte also finds a directory in the file's place.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    int error = errno;
    if (fd >= 0) {
        char byte;
        const ssize_t got = ::read(fd, &byte, 1);
        error = errno;
        ::close(fd);
        if (got >= 0) return {};
    } else if (error == ENOENT && !mustExist) {
        return {};
    }
    return texts::UnreadableSettingsFile(path, SystemReason(error));
}

std::string SettingsFileProblem(IniFile& file, bool mustExist) {
    if (file.source() == IniFile::Source::Readable) return {};
    const int error = file.openError();
    if (error == ENOENT && !mustExist) return {};
    return texts::UnreadableSettingsFile(file.path(), SystemReason(error));
}

std::string DataDirectoryProblem(const std::string& tvxIni) {
    if (std::string problem = SettingsFileProblem(tvxIni, false); !problem.empty()) return problem;
    return DataDirectoryProblem(ReadDataDirectory(tvxIni, kDataDirectoryChars), tvxIni);
}

std::string DataDirectoryProblem(const std::string& dir, const std::string& tvxIni) {
    if (dir.empty()) return texts::NoDataDirectory(tvxIni, ::access(tvxIni.c_str(), F_OK) == 0);
    // Checked once here, so that a run does not fail once per trace file.
    if (dir.front() != '/') return texts::DataDirectoryNotAbsolute(dir, tvxIni);
    if (dir.find_first_not_of('/') == std::string::npos)
        return texts::DataDirectoryIsRoot(dir, tvxIni);
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0) return texts::DataDirectoryMissing(dir, tvxIni);
    if (!S_ISDIR(st.st_mode)) return texts::DataDirectoryNotADirectory(dir, tvxIni);
    if (::access(dir.c_str(), W_OK | X_OK) != 0)
        return texts::DataDirectoryNotWritable(dir, tvxIni);
    return {};
}

std::string ListedSourceDirectory(std::string dir) {
    // A DIR written in CP1251 names the folder whose UTF-8 name is its
    // reading, unless a folder with the very bytes is there.
    if (!IsValidUtf8(dir)) {
        struct stat st {};
        const std::string read = Text8ToUtf8(dir);
        if (::stat(dir.c_str(), &st) != 0 && ::stat(read.c_str(), &st) == 0) dir = read;
    }
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string SourceDirectory(const std::string& station, std::size_t maxChars) {
    return ListedSourceDirectory(ReadSourceDirectory(KelvaronIniPath(), station, maxChars));
}

}  // namespace platform
