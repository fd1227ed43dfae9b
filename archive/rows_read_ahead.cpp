#include "archive/rows_read_ahead.h"

#include <utility>

namespace engine {

RowsReadAhead::RowsReadAhead(std::function<bool(catalog::FileListRow&)> next, std::mutex& catalogue,
                             std::size_t chunkRows, std::size_t queuedChunks)
    : next_(std::move(next)),
      catalogue_(catalogue),
      chunkRows_(chunkRows ? chunkRows : 1),
      queuedChunks_(queuedChunks ? queuedChunks : 1),
      reader_([this] { Read(); }) {}

RowsReadAhead::~RowsReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

void RowsReadAhead::Read() {
    std::exception_ptr error;
    for (bool more = true; more;) {
        std::vector<catalog::FileListRow> chunk;
        chunk.reserve(chunkRows_);
        try {
            std::lock_guard lock(catalogue_);
            catalog::FileListRow row;
            while (chunk.size() < chunkRows_ && (more = next_(row)))
                chunk.push_back(std::move(row));
        } catch (...) {
            error = std::current_exception();
            more = false;
        }
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || queue_.size() < queuedChunks_; });
        if (stopped_) return;
        queue_.push_back(std::move(chunk));
        if (!more) {
            ended_ = true;
            error_ = error;
        }
        changed_.notify_all();
    }
}

bool RowsReadAhead::Next(catalog::FileListRow& row) {
    while (taken_ == taking_.size()) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !queue_.empty() || ended_; });
        if (queue_.empty()) {
            if (error_) std::rethrow_exception(error_);
            return false;
        }
        taking_ = std::move(queue_.front());
        queue_.pop_front();
        taken_ = 0;
        changed_.notify_all();
    }
    row = std::move(taking_[taken_++]);
    return true;
}

}  // namespace engine
