// What the program reads from kelvaron.ini and tvx.ini, read once here for
// both front ends and the engine.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/calendar_text.h"
#include "platform/ini_syntax.h"

namespace platform {

// Station names are read into 64-character buffers and used as 31.
inline constexpr std::size_t kStationReadChars = 63;
inline constexpr std::size_t kStationNameChars = 31;
// The channel list's column-0 texts (and the batch's --channels names).
inline constexpr std::size_t kChannelNameChars = 15;
// A station's source directory as runs read it from kelvaron.ini, and the
// data directory as tvx.ini gives it to the trace writer.
inline constexpr std::size_t kSourceDirectoryChars = 255;
inline constexpr std::size_t kDataDirectoryChars = 255;

class IniFile;

struct KelvaronSettings {
    // STA0..STA(NSTA-1) of [KELVARON], empty ones left out, each name once,
    // in station order.
    std::vector<std::string> stations;
    // Names listed again (by the station comparison) and left out above.
    std::vector<std::string> duplicates;
    // TIME read over 00:00:00 01/01/2000 (unread fields keep those values).
    CalendarFields start;
    // TIMEQTY, repaired to DDD hh:mm:ss.
    std::string duration;
};

KelvaronSettings ReadKelvaronSettings(const std::string& kelvaronIni);
KelvaronSettings ReadKelvaronSettings(IniFile& kelvaronIni);

// What a run takes from kelvaron.ini for one station.
struct StationSettings {
    std::string name;
    // As ReadSourceDirectory gives it ("" when none is named).
    std::string sourceDir;
    bool useGain = true;
};

// Everything a run reads from the two settings files, resolved when it
// starts: each file is read once, and the run reads neither again.
struct RunSettings {
    std::string kelvaronIni, tvxIni;        // the files as they were named
    std::string dataDir;                    // [DATA] DIR, cut to kDataDirectoryChars
    std::vector<StationSettings> stations;  // in the order added

    void Add(StationSettings station);
    // The settings of the station whose section kelvaron.ini would give
    // `station` (names match without regard to ASCII case, as sections do);
    // nullptr when the run was not given it. A run asks this for each of its
    // stations, so it must not cost a walk over all of them.
    const StationSettings* Find(const std::string& station) const;

private:
    // ASCII-folded name -> index into stations.
    std::unordered_map<std::string, std::size_t> byName_;
};

RunSettings ResolveRunSettings(IniFile& kelvaronIni, IniFile& tvxIni,
                               const std::vector<std::string>& stations);
// The same from ./kelvaron.ini and the tvx.ini in effect.
RunSettings ResolveRunSettings(const std::vector<std::string>& stations);

// Sorts the names in station order and keeps each once (by StationEquals);
// returns the ones left out.
std::vector<std::string> RemoveDuplicateStations(std::vector<std::string>& stations);

// The station's own DIR, else [KELVARON] DIR, cut to maxChars; "" when neither
// names one.
std::string ReadSourceDirectory(const std::string& kelvaronIni, const std::string& station,
                                std::size_t maxChars);
std::string ReadSourceDirectory(IniFile& kelvaronIni, const std::string& station,
                                std::size_t maxChars);
// The directory with "/" appended when it does not end in one (the empty text
// included), as a run lists it.
std::string ListedSourceDirectory(std::string dir);
// The station's source directory from the kelvaron.ini in effect, as
// ReadSourceDirectory gives it, always ending in "/".
std::string SourceDirectory(const std::string& station, std::size_t maxChars);
// USEGAIN of the station's section (1 when missing) is not 0.
bool ReadUseGain(const std::string& kelvaronIni, const std::string& station);
bool ReadUseGain(IniFile& kelvaronIni, const std::string& station);

// [DATA] DIR of tvx.ini, cut to maxChars ("" when missing).
std::string ReadDataDirectory(const std::string& tvxIni, std::size_t maxChars);
std::string ReadDataDirectory(IniFile& tvxIni, std::size_t maxChars);
// Why the settings file cannot be read, or "" when it can. A missing file
// is no problem unless mustExist: tvx.ini may be absent (its defaults
// apply), a file named on the command line may not. An unreadable tvx.ini
// must not pass for a missing one: its defaults would be used silently.
std::string SettingsFileProblem(const std::string& path, bool mustExist);
// The same for a settings file a run has open already.
std::string SettingsFileProblem(IniFile& file, bool mustExist);
// Why no run may start for the data directory, or "" when it can take the
// trace tree: it must be set, absolute, not the file system's root, and a
// directory that exists and may be written.
std::string DataDirectoryProblem(const std::string& tvxIni);
// The same for the data directory a run resolved from tvxIni.
std::string DataDirectoryProblem(const std::string& dataDir, const std::string& tvxIni);

}  // namespace platform
