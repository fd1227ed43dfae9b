#include "plot/converted_marks.h"

#include <algorithm>
#include <optional>

#include "formats/tvx/trace_naming.h"

namespace app {

namespace {

// The catalogue path of the entry's traces up to the channel: "STA/.../...-DDMMYYYY.".
std::string TracePathStem(const std::string& station, double start) {
    const std::optional<engine::TraceStart> fields = engine::TraceStartOf(start);
    if (!fields) return {};
    return engine::ComposeTraceLocation("/", station, "", *fields).catalogPath;
}

}  // namespace

std::vector<bool> ConvertedMarks(const std::string& station,
                                 const std::vector<plot::RecordingEntry>& entries,
                                 const std::vector<std::string>& sortedPaths) {
    std::vector<bool> marks;
    marks.reserve(entries.size());
    for (const plot::RecordingEntry& e : entries) {
        const std::string stem = TracePathStem(station, e.start);
        const auto it = std::lower_bound(sortedPaths.begin(), sortedPaths.end(), stem);
        marks.push_back(!stem.empty() && it != sortedPaths.end() && it->starts_with(stem));
    }
    return marks;
}

}  // namespace app
