#include "archive/trace_file_check.h"

#include <cmath>
#include <cstdio>

#include "archive/trace_writer.h"
#include "formats/tvx/tvx_header.h"
#include "platform/text_encoding.h"

namespace engine {

namespace {

// What the writer puts in the duration line for n samples at rate.
DurationClock WrittenDuration(std::uint64_t samples, double rate) {
    return DurationClockOf(samples == 0 || rate <= 0 ? 0.0 : static_cast<double>(samples) / rate);
}

std::string ClockText(std::int32_t a, std::int32_t b, std::int32_t c, const char* format) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string StartText(const TraceStart& s) {
    return ClockText(s.hour, s.minute, s.second, "%02d:%02d:%02d ") +
           ClockText(s.day, s.month, s.year, "%02d.%02d.%04d");
}

// The columns of row that say something else than the file.
std::vector<RowDifference> Disagreements(const TraceHeaderFields& h, std::uint64_t samples,
                                         const catalog::FileListRow& row) {
    using Column = RowDifference::Column;
    std::vector<RowDifference> out;
    // The header keeps the recording's 8-bit bytes; the catalogue answers in UTF-8.
    const std::string station = platform::Text8ToUtf8(h.station);
    const std::string channel = platform::Text8ToUtf8(h.channel);
    if (row.station != station) out.push_back({Column::Station, row.station, station});
    if (row.channel != channel) out.push_back({Column::Channel, row.channel, channel});
    const std::optional<TraceStart> start = TraceStartOf(row.start);
    if (!start || StartText(*start) != StartText(h.start))
        out.push_back({Column::Start, start ? StartText(*start) : "", StartText(h.start)});
    char rate[64];
    std::snprintf(rate, sizeof rate, "%lf", row.rate);
    if (rate != h.rateText) out.push_back({Column::Rate, rate, h.rateText});
    const double expected = row.duration * row.rate;
    if (!std::isfinite(expected) || std::llround(expected) != static_cast<long long>(samples))
        out.push_back({Column::Samples,
                       std::isfinite(expected) ? std::to_string(std::llround(expected)) : "",
                       std::to_string(samples)});
    return out;
}

bool ReadDigits(const std::string& text, std::size_t at, std::size_t count, std::int32_t& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

}  // namespace

std::optional<NamedTrace> TraceNamedBy(const std::string& relative) {
    const std::size_t first = relative.find('/');
    const std::size_t last = relative.rfind('/');
    if (first == std::string::npos || first == 0 || first == last) return std::nullopt;
    const std::string file = relative.substr(last + 1);
    NamedTrace named{relative.substr(0, first), {}};
    TraceStart& s = named.start;
    // hhmmss-DDMMYYYY.CH
    if (file.size() < 17 || file[6] != '-' || file[15] != '.' || !ReadDigits(file, 0, 2, s.hour) ||
        !ReadDigits(file, 2, 2, s.minute) || !ReadDigits(file, 4, 2, s.second) ||
        !ReadDigits(file, 7, 2, s.day) || !ReadDigits(file, 9, 2, s.month) ||
        !ReadDigits(file, 11, 4, s.year))
        return std::nullopt;
    // The hour directory must be the start's too.
    if (ComposeTraceLocation("", named.station, file.substr(16), s).catalogPath != relative)
        return std::nullopt;
    return named;
}

FileVerdict JudgeTraceFile(const std::string& relative, const char* bytes, std::size_t byteCount,
                           std::uint64_t size, const catalog::FileListRow* row) {
    FileVerdict verdict;
    constexpr std::uint64_t kHeader = kTraceHeaderSize;
    if (size < kHeader) {
        verdict.problem = CheckProblemKind::BadHeader;
        verdict.reason = {CheckReasonCode::ShorterThanHeader, {std::to_string(size)}};
        return verdict;
    }
    verdict.header = ParseTraceHeader(bytes, byteCount);
    if (!verdict.header) {
        verdict.problem = CheckProblemKind::BadHeader;
        verdict.reason = {CheckReasonCode::NotTheHeader};
        return verdict;
    }
    const TraceHeaderFields& h = *verdict.header;
    const std::uint64_t samples = (size - kHeader) / 2;
    const DurationClock shown{h.durationHour, h.durationMinute, h.durationSecond};
    // The header's own duration line must be that of the samples present; the
    // row's rate is unrounded, the header's has six decimals, either will do.
    const bool durationAgrees = WrittenDuration(samples, h.rate) == shown ||
                                (row && WrittenDuration(samples, row->rate) == shown);
    if ((size - kHeader) % 2 != 0 || !durationAgrees) {
        verdict.problem = CheckProblemKind::BadSize;
        verdict.reason = {
            CheckReasonCode::SizeNotSamples,
            {std::to_string(size),
             ClockText(shown.hour, shown.minute, shown.second, "%02d %02d %02d"), h.rateText}};
        return verdict;
    }
    const std::string expected =
        ComposeTraceLocation("", h.station, h.channel, h.start).catalogPath;
    if (expected != relative) {
        verdict.problem = CheckProblemKind::BadName;
        verdict.reason = {CheckReasonCode::NameNotItsStart, {expected}};
        return verdict;
    }
    if (!row) {
        verdict.problem = CheckProblemKind::NoRow;
        verdict.reason = {CheckReasonCode::NoRow};
        return verdict;
    }
    if (std::vector<RowDifference> differs = Disagreements(h, samples, *row); !differs.empty()) {
        verdict.problem = CheckProblemKind::RowDisagrees;
        verdict.reason = {CheckReasonCode::RowDisagrees, {}, 0, std::move(differs)};
    }
    return verdict;
}

}  // namespace engine
