#include "cli/batch_options.h"

#include <string_view>

#include "platform/kelvaron_settings.h"
#include "platform/text_encoding.h"

namespace cli {

const char* const kBatchUsage =
    "usage: kelvaron-batch window [--start TIME] [--duration LENGTH | --end TIME]\n"
    "                             [--since LENGTH] [--channels NAME,NAME...] [STATION...]\n"
    "       kelvaron-batch files [--stations NAME,NAME...] [--channels NAME,NAME...] FILE...\n"
    "       kelvaron-batch check [--fix] [STATION...]\n"
    "       kelvaron-batch catalogue init [--indexes]\n"
    "       kelvaron-batch config\n"
    "       kelvaron-batch --help | --version\n"
    "Options of every mode: -q, --quiet (no progress line); -v, --verbose (the window\n"
    "and each converted recording); -n, --dry-run.\n"
    "TIME: \"hh:mm:ss DD/MM/YYYY\", 2024-03-15T10:00:00, \"2024-03-15 10:00\", now or\n"
    "-LENGTH (before now). LENGTH: seconds, 30m, 2h, 1d, hh:mm:ss or \"DDD hh:mm:ss\".\n"
    "Times are on the recorder's clock: this machine's local wall-clock time.\n"
    "Works in the current directory with ./kelvaron.ini; tvx.ini is $TVX_INI or /etc/tvx.ini.\n"
    "Exit status: 0 all converted, 1 a file or channel failed or the run was stopped,\n"
    "2 usage or catalogue error. check: 0 everything agrees, 1 something does not.\n";

namespace {

std::vector<std::string> SplitNames(std::string_view text) {
    std::vector<std::string> names;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find(',', begin);
        if (end == std::string_view::npos) end = text.size();
        if (end > begin) names.emplace_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return names;
}

// Modes as bits, for the modes an option belongs to.
enum ModeBit : unsigned { kWindow = 1u << 0, kFiles = 1u << 1, kEveryMode = ~0u };

using Apply = void (*)(BatchOptions&, const std::string& value, std::string& error);

struct OptionSpec {
    const char* name;  // long form, without "--"
    char letter;       // short form, 0 for none
    bool takesValue;
    unsigned modes;
    Apply apply;
    bool answersAlone = false;  // --help, --version: nothing else matters
};

const OptionSpec kOptions[] = {
    {"help", 'h', false, kEveryMode,
     [](BatchOptions& o, auto&, auto&) { o.mode = BatchMode::Help; }, true},
    {"version", 'V', false, kEveryMode,
     [](BatchOptions& o, auto&, auto&) { o.mode = BatchMode::Version; }, true},
    {"quiet", 'q', false, kEveryMode, [](BatchOptions& o, auto&, auto&) { o.quiet = true; }},
    {"verbose", 'v', false, kEveryMode, [](BatchOptions& o, auto&, auto&) { o.verbose = true; }},
    {"dry-run", 'n', false, kEveryMode, [](BatchOptions& o, auto&, auto&) { o.dryRun = true; }},
    {"start", 0, true, kWindow, [](BatchOptions& o, auto& v, auto&) { o.start = v; }},
    {"duration", 0, true, kWindow, [](BatchOptions& o, auto& v, auto&) { o.duration = v; }},
    {"end", 0, true, kWindow, [](BatchOptions& o, auto& v, auto&) { o.end = v; }},
    {"since", 0, true, kWindow, [](BatchOptions& o, auto& v, auto&) { o.since = v; }},
    {"channels", 0, true, kWindow | kFiles,
     [](BatchOptions& o, const std::string& v, std::string& error) {
         std::vector<std::string> names = SplitNames(v);
         if (names.empty()) error = "--channels names no channel";
         for (std::string& n : names)
             n = platform::CutText8(std::move(n), platform::kChannelNameChars);
         o.channels = std::move(names);
     }},
    {"stations", 0, true, kFiles,
     [](BatchOptions& o, const std::string& v, std::string& error) {
         std::vector<std::string> names = SplitNames(v);
         if (names.empty()) error = "--stations names no station";
         o.stations = std::move(names);
     }},
};

using TakeOperands = void (*)(BatchOptions&, std::vector<std::string>&&, std::string& error);

// One line per mode.
struct ModeSpec {
    const char* name;
    BatchMode mode;
    unsigned bit;
    TakeOperands operands;
};

const ModeSpec kModes[] = {
    {"window", BatchMode::Window, kWindow,
     [](BatchOptions& o, std::vector<std::string>&& operands, std::string&) {
         if (!operands.empty()) o.stations = std::move(operands);
     }},
    {"files", BatchMode::Files, kFiles,
     [](BatchOptions& o, std::vector<std::string>&& operands, std::string& error) {
         if (operands.empty()) error = "no FILE given";
         o.files = std::move(operands);
     }},
};

const OptionSpec* FindLong(std::string_view name) {
    for (const OptionSpec& spec : kOptions)
        if (name == spec.name) return &spec;
    return nullptr;
}

const OptionSpec* FindShort(char letter) {
    for (const OptionSpec& spec : kOptions)
        if (spec.letter != 0 && spec.letter == letter) return &spec;
    return nullptr;
}

struct GivenOption {
    const OptionSpec* spec;
    std::string shownAs;  // as the error names it: "--start" or "-q"
    std::string value;
};

}  // namespace

ParsedOptions ParseBatchOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    BatchOptions& o = parsed.options;
    if (!args.empty() && args[0] == "help") return parsed;

