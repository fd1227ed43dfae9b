// The command line of kelvaron-batch.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

enum class BatchMode { Window, Files, Help };

struct BatchOptions {
    BatchMode mode = BatchMode::Help;
    std::optional<std::string> start;                  // --start
    std::optional<std::string> duration;               // --duration
    std::optional<std::vector<std::string>> channels;  // --channels, names cut to 15
    std::optional<std::vector<std::string>> stations;  // STATION... or --stations
    std::vector<std::string> files;                    // FILE...
    bool quiet = false;                                // --quiet: errors and the summary only
    bool verbose = false;  // -v, --verbose: a line per recording converted or skipped
    bool dryRun = false;   // --dry-run: the plan, no file and no row written
};

struct ParsedOptions {
    BatchOptions options;
    std::string error;  // not empty: a usage error
};

// args: the arguments after the program name.
ParsedOptions ParseBatchOptions(const std::vector<std::string>& args);

extern const char* const kBatchUsage;

}  // namespace cli
