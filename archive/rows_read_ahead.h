// The catalogue's rows read ahead on a thread of their own, into a bounded
// queue, so that the check judges files while the next rows are fetched.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "catalog/file_list_rows.h"

namespace engine {

class RowsReadAhead {
public:
    // next: the rows in order, as CheckArchive takes them. catalogue: held
    // while next runs; whoever else uses the same connection holds it too.
    // At most queuedChunks chunks of chunkRows rows wait to be taken.
    RowsReadAhead(std::function<bool(catalog::FileListRow&)> next, std::mutex& catalogue,
                  std::size_t chunkRows = 512, std::size_t queuedChunks = 4);
    // Stops the reader (after the chunk it is reading) and waits for it.
    ~RowsReadAhead();
    RowsReadAhead(const RowsReadAhead&) = delete;
    RowsReadAhead& operator=(const RowsReadAhead&) = delete;

    // The next row; false after the last. The reader's error is raised here,
    // after the rows read before it.
    bool Next(catalog::FileListRow& row);

private:
    void Read();

    std::function<bool(catalog::FileListRow&)> next_;
    std::mutex& catalogue_;
    const std::size_t chunkRows_, queuedChunks_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<catalog::FileListRow>> queue_;
    bool ended_ = false;    // the reader queued its last chunk
    bool stopped_ = false;  // the taker is gone
    std::exception_ptr error_;

    std::vector<catalog::FileListRow> taking_;
    std::size_t taken_ = 0;
    std::thread reader_;  // last: starts once the rest is ready
};

}  // namespace engine
