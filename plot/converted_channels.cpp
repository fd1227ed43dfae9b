#include "plot/converted_channels.h"

#include <algorithm>
#include <optional>

#include "formats/tvx/trace_naming.h"

namespace plot {

CataloguedTracePaths::CataloguedTracePaths(std::vector<std::string> paths)
    : sorted_(std::move(paths)) {
    std::sort(sorted_.begin(), sorted_.end());
}

bool CataloguedTracePaths::HoldsTrace(const std::string& station, const std::string& channel,
                                      double start) const {
    const std::optional<engine::TraceStart> fields = engine::TraceStartOf(start);
    if (!fields) return false;
    const std::string path =
        engine::ComposeTraceLocation("/", station, channel, *fields).catalogPath;
    return std::binary_search(sorted_.begin(), sorted_.end(), path);
}

RecordingConversion ConversionOf(const ConvertedTraces& traces, const std::string& station,
                                 double start, const std::vector<std::string>& channels,
                                 const std::string& sourcePath) {
    RecordingConversion out;
    if (std::optional<std::string> failure =
            sourcePath.empty() ? std::nullopt : traces.FailureOf(sourcePath)) {
        out.state = Conversion::Failed;
        out.channels.assign(channels.size(), false);
        out.failure = std::move(*failure);
        return out;
    }
    std::size_t held = 0;
    for (const std::string& channel : channels) {
        const bool h = traces.HoldsTrace(station, channel, start);
        out.channels.push_back(h);
        held += h ? 1 : 0;
    }
    if (held > 0) out.state = held == channels.size() ? Conversion::Whole : Conversion::Partly;
    return out;
}

}  // namespace plot
