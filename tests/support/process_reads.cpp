#include "tests/support/process_reads.h"

#include <fstream>
#include <string>

namespace testing_support {

std::uint64_t BytesReadByProcess() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:") return value;
    return 0;
}

}  // namespace testing_support
