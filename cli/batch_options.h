// The command line of kelvaron-batch: a mode (subcommand), options in the
// usual short and long forms anywhere around it, and its operands.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

enum class BatchMode { Window, Files, Help, Version };

struct BatchOptions {
    BatchMode mode = BatchMode::Help;
    std::optional<std::string> start;                  // --start
    std::optional<std::string> duration;               // --duration
    std::optional<std::string> end;                    // --end
    std::optional<std::string> since;                  // --since
    std::optional<std::vector<std::string>> channels;  // --channels, names cut to 15
    std::optional<std::vector<std::string>> stations;  // STATION... or --stations
    std::vector<std::string> files;                    // FILE...
    bool quiet = false;                                // -q, --quiet: errors and the summary only
    bool verbose = false;  // -v, --verbose: a line per recording converted or skipped
    bool dryRun = false;   // -n, --dry-run: the plan, no file and no row written
};

struct ParsedOptions {
    BatchOptions options;
    std::string error;  // not empty: a usage error
};

// args: the arguments after the program name.
ParsedOptions ParseBatchOptions(const std::vector<std::string>& args);

extern const char* const kBatchUsage;

}  // namespace cli
