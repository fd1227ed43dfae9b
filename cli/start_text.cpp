#include "cli/start_text.h"

#include <cstdint>

#include "engine/text_scan.h"

namespace cli {
namespace {

bool IsLeap(int year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

int ScanStartText(std::string_view text, engine::StartDateTime& fields) {
    // "%2d%*[:, ]%2d%*[,: ]%2d%*[:, ]%2d%*[:,// ]%2d%*[:,// ]%4d"
    struct Step {
        int width;
        int* field;
        const char* separators;  // after the field; nullptr for the last
    } steps[] = {
        {2, &fields.hour, ":, "}, {2, &fields.minute, ",: "}, {2, &fields.second, ":, "},
        {2, &fields.day, ":,/ "}, {2, &fields.month, ":,/ "}, {4, &fields.year, nullptr},
    };
    engine::TextScanner scan(text);
    int read = 0;
    for (const Step& step : steps) {
        std::int32_t value = 0;
        if (!scan.Int(step.width, value)) break;
        *step.field = value;
        ++read;
        if (step.separators && !scan.SkipRun(step.separators)) break;
    }
    return read;
}

bool IsValidStart(const engine::StartDateTime& f) {
    if (f.month < 1 || f.month > 12 || f.hour > 23 || f.minute > 59 || f.second > 59) return false;
    return f.day <= DaysInMonth(f.year, f.month);
}

std::string NormalisedDuration(std::string text) {
    if (text.size() == 8) text = "000 " + text;
    if (text.size() != 12) text = "001 00:00:00";
    return text;
}

}  // namespace cli
