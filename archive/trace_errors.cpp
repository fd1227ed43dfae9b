#include "archive/trace_errors.h"

#include <cerrno>
#include <cstdio>

#include "platform/operator_texts.h"
#include "platform/system_reason.h"
#include "platform/text_encoding.h"

namespace engine {

namespace {

// A trace file is created where it is to be, so a missing entry is a
// missing directory and a directory by its name is in the way.
std::string TraceReason(int error) {
    if (error == ENOENT) return platform::texts::kNoSuchDirectory;
    if (error == EISDIR) return platform::texts::kDirectoryInTheWay;
    return platform::SystemReason(error);
}

std::string Detail(const std::string& fullPath, int error) {
    return fullPath + ": " + TraceReason(error);
}

}  // namespace

TraceFileError TraceOpenError(const std::string& fileNamePart, const std::string& fullPath,
                              int error) {
    return TraceFileError(platform::texts::TraceOpenFailed(fileNamePart), Detail(fullPath, error));
}

TraceFileError TraceWriteError(const std::string& fileNamePart, const std::string& fullPath,
                               int error) {
    return TraceFileError(platform::texts::TraceWriteFailed(fileNamePart), Detail(fullPath, error));
}

TraceFileError LinkOutOfDataDirectory(const std::string& fileNamePart,
                                      const std::string& fullPath) {
    return TraceFileError(platform::texts::TraceOpenFailed(fileNamePart),
                          platform::texts::LinkLeavesDataDirectory(fullPath));
}

TraceFileError RefusedStationName(const std::string& station) {
    return TraceFileError(platform::texts::RefusedStationName(platform::Text8ToUtf8(station)));
}

TraceFileError RefusedChannelName(const std::string& channel) {
    return TraceFileError(platform::texts::RefusedChannelName(platform::Text8ToUtf8(channel)));
}

TraceFileError UnplaceableStart(double start) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", start);
    return TraceFileError(platform::texts::UnplaceableStart(text));
}

}  // namespace engine
