#include "cli/batch_window.h"

#include <ctime>
#include <optional>
#include <string_view>

#include "cli/time_window_text.h"
#include "formats/recorder/recorder_text.h"
#include "platform/calendar_text.h"
#include "platform/operator_texts.h"

namespace cli {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The start field's layout, typed in full: six runs of digits (a four-digit
// year last, one or two digits before it) that the field's scan reads, and
// nothing but separators between them. "15/03/24" is no year 24.
bool ScanLegacyStartInFull(std::string_view text, platform::CalendarFields& fields) {
    if (text.empty() || !IsDigit(text.front()) || !IsDigit(text.back())) return false;
    int runs = 0;
    std::size_t runLength = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && IsDigit(text[i])) {
            ++runLength;
            continue;
        }
        if (runLength > 0) {
            ++runs;
            const bool year = i == text.size();
            if (year ? runLength != 4 : runLength > 2) return false;
        }
        runLength = 0;
        if (i < text.size() && std::string_view(" ,:/").find(text[i]) == std::string_view::npos)
            return false;
    }
    return runs == 6 && platform::ScanStartText(text, fields) == 6;
}

// A start or end: now or a time before it, ISO 8601, or the field's layout.
std::optional<platform::CalendarFields> ParseMoment(std::string_view text,
                                                    const platform::CalendarFields& now) {
    if (const auto offset = engine::ParseOffsetFromNow(text))
        return engine::ShiftedBy(now, *offset);
    if (const auto iso = engine::ParseIsoDateTime(text)) return iso;
    platform::CalendarFields fields;
    if (ScanLegacyStartInFull(text, fields)) return fields;
    return std::nullopt;
}

// "DDD hh:mm:ss" or "hh:mm:ss", digits where the field has them.
bool IsDurationFieldText(std::string_view text) {
    const std::string_view shape = text.size() == 8 ? "00:00:00" : "000 00:00:00";
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '0' ? !IsDigit(text[i]) : text[i] != shape[i]) return false;
    return true;
}

}  // namespace

ResolvedWindow ResolveBatchWindow(const BatchOptions& options,
                                  const platform::KelvaronSettings& settings,
                                  const platform::CalendarFields& now) {
    ResolvedWindow r;
    r.window = {settings.start, settings.duration, engine::ParseDurationSeconds(settings.duration)};
    const auto usage = [&r](std::string message) {
        r.usageError = std::move(message);
        return r;
    };
    if (options.since && (options.start || options.end || options.duration))
        return usage(platform::texts::kSinceIsTheWholeWindow);
    if (options.end && options.duration) return usage(platform::texts::kEndOrDuration);

    if (options.since) {
        const auto seconds = engine::ParseLengthSeconds(*options.since);
        const auto text = seconds ? engine::DurationFieldText(*seconds) : std::nullopt;
        if (!text) return usage(platform::texts::NotALength("--since", *options.since));
        r.window = {engine::ShiftedBy(now, -*seconds), *text, static_cast<double>(*seconds)};
        return r;
    }
    if (options.start) {
        const auto start = ParseMoment(*options.start, now);
        if (!start) return usage(platform::texts::NotAMoment("--start", *options.start));
        r.window.start = *start;
    }
    if (!platform::IsValidStart(r.window.start)) {
        r.invalidTime = true;
        return r;
    }
    if (options.end) {
        const auto end = ParseMoment(*options.end, now);
        if (!end) return usage(platform::texts::NotAMoment("--end", *options.end));
        if (!platform::IsValidStart(*end)) {
            r.invalidTime = true;
            return r;
        }
        const std::int64_t seconds = engine::SecondsBetween(r.window.start, *end);
        const auto text = engine::DurationFieldText(seconds);
        if (!text) return usage(platform::texts::kEndOutOfRange);
        r.window.duration = *text;
        r.window.lengthSeconds = static_cast<double>(seconds);
    } else if (options.duration) {
        const auto seconds = engine::ParseLengthSeconds(*options.duration);
        if (const auto text = seconds ? engine::DurationFieldText(*seconds) : std::nullopt) {
            r.window.duration = *text;
            r.window.lengthSeconds = static_cast<double>(*seconds);
        } else if (IsDurationFieldText(*options.duration)) {
            r.window.duration = platform::RepairDurationText(*options.duration);
            r.window.lengthSeconds = engine::ParseDurationSeconds(r.window.duration);
        } else {
            return usage(platform::texts::NotALength("--duration", *options.duration));
        }
    }
    return r;
}

ResolvedMoment ResolveSyncFrom(const std::string& text, const platform::CalendarFields& now) {
    ResolvedMoment r;
    const auto moment = ParseMoment(text, now);
    if (!moment) {
        r.usageError = platform::texts::NotAMoment("--from", text);
        return r;
    }
    r.moment = *moment;
    r.invalidTime = !platform::IsValidStart(*moment);
    return r;
}

platform::CalendarFields LocalWallClockNow() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    // A leap second reads as the last second of its minute.
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec > 59 ? 59 : local.tm_sec};
}

}  // namespace cli
