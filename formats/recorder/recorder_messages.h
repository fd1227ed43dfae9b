// The operator's texts about a recorder file that is refused or only partly
// taken. Each names the file; all go out with the error caption.
#pragma once

#include <string>

#include "platform/operator_texts.h"

namespace engine {

inline constexpr const char* kRecorderErrorCaption = platform::texts::kErrorCaption;

// The start (DATE_INT, TIME_INT) is not a finite time.
std::string NonFiniteStartMessage(const std::string& path);
// DATE_INT or TIME_INT out of a recorder clock's bounds (month 13, hour 25...).
std::string ImpossibleStartMessage(const std::string& path);
// The data block's sample rate is not a positive finite number.
std::string ImpossibleSampleRateMessage(const std::string& path);
// The station or a channel name holds control or text direction characters.
std::string DeceptiveNamesMessage(const std::string& path);
// The trigger time of the EVENT section is not a finite time.
std::string NonFiniteEventMessage(const std::string& path);
// The recording holds fewer records than its header announces, and the
// channel's existing trace file, which holds more samples, was kept.
std::string IncompleteRecordingMessage(const std::string& path, const std::string& channel);
// A picked file that is a FIFO, a device or a directory.
std::string NotARegularFileMessage(const std::string& path);

// Why a picked file is not converted, where no other message says so.
enum class FileRefusal {
    Empty,
    NotARecording,      // no recorder header: none of NAME, DATE_INT, TIME_INT
    Unreadable,         // cannot be opened; the system's reason goes with it
    DanglingLink,       // a symbolic link to nothing
    NoSpan,             // no DATE_INT or TIME_INT
    DataOffsetOutside,  // OFFSET_TO_DATA negative or past the end
    NoChannel,          // no channel with a name to convert (N_CH, CH#, stream section)
    NoTickedChannel,
    DataUnreadable,
};
std::string RefusalMessage(FileRefusal refusal, const std::string& path);

}  // namespace engine
