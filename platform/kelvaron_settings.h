// What the program reads from kelvaron.ini and tvx.ini, read once here for
// both front ends and the engine.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/calendar_text.h"

namespace platform {

// Station names are read into 64-character buffers and used as 31.
inline constexpr std::size_t kStationReadChars = 63;
inline constexpr std::size_t kStationNameChars = 31;
// The channel list's column-0 texts (and the batch's --channels names).
inline constexpr std::size_t kChannelNameChars = 15;

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

// Sorts the names in station order and keeps each once (by StationEquals);
// returns the ones left out.
std::vector<std::string> RemoveDuplicateStations(std::vector<std::string>& stations);

// The station's own DIR, else [KELVARON] DIR, cut to maxChars; "" when neither
// names one.
std::string ReadSourceDirectory(const std::string& kelvaronIni, const std::string& station,
                                std::size_t maxChars);
// The station's source directory from the kelvaron.ini in effect, as
// ReadSourceDirectory gives it, always ending in "/".
std::string SourceDirectory(const std::string& station, std::size_t maxChars);
// USEGAIN of the station's section (1 when missing) is not 0.
bool ReadUseGain(const std::string& kelvaronIni, const std::string& station);

// [DATA] DIR of tvx.ini, cut to maxChars ("" when missing).
std::string ReadDataDirectory(const std::string& tvxIni, std::size_t maxChars);
// Why the settings file cannot be read, or "" when it can. A missing file
// is no problem unless mustExist: tvx.ini may be absent (its defaults
// apply), a file named on the command line may not. An unreadable tvx.ini
// must not pass for a missing one: its defaults would be used silently.
std::string SettingsFileProblem(const std::string& path, bool mustExist);
// Why no run may start for the data directory, or "" when it can take the
// trace tree: it must be set, absolute, not the file system's root, and a
// directory that exists and may be written.
std::string DataDirectoryProblem(const std::string& tvxIni);

}  // namespace platform
