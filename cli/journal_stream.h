// Lines to stderr under systemd: when stderr is the journal (JOURNAL_STREAM
// names it), each line begins with the journal's priority, as sd-daemon(3)
// describes ("<3>" an error), so that `journalctl -p err` finds the failures.
#pragma once

#include <string>

namespace cli {

enum class LinePriority { Error = 3, Warning = 4, Info = 6 };

// "<N>" when stderr is the journal, else "".
std::string JournalPrefix(LinePriority priority);

// Whether JOURNAL_STREAM ("device:inode") names the file behind descriptor fd.
bool IsJournalStream(const char* journalStream, int fd);

}  // namespace cli
