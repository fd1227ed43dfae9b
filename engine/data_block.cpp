#include "engine/data_block.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace engine {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::optional<DataBlock> ReadDataBlock(const std::string& path, std::int64_t offset) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    const std::int64_t fileSize = st.st_size;
    if (offset < 0 || offset > fileSize) return std::nullopt;

    DataBlock block;
    block.size = fileSize - offset;
    block.bytes =
        std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(block.size));
    std::int64_t got = 0;
    while (got < block.size) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::int64_t>(block.size - got, 1 << 30));
        const ssize_t n = ::pread(fd.get(), block.bytes.get() + got, chunk, offset + got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += n;
    }
    std::memset(block.bytes.get() + got, 0, static_cast<std::size_t>(block.size - got));
    return block;
}

}  // namespace engine
