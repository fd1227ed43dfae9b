#include "engine/trace_errors.h"

#include <cstdio>

namespace engine {

TraceFileError TraceOpenError(const std::string& fileNamePart) {
    return TraceFileError("Ошибка открытия файла " + fileNamePart);
}

TraceFileError TraceWriteError(const std::string& fileNamePart) {
    return TraceFileError("Ошибка записи файла " + fileNamePart);
}

TraceFileError RefusedStationName(const std::string& station) {
    return TraceFileError("Недопустимое имя станции " + station);
}

TraceFileError RefusedChannelName(const std::string& channel) {
    return TraceFileError("Недопустимое имя канала " + channel);
}

TraceFileError UnplaceableStart(double start) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", start);
    return TraceFileError(std::string("Недопустимое время начала записи ") + text);
}

}  // namespace engine
