// One recorder file -> its event row and one trace file per selected channel.
#pragma once

#include <string>

#include "engine/front_end.h"
#include "engine/recording_outputs.h"
#include "platform/ini_file.h"

// 1 when the data block was read and the channels dispatched, 0 when the file
// was rejected before (silently). TraceFileError is shown and the next
// channel goes on; database errors and std::bad_alloc leave at once.
int ConvertRecording(const std::string& station, const std::string& path, engine::FrontEnd& dialog);

namespace engine {

// The same over a header already open (the drivers read NAME and the times
// from it first), with the outputs to use.
int ConvertRecording(const std::string& station, platform::IniFile& header, FrontEnd& dialog,
                     RecordingOutputs& outputs);

}  // namespace engine
