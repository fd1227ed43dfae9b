// Which channels of a station's recording the archive already holds a trace
// of. The question goes through a small interface, so that whoever keeps the
// best account of what was converted can answer it; today the catalogue's
// FILELIST paths do.
#pragma once

#include <optional>
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
    // The message of the recording at sourcePath (its path as listed) when
    // the account says its conversion failed; FILELIST keeps no failures.
    virtual std::optional<std::string> FailureOf(const std::string& /*sourcePath*/) const {
        return std::nullopt;
    }
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
    Failed,  // its last conversion failed: nothing of it is held
};

struct RecordingConversion {
    Conversion state = Conversion::None;
    std::vector<bool> channels;  // per name given, in that order
    std::string failure;         // Failed: the failure's message
};

// The state of the recording that starts at `start` and names `channels`;
// sourcePath: where it was listed ("" asks after no failure).
RecordingConversion ConversionOf(const ConvertedTraces& traces, const std::string& station,
                                 double start, const std::vector<std::string>& channels,
                                 const std::string& sourcePath = {});

}  // namespace plot
