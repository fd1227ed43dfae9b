// The one listing of a station's source directory, for the time-window run,
// the viewer's timeline and the check's recording finder alike, and the look
// at one entry's header that decides whether it is the station's recording.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/recorder/recorder_header.h"
#include "platform/ini_file.h"

namespace engine {

struct SourceEntry {
    std::string name;
    bool regular = false;  // by the listing's own file type: a pipe is never opened
};

// The entries of dir in the order the file system returns them, without the
// names that begin with ".": copying tools write a file that is still
// arriving under such a name (and "." and ".." go with them). stop is asked
// before each entry; a stop ends the listing with what it has. nullopt when
// the directory cannot be listed.
std::optional<std::vector<SourceEntry>> ListSourceDirectory(const std::string& dir,
                                                            const std::function<bool()>& stop = {});

// What the header of one entry says about it, for one station.
struct SourceRecording {
    enum class Verdict { NotRegular, NoStation, OtherStation, NoSpan, Recording };
    Verdict verdict = Verdict::NotRegular;
    std::string path;
    std::string station;  // SYSTEM/NAME, when the header gives one
    RecordingSpan span;   // for a Recording
    // The header as the look read it (only the leading bytes are kept), so
    // that converting the recording opens it no second time.
    std::unique_ptr<platform::IniFile> header;
};

// A regular entry of dir (ending in "/") is the station's recording when its
// SYSTEM/NAME equals station exactly and its FILE section gives a start.
SourceRecording ExamineSourceEntry(const std::string& dir, const SourceEntry& entry,
                                   const std::string& station);

// Whether a time-window run over [start, start + length) converts the
// station's recording found: its span overlaps the window, or its start is
// no recorder's instant and cannot be placed (the conversion then refuses it
// by name rather than passing it over).
bool WindowTakes(const SourceRecording& found, double start, double length);

}  // namespace engine
