// The data tree in catalogue-path order: station directories, then whatever
// lies below them, each directory listed and sorted as it is entered, so
// only the directories along the current path are held at any time.
//
// Order: byte order of the relative path ("STA/1429112007/143045-..."), the
// order of FILELIST's CPATH in a binary collation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

struct ArchiveEntry {
    enum class Kind {
        File,        // a candidate trace file (or link to one)
        Temporary,   // a trace writer's temporary
        Unreadable,  // a directory that could not be listed; relative ends in "/"
    };
    Kind kind = Kind::File;
    std::string relative;  // to the data directory, "/" separated
    int error = 0;         // Unreadable: the errno value
};

class ArchiveWalk {
public:
    // dataDir ends in "/". stations: the station directories to walk, all
    // directories of dataDir when empty. Files directly in dataDir are not
    // part of the archive; links to directories are not followed.
    ArchiveWalk(std::string dataDir, const std::vector<std::string>& stations);

    // The next entry; false after the last.
    bool Next(ArchiveEntry& entry);

private:
    struct Child {
        std::string key;  // name, with "/" appended for a directory
        bool directory = false;
    };
    struct Frame {
        std::string relative;  // "" or ending in "/"
        std::vector<Child> children;
        std::size_t next = 0;
    };
    // Lists dataDir + relative; false (error set) when it cannot.
    bool Enter(const std::string& relative, bool directoriesOnly, int& error);

    std::string dataDir_;
    std::vector<Frame> frames_;
};

}  // namespace engine
