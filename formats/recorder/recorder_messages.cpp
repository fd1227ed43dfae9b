#include "formats/recorder/recorder_messages.h"

#include "platform/operator_texts.h"
#include "platform/text_encoding.h"

namespace engine {

namespace {

// Messages are UTF-8; a name or path may come in code page 1251.
std::string Quoted(const std::string& text) { return "'" + platform::Text8ToUtf8(text) + "'"; }

}  // namespace

std::string NonFiniteStartMessage(const std::string& path) {
    return platform::texts::NonFiniteStart(Quoted(path));
}

std::string ImpossibleStartMessage(const std::string& path) {
    return platform::texts::ImpossibleStart(Quoted(path));
}

std::string ImpossibleSampleRateMessage(const std::string& path) {
    return platform::texts::ImpossibleSampleRate(Quoted(path));
}

std::string DeceptiveNamesMessage(const std::string& path) {
    return platform::texts::DeceptiveNames(Quoted(path));
}

std::string NonFiniteEventMessage(const std::string& path) {
    return platform::texts::NonFiniteEvent(Quoted(path));
}

std::string IncompleteRecordingMessage(const std::string& path, const std::string& channel) {
    return platform::texts::IncompleteRecording(Quoted(path), platform::Text8ToUtf8(channel));
}

std::string NotARegularFileMessage(const std::string& path) {
    return platform::texts::NotARegularFile(Quoted(path));
}

}  // namespace engine
