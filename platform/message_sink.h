// Where operator messages go: the dialog shows message boxes, the batch
// command prints to stderr, tests record them.
#pragma once

#include <functional>
#include <string>

namespace platform {

// The caption of messages that carry an error's own text.
inline constexpr const char* kApplicationTitle = "kelvaron";

enum class MessageIcon { None, Error, Warning };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Modal: returns when the operator has closed the message.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
};

// A sink that hands each message to a function.
class MessageSinkFunction final : public MessageSink {
public:
    using Function =
        std::function<void(const std::string& text, const std::string& caption, MessageIcon icon)>;
    explicit MessageSinkFunction(Function show) : show_(std::move(show)) {}
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        show_(text, caption, icon);
    }

private:
    Function show_;
};

}  // namespace platform
