#include "cli/batch_options.h"

#include <string_view>

#include "platform/kelvaron_settings.h"
#include "platform/operator_texts.h"
#include "platform/text_encoding.h"

namespace cli {

namespace texts = platform::texts;

const char* UsageOf(BatchMode mode) {
    switch (mode) {
        case BatchMode::CatalogueInit:
        case BatchMode::CatalogueUpgrade:
            return texts::kCatalogueUsage;
        case BatchMode::Config:
            return texts::kConfigUsage;
        default:
            return texts::kBatchUsage;
    }
}

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
enum ModeBit : unsigned {
    kWindow = 1u << 0,
    kFiles = 1u << 1,
    kCheck = 1u << 2,
    kCatalogue = 1u << 3,
    kConfig = 1u << 4,
    kStatus = 1u << 5,
    kSync = 1u << 6,
    kWatch = 1u << 7,
    kEveryMode = ~0u
};

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
    {"config", 0, true, kEveryMode,
     [](BatchOptions& o, const std::string& v, std::string& error) {
         if (v.empty()) error = texts::OptionNeedsValue("--config");
         o.config = v;
     }},
    {"start", 0, true, kWindow, [](BatchOptions& o, auto& v, auto&) { o.start = v; }},
    {"duration", 0, true, kWindow, [](BatchOptions& o, auto& v, auto&) { o.duration = v; }},
    {"end", 0, true, kWindow, [](BatchOptions& o, auto& v, auto&) { o.end = v; }},
    {"since", 0, true, kWindow, [](BatchOptions& o, auto& v, auto&) { o.since = v; }},
    {"from", 0, true, kSync | kWatch, [](BatchOptions& o, auto& v, auto&) { o.from = v; }},
    {"settle", 0, true, kSync | kWatch, [](BatchOptions& o, auto& v, auto&) { o.settle = v; }},
    {"channels", 0, true, kWindow | kFiles | kSync | kWatch,
     [](BatchOptions& o, const std::string& v, std::string& error) {
         std::vector<std::string> names = SplitNames(v);
         if (names.empty()) error = texts::kNoChannelNamed;
         for (std::string& n : names)
             n = platform::CutText8(std::move(n), platform::kChannelNameChars);
         o.channels = std::move(names);
     }},
    {"stations", 0, true, kFiles,
     [](BatchOptions& o, const std::string& v, std::string& error) {
         std::vector<std::string> names = SplitNames(v);
         if (names.empty()) error = texts::kNoStationNamed;
         o.stations = std::move(names);
     }},
    {"jobs", 'j', true, kWindow | kFiles | kSync | kWatch,
     [](BatchOptions& o, const std::string& v, std::string& error) {
         // Digits only: "-1", "2x" and " 2" are no number of workers.
         int n = 0;
         const bool digits =
             !v.empty() && v.size() <= 4 && v.find_first_not_of("0123456789") == std::string::npos;
         if (digits) n = std::stoi(v);
         if (n < 1 || n > texts::kMaxJobs) error = texts::NotAJobCount(v);
         o.jobs = n;
     }},
    {"fix", 0, false, kCheck, [](BatchOptions& o, auto&, auto&) { o.fix = true; }},
    {"indexes", 0, false, kCatalogue, [](BatchOptions& o, auto&, auto&) { o.indexes = true; }},
    {"max-age", 0, true, kStatus, [](BatchOptions& o, auto& v, auto&) { o.maxAge = v; }},
    {"failed", 0, false, kStatus, [](BatchOptions& o, auto&, auto&) { o.failed = true; }},
    {"json", 0, false, kStatus, [](BatchOptions& o, auto&, auto&) { o.json = true; }},
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
    {"sync", BatchMode::Sync, kSync,
     [](BatchOptions& o, std::vector<std::string>&& operands, std::string&) {
         if (!operands.empty()) o.stations = std::move(operands);
     }},
    {"watch", BatchMode::Watch, kWatch,
     [](BatchOptions& o, std::vector<std::string>&& operands, std::string&) {
         if (!operands.empty()) o.stations = std::move(operands);
     }},
    {"files", BatchMode::Files, kFiles,
     [](BatchOptions& o, std::vector<std::string>&& operands, std::string& error) {
         if (operands.empty()) error = texts::kNoFileGiven;
         o.files = std::move(operands);
     }},
    {"check", BatchMode::Check, kCheck,
     [](BatchOptions& o, std::vector<std::string>&& operands, std::string&) {
         if (!operands.empty()) o.stations = std::move(operands);
     }},
    {"catalogue", BatchMode::CatalogueInit, kCatalogue,
     [](BatchOptions& o, std::vector<std::string>&& operands, std::string& error) {
         const bool upgrade = !operands.empty() && operands.front() == "upgrade";
         if (operands.empty() || (operands.front() != "init" && !upgrade))
             error = texts::kCatalogueNeedsInit;
         else if (operands.size() > 1)
             error = texts::ExtraArgument(operands[1], "catalogue " + operands.front());
         else if (upgrade && o.indexes)
             error = texts::UnknownOptionFor("--indexes", "catalogue upgrade");
         if (upgrade) o.mode = BatchMode::CatalogueUpgrade;
     }},
    {"status", BatchMode::Status, kStatus,
     [](BatchOptions& o, std::vector<std::string>&& operands, std::string&) {
         if (!operands.empty()) o.stations = std::move(operands);
     }},
    {"config", BatchMode::Config, kConfig,
     [](BatchOptions&, std::vector<std::string>&& operands, std::string& error) {
         if (!operands.empty()) error = texts::ExtraArgument(operands.front(), "config");
     }},
};

