#include "platform/kelvaron_settings.h"

#include <unistd.h>

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

std::string DataDirectoryProblem(const std::string& tvxIni) {
    if (!ReadDataDirectory(tvxIni, 255).empty()) return {};
    return texts::NoDataDirectory(tvxIni, ::access(tvxIni.c_str(), R_OK) == 0);
}

std::string SourceDirectory(const std::string& station, std::size_t maxChars) {
    std::string dir = ReadSourceDirectory(KelvaronIniPath(), station, maxChars);
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace platform
