// A cursor over a text that reads fields the way the C scanf directives the
// recorder, duration and start texts are defined by do (%Nd, %*1c, %f,
// %*[set], a blank), independent of the process locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace engine {

class TextScanner {
public:
    explicit TextScanner(std::string_view text) : text_(text) {}

    // %Nd: skips blanks, then reads a sign and digits, at most width
    // characters of them. False (value untouched) when no digit is there.
    bool Int(int width, std::int32_t& value);
    // %*1c: any one character. False at the end of the text.
    bool AnyChar();
    // %f: skips blanks, reads a decimal floating-point number as a float.
    bool Float(float& value);
    // %*[set]: one or more characters of set.
    bool SkipRun(std::string_view set);
    // A blank in the format: any number of blanks, none included.
    void SkipBlanks();

    std::size_t position() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace engine
