// The read-ahead hands over the source's rows unchanged, its error in its
// place, and never runs further ahead than its queue.
#include "archive/rows_read_ahead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

TEST(RowsReadAhead, TakesTheRowsInOrderAndTheErrorAfterTheRowsBeforeIt) {
    const struct {
        const char* name;
        int rows;
        std::optional<int> failsAt;  // the source raises instead of this row
    } cases[] = {
        {"none", 0, std::nullopt},          {"less than a chunk", 3, std::nullopt},
        {"whole chunks", 16, std::nullopt}, {"a chunk and a bit", 9, std::nullopt},
        {"an error at once", 5, 0},         {"an error inside a later chunk", 20, 13},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::mutex catalogue;
        int given = 0;
        engine::RowsReadAhead ahead(
            [&](catalog::FileListRow& row) {
                if (c.failsAt && given == *c.failsAt) throw std::runtime_error("lost");
                if (given == c.rows) return false;
                row.path = "STA/" + std::to_string(given++);
                return true;
            },
            catalogue, 4, 2);
        catalog::FileListRow row;
        int taken = 0;
        try {
            while (ahead.Next(row)) EXPECT_EQ(row.path, "STA/" + std::to_string(taken++));
            EXPECT_FALSE(c.failsAt) << "the error went unreported";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "lost");
            ASSERT_TRUE(c.failsAt);
        }
        EXPECT_EQ(taken, c.failsAt.value_or(c.rows));
    }
}

TEST(RowsReadAhead, ReadsNoFurtherAheadThanItsQueueAndStopsWhenLeft) {
    constexpr std::size_t kChunk = 4, kChunks = 2;
    std::mutex catalogue;
    std::atomic<int> given = 0;
    {
        engine::RowsReadAhead ahead(
            [&](catalog::FileListRow& row) {
                row.path = std::to_string(given++);
                return true;  // endless: only the bound stops it
            },
            catalogue, kChunk, kChunks);
        catalog::FileListRow row;
        ASSERT_TRUE(ahead.Next(row));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        // Taken, queued, and the chunk that waits for room.
        EXPECT_LE(given.load(), static_cast<int>(kChunk * (kChunks + 2)));
    }  // leaving it must not wait for an endless source
    EXPECT_LE(given.load(), static_cast<int>(kChunk * (kChunks + 2)));
}

}  // namespace
