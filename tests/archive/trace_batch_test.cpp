// The traces of one recording written from one pass over a block that lies
// in a file: what the files hold, what is read, and what a stop or a failed
// trace leaves.
#include <gtest/gtest.h>

#include "archive/trace_conversion.h"
#include "archive/trace_errors.h"
#include "platform/ini_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace_test_support.h"

namespace {

using engine::ChannelTrace;
using engine::TraceFileBatch;
using testing_support::ReadFileBytes;
using testing_support::TempDir;
using trace_test::BlockShape;

const double kStart = 1196346645.5;  // 2007-11-29 14:30:45.5

ChannelTrace Trace(const std::string& channel, int position, const BlockShape& shape) {
    ChannelTrace trace;
    trace.start = kStart;
    trace.channel = channel;
    trace.station = "STA1";
    trace.channelPosition = position;
    trace.recordSeconds = 1;
    trace.channelCount = shape.channels;
    return trace;
}

std::string TracePath(const std::string& channel) {
    return "STA1/1429112007/143045-29112007." + channel;
}

struct RecordingFile {
    TempDir dir;
    BlockShape shape;
    std::vector<std::uint8_t> block;
    std::string path;
    std::int64_t offset = 1000;  // a header's room before the block

    explicit RecordingFile(const BlockShape& s) : shape(s), block(trace_test::BuildDataBlock(s)) {
        std::string bytes(static_cast<std::size_t>(offset), '#');
        bytes.append(block.begin(), block.end());
        path = dir.Write("recording.dat", bytes);
    }
};

// Every trace of one pass holds what the same trace written alone from the
// block in memory holds, also the one cut short by the block's end, while
// the pass reads the block once.
TEST(TraceFileBatch, OnePassWritesWhatEachTraceWrittenAloneHolds) {
    BlockShape shape;
    shape.channels = 3;
    shape.records = 3000;  // several pieces of a pass
    // A partial record: ignored, but a channel placed beyond the stream's
    // blocks (position 7) reads into it and is cut where the block ends.
    shape.trailingBytes = 851;
    RecordingFile recording(shape);
    platform::IniFile file(recording.path, 8192);
    const std::optional<engine::DataBlock> block = engine::LocateDataBlock(file, recording.offset);
    ASSERT_TRUE(block);
    const std::vector<ChannelTrace> traces = {Trace("SHZ", 0, shape), Trace("SHN", 1, shape),
                                              Trace("SHE", 2, shape), Trace("BAD", 7, shape)};

    TempDir streamed, alone;
    const std::uint64_t before = file.bytesRead();
    TraceFileBatch batch(*block, traces, {streamed.path(), true});
    ASSERT_TRUE(batch.WriteRecords());
    // Once, not once per trace: only what the channel beyond the stream's
    // blocks reaches into the next piece is read again.
    EXPECT_LE(file.bytesRead() - before, static_cast<std::uint64_t>(block->size()) + 8 * 1024);
    for (std::size_t i = 0; i < traces.size(); ++i) {
        SCOPED_TRACE(traces[i].channel);
        const engine::TraceFileRow row = batch.Finish(i);
        ChannelTrace inMemory = traces[i];
        inMemory.data = recording.block.data();
        inMemory.dataSize = static_cast<std::int64_t>(recording.block.size());
        const engine::TraceFileRow expected =
            engine::WriteTraceFile(inMemory, {alone.path(), true});
        EXPECT_EQ(ReadFileBytes(streamed.File(row.catalogPath)),
                  ReadFileBytes(alone.File(expected.catalogPath)));
        EXPECT_EQ(row.fileBytes, expected.fileBytes);
        EXPECT_EQ(row.duration, expected.duration);
    }
    EXPECT_EQ(ReadFileBytes(streamed.File(TracePath("SHZ"))).substr(512),
              trace_test::SampleBytes(trace_test::ChannelValues(shape, 0)));
    EXPECT_EQ(ReadFileBytes(streamed.File(TracePath("SHN"))).size(), 512u + 2u * 300000);
    EXPECT_EQ(ReadFileBytes(streamed.File(TracePath("BAD"))).size(), 512u + 2u * (299900 + 25));
}

// A stop during the pass, or a trace that cannot be written, leaves no
// temporary behind and nothing under a final name; the other traces go on.
TEST(TraceFileBatch, WhatAStopOrAFailedTraceLeaves) {
    BlockShape shape;
    shape.channels = 2;
    shape.records = 50;
    RecordingFile recording(shape);
    platform::IniFile file(recording.path);
    const engine::DataBlock block = *engine::LocateDataBlock(file, recording.offset);
    const std::vector<ChannelTrace> traces = {Trace("SHZ", 0, shape), Trace("../x", 1, shape),
                                              Trace("SHE", 1, shape)};
    {
        TempDir data;
        {
            TraceFileBatch batch(block, traces, {data.path(), true});
            EXPECT_FALSE(batch.WriteRecords([] { return true; }));
        }
        EXPECT_EQ(trace_test::TreeBelow(data.path()),
                  (std::vector<std::string>{"STA1", "STA1/1429112007"}));
    }
    TempDir data;
    {
        TraceFileBatch batch(block, traces, {data.path(), true});
        ASSERT_TRUE(batch.WriteRecords());
        batch.Finish(0);
        EXPECT_THROW(batch.Finish(1), TraceFileError);
        // Trace 2 is never finished: a database error ended the recording.
    }
    EXPECT_EQ(trace_test::TreeBelow(data.path()),
              (std::vector<std::string>{"STA1", "STA1/1429112007", TracePath("SHZ")}));
}

}  // namespace
