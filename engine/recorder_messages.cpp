#include "engine/recorder_messages.h"

namespace engine {

std::string NonFiniteStartMessage(const std::string& path) {
    // "Invalid start time of the recording in file '%s'"
    return "Недопустимое время начала записи в файле '" + path + "'";
}

std::string NonFiniteEventMessage(const std::string& path) {
    // "Invalid event time in file '%s'"
    return "Недопустимое время события в файле '" + path + "'";
}

std::string IncompleteRecordingMessage(const std::string& path, const std::string& channel) {
    // "Recording in file '%s' is incomplete, the existing trace of channel %s is kept"
    return "Запись в файле '" + path + "' неполная, прежняя трасса канала " + channel +
           " сохранена";
}

std::string NotARegularFileMessage(const std::string& path) {
    // "'%s' is not a regular file"
    return "'" + path + "' не является обычным файлом";
}

}  // namespace engine
