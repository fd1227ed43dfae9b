#include "formats/recorder/recorder_messages.h"

#include "platform/text_encoding.h"

namespace engine {

namespace {

// Messages are UTF-8; a name or path may come in code page 1251.
std::string Quoted(const std::string& text) { return "'" + platform::Text8ToUtf8(text) + "'"; }

}  // namespace

std::string NonFiniteStartMessage(const std::string& path) {
    // "Invalid start time of the recording in file '%s'"
    return "Недопустимое время начала записи в файле " + Quoted(path);
}

std::string NonFiniteEventMessage(const std::string& path) {
    // "Invalid event time in file '%s'"
    return "Недопустимое время события в файле " + Quoted(path);
}

std::string IncompleteRecordingMessage(const std::string& path, const std::string& channel) {
    // "Recording in file '%s' is incomplete, the existing trace of channel %s is kept"
    return "Запись в файле " + Quoted(path) + " неполная, прежняя трасса канала " +
           platform::Text8ToUtf8(channel) + " сохранена";
}

std::string NotARegularFileMessage(const std::string& path) {
    // "'%s' is not a regular file"
    return Quoted(path) + " не является обычным файлом";
}

}  // namespace engine
