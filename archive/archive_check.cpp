#include "archive/archive_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <stdexcept>

#include "archive/archive_walk.h"
#include "archive/recording_finder.h"
#include "archive/trace_temporary.h"
#include "archive/trace_writer.h"
#include "formats/tvx/tvx_header.h"

namespace engine {

std::int64_t CheckSummary::total() const {
    std::int64_t sum = 0;
    for (std::int64_t n : problems) sum += n;
    return sum;
}

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
}

// Components joined by single "/", none of them "." or "..".
bool IsPlainRelativePath(const std::string& path) {
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = std::min(path.find('/', begin), path.size());
        const std::string part = path.substr(begin, end - begin);
        if (part.empty() || part == "." || part == "..") return false;
        if (end == path.size()) return true;
        begin = end + 1;
    }
}

// The merge's state and the handling of each side.
class ArchiveMerge {
public:
    ArchiveMerge(const CheckRequest& request,
                 const std::function<void(const std::string&)>& removeRows, CheckObserver& observer,
                 const RowLookup& rowNow)
        : request_(request), removeRows_(removeRows), observer_(observer), rowNow_(rowNow) {}

    void Report(CheckProblemKind kind, const std::string& relative, CheckReason reason,
                bool fixed = false) {
        ++summary_.problems[static_cast<int>(kind)];
        observer_.Problem({kind, request_.dataDir + relative, std::move(reason), fixed});
    }

    // A row whose path the walk has passed without meeting its file.
    void RowAlone(const catalog::FileListRow& row) {
        if (!IsPlainRelativePath(row.path)) {
            // Never looked up nor removed: it names nothing inside the tree.
            Report(CheckProblemKind::BadName, row.path, {CheckReasonCode::RowPathOutside});
            return;
        }
        // A writer puts the file in place before it writes the row: a file
        // that arrived after its directory was listed is there by now.
        struct stat st {};
        if (::lstat((request_.dataDir + row.path).c_str(), &st) == 0) {
            File(row.path, &row);
            return;
        }
        bool removed = false;
        if (request_.fix) {
            removeRows_(row.path);
            removed = true;
            ++summary_.rowsRemoved;
            removedPath_ = row.path;
        }
        Report(CheckProblemKind::MissingFile, row.path, {CheckReasonCode::RowWithoutFile}, removed);
    }

    void Temporary(const std::string& relative) {
        const std::size_t slash = relative.rfind('/');
        const std::string dir = request_.dataDir + relative.substr(0, slash);
        const std::string name = relative.substr(slash + 1);
        if (!IsStaleTemporary(dir, name, std::time(nullptr))) return;  // a writer at work
        bool removed = false;
        if (request_.fix && ::unlink((dir + '/' + name).c_str()) == 0) {
            removed = true;
            ++summary_.temporariesRemoved;
        }
        Report(CheckProblemKind::StaleTemporary, relative, {CheckReasonCode::StaleTemporary},
               removed);
    }

    void File(const std::string& relative, const catalog::FileListRow* row) {
        ++summary_.files;
        const std::string path = request_.dataDir + relative;
        // Non-blocking, so that a pipe put in the tree cannot stop the check.
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        struct stat st {};
        if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            const CheckReason reason = fd < 0
                                           ? CheckReason{CheckReasonCode::FileUnreadable, {}, errno}
                                           : CheckReason{CheckReasonCode::NotARegularFile};
            if (fd >= 0) ::close(fd);
            Report(CheckProblemKind::Unreadable, relative, reason);
            return;
        }
        char head[kTraceHeaderSize];
        std::size_t got = 0;
        while (got < sizeof head) {
            const ssize_t n = ::pread(fd, head + got, sizeof head - got, static_cast<off_t>(got));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        ::close(fd);
        const auto size = static_cast<std::uint64_t>(st.st_size);
        FileVerdict verdict = JudgeTraceFile(relative, head, got, size, row);
        if (IsAboutTheRow(verdict) && rowNow_ && SettledOnlyNow(st)) {
            // Its writer may have committed the row since the rows were read.
            const std::optional<catalog::FileListRow> now = rowNow_(relative);
            verdict = JudgeTraceFile(relative, head, got, size, now ? &*now : nullptr);
        }
        if (!verdict.problem) return;
        Report(*verdict.problem, relative, verdict.reason);
        if (!request_.fix || *verdict.problem == CheckProblemKind::BadName) return;
        // A file whose header is damaged still names its station and start.
        std::optional<NamedTrace> named;
        if (verdict.header)
            named = NamedTrace{verdict.header->station, verdict.header->start};
        else
            named = TraceNamedBy(relative);
        if (!named) return;
        std::optional<std::string> recording;
        if (request_.recordedSource) recording = request_.recordedSource(relative);
        observer_.Repair(path, named->station,
                         recording ? *recording : finder_.Find(named->station, named->start));
    }

