#include "cli/check_command.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <iterator>
#include <set>
#include <stdexcept>

#include "archive/archive_check.h"
#include "archive/catalogue_check.h"
#include "catalog/catalogue.h"
#include "catalog/database_error.h"
#include "cli/check_reason_text.h"
#include "cli/console_front_end.h"
#include "formats/tvx/trace_naming.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"

namespace cli {

namespace {

constexpr int kAgrees = 0;
constexpr int kDisagrees = 1;
constexpr int kError = 2;

static_assert(std::size(platform::texts::kCheckProblemKinds) == engine::kCheckProblemKinds);

void Print(const std::string& text) { PrintSaid(stdout, text); }

int Error(const std::string& text) {
    std::fprintf(stderr, "kelvaron-batch check: %s\n", platform::TranslateMessage(text).c_str());
    return kError;
}

// A word the shell takes as it is.
std::string ShellWord(const std::string& word) {
    if (!word.empty() &&
        word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                               "0123456789_-+./,=:@") == std::string::npos)
        return word;
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool IsEmptyDirectory(const std::string& path) {
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return false;
    bool empty = true;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            empty = false;
            break;
        }
    }
    ::closedir(dir);
    return empty;
}

class CheckPrinter : public engine::CheckObserver {
public:
    void Problem(const engine::CheckProblem& problem) override {
        const std::string reason = CheckReasonText(problem.reason);
        if (problem.fixed)
            Print(platform::texts::CheckProblemRemoved(problem.path, reason));
        else
            std::printf("%s: %s\n", problem.path.c_str(),
                        platform::TranslateMessage(reason).c_str());
    }
    void Repair(const std::string& tracePath, const std::string& station,
                const std::string& recording) override {
        if (recording.empty()) {
            Print(platform::texts::CheckNoRecording(tracePath, station));
            return;
        }
        Print(platform::texts::CheckWriteAgain(tracePath, recording));
        stations.insert(station);
        recordings.insert(recording);
    }

    std::set<std::string> stations, recordings;
};

void PrintSummary(const engine::CheckSummary& summary, bool fix) {
    if (summary.total() == 0) {
        Print(platform::texts::CheckAgrees(summary.files, summary.rows));
        return;
    }
    std::string problems;
    for (int k = 0; k < engine::kCheckProblemKinds; ++k) {
        if (summary.problems[k] == 0) continue;
        problems += (problems.empty() ? "" : ", ") +
                    platform::TranslateMessage(platform::texts::kCheckProblemKinds[k]) + ' ' +
                    std::to_string(summary.problems[k]);
    }
    std::string line = platform::TranslateMessage(
        platform::texts::CheckProblems(summary.files, summary.rows, summary.total(), problems));
    if (fix)
        line += "; " + platform::TranslateMessage(platform::texts::CheckRemoved(
                           summary.rowsRemoved, summary.temporariesRemoved));
    std::printf("%s\n", line.c_str());
}

}  // namespace

int RunCheck(catalog::OdbcConnection& database, const std::vector<std::string>& stations,
             bool fix) {
    engine::CheckRequest request;
    request.fix = fix;
    for (const std::string& station : stations) {
        if (station.empty() || !engine::IsSafePathName(station))
            return Error(platform::texts::NotAStationDirectory(station));
        request.stations.push_back(station);
    }

    const std::string tvxIni = platform::TvxIniPath();
    const std::string dataDir = platform::ReadDataDirectory(tvxIni, platform::kDataDirectoryChars);
    // Without it every row would look orphaned, and --fix would remove them all.
    if (dataDir.empty()) return Error(platform::texts::NoDataDirectoryIn(tvxIni));
    request.dataDir = engine::WithTrailingSeparator(dataDir);
    struct stat st {};
    if (::stat(request.dataDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return Error(platform::texts::DataDirectoryNotAccessible(request.dataDir, tvxIni));

    // An empty data directory is more often an unmounted disk than an
    // archive without files: --fix would take the whole catalogue with it.
    if (request.fix && IsEmptyDirectory(request.dataDir))
        return Error(platform::texts::DataDirectoryEmpty(request.dataDir));

    ConsoleFrontEnd console(stdout, stderr, {});
    if (!OpenCatalogue(database, console.Messages())) return kError;

    CheckPrinter printer;
    engine::CheckSummary summary;
    try {
        summary = engine::CheckAgainstCatalogue(request, database, printer);
    } catch (const std::exception& e) {
        std::fflush(stdout);
        database.Close();
        return Error(e.what());
    }
    database.Close();

    PrintSummary(summary, request.fix);
    if (!printer.recordings.empty()) {
        std::string stations;
        for (const std::string& s : printer.stations) stations += (stations.empty() ? "" : ",") + s;
        std::string command = "kelvaron-batch files --stations " + ShellWord(stations);
        for (const std::string& r : printer.recordings) command += ' ' + ShellWord(r);
        Print(platform::texts::CheckWriteAgainCommand(command));
    }
    std::fflush(stdout);
    return summary.total() == 0 ? kAgrees : kDisagrees;
}

}  // namespace cli