const ModeSpec* FindMode(std::string_view name) {
    for (const ModeSpec& m : kModes)
        if (name == m.name) return &m;
    return nullptr;
}

const OptionSpec* FindLong(std::string_view name) {
    for (const OptionSpec& option : kOptions)
        if (name == option.name) return &option;
    return nullptr;
}

const OptionSpec* FindShort(char letter) {
    for (const OptionSpec& option : kOptions)
        if (option.letter != 0 && option.letter == letter) return &option;
    return nullptr;
}

struct GivenOption {
    const OptionSpec* option;
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
            const OptionSpec* option = FindLong(std::string_view(name).substr(2));
            if (!option) return {o, texts::UnknownOption(name)};
            GivenOption g{option, name, ""};
            if (eq != std::string::npos) {
                if (!option->takesValue) return {o, texts::OptionTakesNoValue(name)};
                g.value = arg.substr(eq + 1);
            } else if (option->takesValue) {
                if (i + 1 == args.size()) return {o, texts::OptionNeedsValue(name)};
                g.value = args[++i];
            }
            given.push_back(std::move(g));
            continue;
        }
        // A cluster of short options: "-qv"; one that takes a value ends it,
        // its value the rest ("-j4") or the next argument ("-j 4").
        for (std::size_t k = 1; k < arg.size(); ++k) {
            const OptionSpec* option = FindShort(arg[k]);
            const std::string shown = std::string("-") + arg[k];
            if (!option) return {o, texts::UnknownOption(shown)};
            if (option->takesValue) {
                std::string value = arg.substr(k + 1);
                if (value.empty()) {
                    if (i + 1 == args.size()) return {o, texts::OptionNeedsValue(shown)};
                    value = args[++i];
                }
                given.push_back({option, shown, std::move(value)});
                break;
            }
            given.push_back({option, shown, ""});
        }
    }

    for (const GivenOption& g : given) {
        std::string error;
        g.option->apply(o, g.value, error);
        if (!error.empty()) return {o, error};
        if (g.option->answersAlone) {
            if (const ModeSpec* m = operands.empty() ? nullptr : FindMode(operands.front()))
                o.helpOf = m->mode;
            return parsed;
        }
    }
    if (operands.empty()) return {o, texts::kNoModeGiven};
    const ModeSpec* mode = FindMode(operands.front());
    if (!mode) return {o, texts::UnknownMode(operands.front())};
    o.mode = mode->mode;  // an error below is shown with this mode's usage
    for (const GivenOption& g : given)
        if (!(g.option->modes & mode->bit))
            return {o, texts::UnknownOptionFor(g.shownAs, mode->name)};
    operands.erase(operands.begin());
    std::string error;
    mode->operands(o, std::move(operands), error);
    if (!error.empty()) return {o, error};
    return parsed;
}

}  // namespace cli
