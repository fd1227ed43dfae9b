#include "archive/trace_errors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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
            return "нет места на диске";  // no space left on the device
        case EROFS:
            return "файловая система только для чтения";  // read-only file system
        case EACCES:
        case EPERM:
            return "нет доступа";  // permission denied
        case ENAMETOOLONG:
            return "слишком длинное имя";  // name too long
        case ENOTDIR:
            return "не является каталогом";  // not a directory
        case ENOENT:
            return "нет такого каталога";  // no such directory
        case EISDIR:
            return "на этом месте каталог";  // a directory stands there
        case EFBIG:
            return "файл слишком большой";  // file too large
        case EIO:
            return "ошибка ввода-вывода";  // input/output error
        default: {
            char text[160];
            std::snprintf(text, sizeof text, "%s (errno %d)", std::strerror(error), error);
            return text;
        }
    }
}

TraceFileError TraceOpenError(const std::string& fileNamePart, const std::string& fullPath,
                              int error) {
    return TraceFileError("Ошибка открытия файла " + fileNamePart, Detail(fullPath, error));
}

TraceFileError TraceWriteError(const std::string& fileNamePart, const std::string& fullPath,
                               int error) {
    return TraceFileError("Ошибка записи файла " + fileNamePart, Detail(fullPath, error));
}

TraceFileError LinkOutOfDataDirectory(const std::string& fileNamePart,
                                      const std::string& fullPath) {
    // A symbolic link leads out of the data directory.
    return TraceFileError("Ошибка открытия файла " + fileNamePart,
                          fullPath + ": символическая ссылка ведёт за пределы каталога данных");
}

TraceFileError RefusedStationName(const std::string& station) {
    return TraceFileError("Недопустимое имя станции " + platform::Text8ToUtf8(station));
}

TraceFileError RefusedChannelName(const std::string& channel) {
    return TraceFileError("Недопустимое имя канала " + platform::Text8ToUtf8(channel));
}

TraceFileError UnplaceableStart(double start) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", start);
    return TraceFileError(std::string("Недопустимое время начала записи ") + text);
}

}  // namespace engine
