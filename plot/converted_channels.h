// Which channels of a station's recording the archive already holds a trace
// of. The question goes through a small interface, so that whoever keeps the
// best account of what was converted can answer it; today the catalogue's
// FILELIST paths do.
#pragma once

#include <string>
#include <vector>

namespace plot {

class ConvertedTraces {
public:
    virtual ~ConvertedTraces() = default;
    // True when the trace that `channel` of the station's recording starting
    // at `start` (epoch seconds) would be written to is held.
    virtual bool HoldsTrace(const std::string& station, const std::string& channel,
                            double start) const = 0;
};

// The answer from FILELIST's CPATH values: a trace is held when its row names
// the path the writer gives it (STA/hhDDMMYYYY/hhmmss-DDMMYYYY.CHN).
class CataloguedTracePaths final : public ConvertedTraces {
public:
    explicit CataloguedTracePaths(std::vector<std::string> paths);
    bool HoldsTrace(const std::string& station, const std::string& channel,
                    double start) const override;

private:
    std::vector<std::string> sorted_;
};

enum class Conversion {
    None,    // no channel's trace is held (or the recording names no channel)
    Partly,  // some are
    Whole,   // every named channel's is
};

struct RecordingConversion {
    Conversion state = Conversion::None;
    std::vector<bool> channels;  // per name given, in that order
};

// The state of the recording that starts at `start` and names `channels`.
RecordingConversion ConversionOf(const ConvertedTraces& traces, const std::string& station,
                                 double start, const std::vector<std::string>& channels);

}  // namespace plot