    // Options anywhere, as getopt_long permutes them; "--" ends them. An
    // option's value is the next argument whatever it begins with, so that
    // "--start -2h" works.
    std::vector<GivenOption> given;
    std::vector<std::string> operands;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            operands.insert(operands.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                            args.end());
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            operands.push_back(arg);
            continue;
        }
        if (arg[1] == '-') {
            const std::size_t eq = arg.find('=');
            const std::string name = arg.substr(0, eq);
            const OptionSpec* spec = FindLong(std::string_view(name).substr(2));
            if (!spec) return {o, "unknown option " + name};
            GivenOption g{spec, name, ""};
            if (eq != std::string::npos) {
                if (!spec->takesValue) return {o, "option " + name + " takes no value"};
                g.value = arg.substr(eq + 1);
            } else if (spec->takesValue) {
                if (i + 1 == args.size()) return {o, "option " + name + " needs a value"};
                g.value = args[++i];
            }
            given.push_back(std::move(g));
            continue;
        }
        // A cluster of short options: "-qv".
        for (std::size_t k = 1; k < arg.size(); ++k) {
            const OptionSpec* spec = FindShort(arg[k]);
            const std::string shown = std::string("-") + arg[k];
            if (!spec) return {o, "unknown option " + shown};
            if (spec->takesValue) return {o, "option " + shown + " needs a value"};
            given.push_back({spec, shown, ""});
        }
    }

    for (const GivenOption& g : given) {
        std::string error;
        g.spec->apply(o, g.value, error);
        if (!error.empty()) return {o, error};
        if (g.spec->answersAlone) return parsed;
    }
    if (operands.empty()) return {o, "no mode given"};
    const ModeSpec* mode = nullptr;
    for (const ModeSpec& m : kModes)
        if (operands.front() == m.name) mode = &m;
    if (!mode) return {o, "unknown mode '" + operands.front() + "'"};
    for (const GivenOption& g : given)
        if (!(g.spec->modes & mode->bit))
            return {o, "unknown option " + g.shownAs + " for " + mode->name};
    o.mode = mode->mode;
    operands.erase(operands.begin());
    std::string error;
    mode->operands(o, std::move(operands), error);
    if (!error.empty()) return {o, error};
    return parsed;
}

}  // namespace cli
