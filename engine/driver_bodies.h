// The bodies of the two kinds of run. The workers that StartConvertFiles and
// StartConvertWindow create run them; tests call them directly, on their own
// thread, with outputs of their own.
#pragma once

#include <string>

#include "engine/drivers.h"
#include "engine/front_end.h"
#include "engine/recording_outputs.h"

// File run: the file dialog, then each picked file of a selected station.
int ConvertFilesThread(const ConvertRequest& request, engine::RecordingOutputs& outputs);
void ConvertSelectedFiles(const ConvertRequest& request, engine::RecordingOutputs& outputs);

// Time-window run over the selected stations.
int ConvertWindowThread(engine::FrontEnd& dialog, engine::RecordingOutputs& outputs);
// One station's source directory: every recording of the station that
// overlaps [start, start + length). Database and memory errors leave it.
void ConvertStationWindow(const std::string& station, engine::FrontEnd& dialog, double start,
                          double length, engine::RecordingOutputs& outputs);

namespace engine {

// StartConvertFiles and StartConvertWindow with outputs of the caller's.
bool StartConvertFiles(ConvertRequest& request, RecordingOutputs& outputs);
bool StartConvertWindow(FrontEnd& dialog, RecordingOutputs& outputs);

// A station's source directory from kelvaron.ini (its own DIR, else the one
// of section KELVARON), cut to maxChars, always ending in "/".
std::string SourceDirectory(const std::string& station, std::size_t maxChars);

}  // namespace engine
