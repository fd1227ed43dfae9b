// A MessageSink that keeps what it was asked to show, for tests to inspect.
#pragma once

#include <string>
#include <vector>

#include "platform/message_sink.h"

namespace testing_support {

struct ShownMessage {
    std::string text;
    std::string caption;
    platform::MessageIcon icon;
};

class RecordingMessageSink : public platform::MessageSink {
public:
    void ShowMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override {
        shown.push_back({text, caption, icon});
    }
    std::vector<ShownMessage> shown;
};

}  // namespace testing_support
