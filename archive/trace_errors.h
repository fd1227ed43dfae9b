// TraceFileError and its operator texts.
#pragma once

#include <stdexcept>
#include <string>

// A trace file could not be created or written; what() is the operator's
// message, detail() what the operator needs to act: the file's full path and
// the system's reason ("" when there is none to give).
class TraceFileError : public std::runtime_error {
public:
    explicit TraceFileError(const std::string& message, std::string detail = {})
        : std::runtime_error(message), detail_(std::move(detail)) {}
    const std::string& detail() const { return detail_; }

private:
    std::string detail_;
};

namespace engine {

// fileNamePart is the "/hhmmss-DDMMYYYY.CHN" part of the trace file's path;
// fullPath and error (an errno value) make the detail.
TraceFileError TraceOpenError(const std::string& fileNamePart, const std::string& fullPath,
                              int error);
TraceFileError TraceWriteError(const std::string& fileNamePart, const std::string& fullPath,
                               int error);
// The station or hour directory is a symbolic link that leads out of the
// data directory: refused like a file that cannot be created.
TraceFileError LinkOutOfDataDirectory(const std::string& fileNamePart, const std::string& fullPath);
// A station or channel name that would lead out of the data directory.
TraceFileError RefusedStationName(const std::string& station);
TraceFileError RefusedChannelName(const std::string& channel);
// A start that has no calendar date (far outside any recorder's clock).
TraceFileError UnplaceableStart(double start);

}  // namespace engine
