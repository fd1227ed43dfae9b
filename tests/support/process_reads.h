// What this process has read so far, for tests that count a file's reads.
#pragma once

#include <cstdint>

namespace testing_support {

// Bytes this process has had read(2) and pread(2) deliver so far.
std::uint64_t BytesReadByProcess();

}  // namespace testing_support
