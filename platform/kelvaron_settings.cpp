#include "platform/kelvaron_settings.h"

#include <unistd.h>

#include "platform/ini_file.h"
#include "platform/ini_syntax.h"
#include "platform/operator_texts.h"
#include "platform/station_order.h"

namespace platform {

KelvaronSettings ReadKelvaronSettings(const std::string& kelvaronIni) {
    IniFile ini(kelvaronIni);
    return ReadKelvaronSettings(ini);
}

KelvaronSettings ReadKelvaronSettings(IniFile& ini) {
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

const StationSettings* RunSettings::Find(const std::string& station) const {
    for (const StationSettings& s : stations)
        if (EqualsNoCase(s.name, station)) return &s;
    return nullptr;
}

RunSettings ResolveRunSettings(IniFile& kelvaronIni, IniFile& tvxIni,
                               const std::vector<std::string>& stations) {
    RunSettings settings;
    settings.kelvaronIni = kelvaronIni.path();
    settings.tvxIni = tvxIni.path();
    settings.dataDir = ReadDataDirectory(tvxIni, kDataDirectoryChars);
    for (const std::string& station : stations)
        settings.stations.push_back(
            {station, ReadSourceDirectory(kelvaronIni, station, kSourceDirectoryChars),
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

std::string DataDirectoryProblem(const std::string& tvxIni) {
    return DataDirectoryProblem(ReadDataDirectory(tvxIni, kDataDirectoryChars), tvxIni);
}

std::string DataDirectoryProblem(const std::string& dataDir, const std::string& tvxIni) {
    if (!dataDir.empty()) return {};
    return texts::NoDataDirectory(tvxIni, ::access(tvxIni.c_str(), R_OK) == 0);
}

std::string ListedSourceDirectory(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string SourceDirectory(const std::string& station, std::size_t maxChars) {
    return ListedSourceDirectory(ReadSourceDirectory(KelvaronIniPath(), station, maxChars));
}

}  // namespace platform
