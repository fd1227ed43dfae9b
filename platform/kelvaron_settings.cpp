#include "platform/kelvaron_settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/ini_file.h"
#include "platform/operator_texts.h"
#include "platform/station_order.h"

namespace platform {

KelvaronSettings ReadKelvaronSettings(const std::string& kelvaronIni) {
    IniFile ini(kelvaronIni);
    KelvaronSettings settings;
    const int count = AtoiLike(ini.GetString("KELVARON", "NSTA", "0", 63));
    for (int i = 0; i < count; ++i) {
        std::string name =
            ini.GetString("KELVARON", "STA" + std::to_string(i), "", kStationReadChars);
        if (!name.empty()) settings.stations.push_back(std::move(name));
    }
    SortStations(settings.stations);
    ScanStartText(ini.GetString("KELVARON", "TIME", kDefaultStartText, 31), settings.start);
    settings.duration =
        RepairDurationText(ini.GetString("KELVARON", "TIMEQTY", kDefaultDurationText, 31));
    return settings;
}

std::string ReadSourceDirectory(const std::string& kelvaronIni, const std::string& station,
                                std::size_t maxChars) {
    IniFile ini(kelvaronIni);
    std::string dir = ini.GetString(station, "DIR", "", maxChars);
    if (dir.empty()) dir = ini.GetString("KELVARON", "DIR", "", maxChars);
    return dir;
}

bool ReadUseGain(const std::string& kelvaronIni, const std::string& station) {
    return ReadIniInt(kelvaronIni, station, "USEGAIN", 1) != 0;
}

std::string ReadDataDirectory(const std::string& tvxIni, std::size_t maxChars) {
    return ReadIniString(tvxIni, "DATA", "DIR", "", maxChars);
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
    return texts::UnreadableSettingsFile(path, std::strerror(error));
}

std::string DataDirectoryProblem(const std::string& tvxIni) {
    if (std::string problem = SettingsFileProblem(tvxIni, false); !problem.empty()) return problem;
    if (!ReadDataDirectory(tvxIni, 255).empty()) return {};
    return texts::NoDataDirectory(tvxIni, ::access(tvxIni.c_str(), F_OK) == 0);
}

}  // namespace platform
