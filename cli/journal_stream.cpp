#include "cli/journal_stream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace cli {

bool IsJournalStream(const char* journalStream, int fd) {
    if (!journalStream) return false;
    unsigned long long device = 0, inode = 0;
    char rest = 0;
    if (std::sscanf(journalStream, "%llu:%llu%c", &device, &inode, &rest) != 2) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    // A stderr redirected by hand inherits the variable but not the stream.
    return static_cast<unsigned long long>(st.st_dev) == device &&
           static_cast<unsigned long long>(st.st_ino) == inode;
}

std::string JournalPrefix(LinePriority priority) {
    static const bool journal = IsJournalStream(std::getenv("JOURNAL_STREAM"), STDERR_FILENO);
    if (!journal) return "";
    return "<" + std::to_string(static_cast<int>(priority)) + ">";
}

}  // namespace cli
