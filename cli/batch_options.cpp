#include "cli/batch_options.h"

#include <string_view>

namespace cli {

const char* const kBatchUsage =
    "usage: kelvaron-batch window [--start \"hh:mm:ss DD/MM/YYYY\"] [--duration \"DDD hh:mm:ss\"]\n"
    "                             [--channels NAME,NAME...] [--quiet] [STATION...]\n"
    "       kelvaron-batch files [--stations NAME,NAME...] [--channels NAME,NAME...] [--quiet] "
    "FILE...\n"
    "       kelvaron-batch check [--fix] [STATION...]\n"
    "Works in the current directory with ./kelvaron.ini; tvx.ini is $TVX_INI or /etc/tvx.ini.\n"
    "Exit status: 0 all converted, 1 a file or channel failed or the run was stopped,\n"
    "2 usage or catalogue error. check: 0 everything agrees, 1 something does not.\n";

namespace {

// Channel list texts hold at most 15 characters, as the dialog's list does.
constexpr std::size_t kChannelItemChars = 15;

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

}  // namespace

ParsedOptions ParseBatchOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    BatchOptions& o = parsed.options;
    if (args.empty()) return {o, "no mode given"};
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") return parsed;
    if (args[0] == "window")
        o.mode = BatchMode::Window;
    else if (args[0] == "files")
        o.mode = BatchMode::Files;
    else
        return {o, "unknown mode '" + args[0] + "'"};

    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.rfind("--", 0) != 0) {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--quiet") {
            o.quiet = true;
            continue;
        }
        if (arg == "--help") {
            o.mode = BatchMode::Help;
            return parsed;
        }
        std::string name = arg, value;
        if (const std::size_t eq = arg.find('='); eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return {o, "option " + arg + " needs a value"};
        }
        const bool window = o.mode == BatchMode::Window;
        if (name == "--start" && window) {
            o.start = value;
        } else if (name == "--duration" && window) {
            o.duration = value;
        } else if (name == "--channels") {
            std::vector<std::string> names = SplitNames(value);
            if (names.empty()) return {o, "--channels names no channel"};
            for (std::string& n : names)
                if (n.size() > kChannelItemChars) n.resize(kChannelItemChars);
            o.channels = std::move(names);
        } else if (name == "--stations" && !window) {
            std::vector<std::string> names = SplitNames(value);
            if (names.empty()) return {o, "--stations names no station"};
            o.stations = std::move(names);
        } else {
            return {o, "unknown option " + name + " for " + args[0]};
        }
    }
    if (o.mode == BatchMode::Window) {
        if (!operands.empty()) o.stations = std::move(operands);
    } else {
        if (operands.empty()) return {o, "no FILE given"};
        o.files = std::move(operands);
    }
    return parsed;
}

}  // namespace cli
