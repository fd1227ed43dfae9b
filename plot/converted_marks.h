// Which recordings of a station the catalogue already holds trace files of.
#pragma once

#include <string>
#include <vector>

#include "plot/recording_source.h"

namespace app {

// Per entry: true when sortedPaths (FILELIST's CPATH values of the station,
// sorted) has a trace of it, that is a path STA/hhDDMMYYYY/hhmmss-DDMMYYYY.CHN
// for the entry's start and any channel.
std::vector<bool> ConvertedMarks(const std::string& station,
                                 const std::vector<plot::RecordingEntry>& entries,
                                 const std::vector<std::string>& sortedPaths);

}  // namespace app
