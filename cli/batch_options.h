// The command line of kelvaron-batch: a mode (subcommand), options in the
// usual short and long forms anywhere around it, and its operands.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

enum class BatchMode {
    Window,
    Files,
    Check,
    CatalogueInit,
    Config,
    Help,
    Version,
    CatalogueUpgrade,
    Status,
    Sync,
    Watch
};

struct BatchOptions {
    BatchMode mode = BatchMode::Help;
    std::optional<std::string> start;                  // --start
    std::optional<std::string> duration;               // --duration
    std::optional<std::string> end;                    // --end
    std::optional<std::string> since;                  // --since
    std::optional<std::string> from;                   // sync --from
    std::optional<std::string> settle;                 // sync --settle
    std::optional<std::vector<std::string>> channels;  // --channels, names cut to 15
    std::optional<std::vector<std::string>> stations;  // STATION... or --stations
    std::vector<std::string> files;                    // FILE...
    std::optional<std::string> config;                 // --config: kelvaron.ini to read
    bool quiet = false;                                // -q, --quiet: errors and the summary only
    bool verbose = false;               // -v, --verbose: a line per recording converted or skipped
    bool dryRun = false;                // -n, --dry-run: the plan, no file and no row written
    bool fix = false;                   // check --fix
    bool indexes = false;               // catalogue init --indexes
    std::optional<std::string> maxAge;  // status --max-age LENGTH
    bool failed = false;                // status --failed
    bool json = false;                  // status --json
    // -j, --jobs N: stations converted at once (window, files, sync, watch);
    // unset: the mode's default.
    std::optional<int> jobs;
    // With Help: the mode named beside --help, whose usage is shown (Help: all).
    BatchMode helpOf = BatchMode::Help;
};

struct ParsedOptions {
    BatchOptions options;  // with an error: mode is the one named, else Help
    std::string error;     // not empty: a usage error
};

// args: the arguments after the program name. The errors are operator
// texts (see TranslateMessage).
ParsedOptions ParseBatchOptions(const std::vector<std::string>& args);

// What --help shows for the mode (Help: every mode).
const char* UsageOf(BatchMode mode);

}  // namespace cli