    CheckSummary summary_;
    std::string removedPath_;  // rows of this path are gone already

private:
    static bool IsAboutTheRow(const FileVerdict& verdict) {
        return verdict.problem == CheckProblemKind::NoRow ||
               verdict.problem == CheckProblemKind::RowDisagrees;
    }

    // True for a file written so lately that its writer may still be
    // registering it, after waiting until it is settled. A file written
    // before the check began is old enough already. (A writer renames its
    // file into place right after writing it: the time of the last write is
    // the file's.)
    bool SettledOnlyNow(const struct stat& st) const {
        const std::time_t changed = st.st_mtime;
        const int settle = request_.rowSettleSeconds;
        if (changed < started_ - settle) return false;
        const std::time_t settled = changed + settle;
        for (std::time_t now = std::time(nullptr); now < settled; now = std::time(nullptr))
            ::sleep(static_cast<unsigned>(settled - now));
        return true;
    }

    const CheckRequest& request_;
    const std::function<void(const std::string&)>& removeRows_;
    CheckObserver& observer_;
    const RowLookup& rowNow_;
    const std::time_t started_ = std::time(nullptr);
    RecordingFinder finder_;
};

}  // namespace

CheckSummary CheckArchive(const CheckRequest& request,
                          const std::function<bool(catalog::FileListRow&)>& nextRow,
                          const std::function<void(const std::string&)>& removeRows,
                          CheckObserver& observer, const RowLookup& rowNow) {
    ArchiveMerge merge(request, removeRows, observer, rowNow);
    ArchiveWalk walk(request.dataDir, request.stations);

    ArchiveEntry entry;
    bool haveEntry = walk.Next(entry);
    catalog::FileListRow row;
    bool haveRow = nextRow(row);
    std::optional<std::string> lastRow;  // CPATH of the row before
    std::string unreadable;              // rows below this directory cannot be judged

    auto advanceRow = [&] {
        lastRow = row.path;
        haveRow = nextRow(row);
        if (haveRow) ++merge.summary_.rows;
        if (haveRow && lastRow && row.path < *lastRow)
            throw std::runtime_error("the catalogue returned FILELIST rows out of CPATH order");
    };
    if (haveRow) ++merge.summary_.rows;

    while (haveEntry || haveRow) {
        if (haveEntry && entry.kind == ArchiveEntry::Kind::Unreadable &&
            (!haveRow || entry.relative <= row.path)) {
            merge.Report(CheckProblemKind::Unreadable, entry.relative,
                         {CheckReasonCode::DirectoryUnreadable, {}, entry.error});
            unreadable = entry.relative;
            haveEntry = walk.Next(entry);
            continue;
        }
        if (haveRow && lastRow && row.path == *lastRow) {
            // A second row for one path (a catalogue without a key on CPATH).
            if (row.path != merge.removedPath_)
                merge.Report(CheckProblemKind::DuplicateRow, row.path,
                             {CheckReasonCode::MoreThanOneRow});
            advanceRow();
            continue;
        }
        if (haveRow && StartsWith(row.path, unreadable)) {
            advanceRow();
            continue;
        }
        if (haveRow && (!haveEntry || row.path < entry.relative)) {
            merge.RowAlone(row);
            advanceRow();
            continue;
        }
        if (!haveRow || entry.relative < row.path) {
            if (entry.kind == ArchiveEntry::Kind::Temporary)
                merge.Temporary(entry.relative);
            else
                merge.File(entry.relative, nullptr);
            haveEntry = walk.Next(entry);
            continue;
        }
        merge.File(entry.relative, &row);
        haveEntry = walk.Next(entry);
        advanceRow();
    }
    return merge.summary_;
}

}  // namespace engine
