#include "archive/trace_errors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/operator_texts.h"
#include "platform/text_encoding.h"

namespace engine {

namespace {

std::string Detail(const std::string& fullPath, int error) {
    return fullPath + ": " + SystemReason(error);
}

}  // namespace

std::string SystemReason(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return platform::texts::kNoSpace;
        case EROFS:
            return platform::texts::kReadOnlyFileSystem;
        case EACCES:
        case EPERM:
            return platform::texts::kPermissionDenied;
        case ENAMETOOLONG:
            return platform::texts::kNameTooLong;
        case ENOTDIR:
            return platform::texts::kNotADirectory;
        case ENOENT:
            return platform::texts::kNoSuchDirectory;
        case EISDIR:
            return platform::texts::kDirectoryInTheWay;
        case EFBIG:
            return platform::texts::kFileTooLarge;
        case EIO:
            return platform::texts::kInputOutputError;
        default: {
            char text[160];
            std::snprintf(text, sizeof text, "%s (errno %d)", std::strerror(error), error);
            return text;
        }
    }
}

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
